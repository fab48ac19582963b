// The output chooser: preview, print or delimited export, with a picture per
// choice and, in one variant, the printer to print on.
#pragma once

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLabel;
class QRadioButton;

namespace zorva {

class Tfrm_NyomValaszt : public QDialog {
    Q_OBJECT
public:
    static constexpr int kChoiceCount = 4;  // the fourth, "Html export", only where offered
    static constexpr int kPictureCount = 4;

    explicit Tfrm_NyomValaszt(bool withPrinterChoice, QWidget *parent = nullptr, bool withHtmlChoice = false);

    int choice() const;
    void setChoice(int index);
    QString printerName() const;
    // Shows `name` in the printer list; the first printer when it is empty.
    void setPrinterName(const QString &name);

    QRadioButton *choiceButton(int index) const;
    QComboBox *printerList() const { return m_printers; }
    QLabel *printerLabel() const { return m_printerLabel; }
    QLabel *picture(int index) const { return m_pictures[index]; }

    void done(int result) override;

private:
    void choiceChanged(int index);

    QButtonGroup *m_group = nullptr;
    QComboBox *m_printers = nullptr;
    QLabel *m_printerLabel = nullptr;
    QLabel *m_pictures[kPictureCount] = {};
};

// Without printer choice: the chosen index (0 preview, 1 print, 2 delimited
// export), -1 when cancelled or closed.
int ChooseOutput(QWidget *parent = nullptr);
// With printer choice: starts on `printerName` (may be empty); on "OK" it
// holds the printer shown in the list.
int ChooseOutput(QString &printerName, QWidget *parent = nullptr);
// The variant without printer choice that also offers 3 "Html export" (the
// cash-book reports).
int ChooseReportOutput(QWidget *parent = nullptr);

namespace outputchooser {
// Tests queue answers (choice, printer) that are used instead of showing the window.
void setNextAnswer(int choice, const QString &printerName = QString());
void clearAnswers();
}  // namespace outputchooser

}  // namespace zorva
