// The program's message boxes, behind one seam: tests queue the answers and read
// back what was shown, without a modal box.
#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

#include <memory>

class QWidget;

namespace zorva {

class MessageBox {
public:
    enum Kind { Error, Warning, Information, Question };

    struct Shown {
        Kind kind;
        QString caption;
        QString text;
        QMessageBox::StandardButton answer;
    };

    // Shows a modal box owned by `parent` (the active window when null), gives the
    // previously active window the focus back afterwards and returns the button chosen.
    // `defaultButton` is the answer of Enter and of a test run without a queued answer.
    static QMessageBox::StandardButton show(QWidget *parent, Kind kind, const QString &caption,
                                            const QString &text, QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton);

    // The box show() puts on the screen (not yet shown).
    static std::unique_ptr<QMessageBox> createBox(QWidget *parent, Kind kind, const QString &caption,
                                                  const QString &text, QMessageBox::StandardButtons buttons,
                                                  QMessageBox::StandardButton defaultButton);

    // --- test hooks
    // Queued answers are used, first in first out, instead of showing a box.
    static void setNextAnswer(QMessageBox::StandardButton answer);
    static void clearAnswers();
    // In test mode no box is ever shown: without a queued answer the default button is
    // the answer.  Test mode is on by itself on the "offscreen" and "minimal" platforms,
    // where nobody could answer; setTestMode overrides that.
    static void setTestMode(bool on);
    static bool testMode();
    // Every box asked for since the last clearLog, also real ones.
    static QList<Shown> log();
    static void clearLog();
};

// Caption "Hiba", error icon, OK.
void ShowError(const QString &text, QWidget *parent = nullptr);
// Caption "Figyelmeztetés", warning icon, OK.
void ShowWarning(const QString &text, QWidget *parent = nullptr);
// Caption "Üzenet", information icon, OK.
void ShowInfo(const QString &text, QWidget *parent = nullptr);
// The given caption, question icon, Yes and No; true for Yes.
bool AskYesNo(const QString &text, const QString &caption, QWidget *parent = nullptr);

}  // namespace zorva
