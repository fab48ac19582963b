// The panel of the full backup: the dump tool's path with a browse button and the button that
// runs the dump.  Hidden until the profile window's action shows it.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace zorva {

class TBackupPanel : public QWidget {
    Q_OBJECT
public:
    explicit TBackupPanel(QWidget *parent = nullptr);

    QString dumpPath() const;
    void setDumpPath(const QString &path);

    QLineEdit *pathEdit() const { return EditMysqlDump; }
    QToolButton *browseButton() const { return btnTalloz; }
    QToolButton *closeButton() const { return btnBezar; }
    QPushButton *runButton() const { return btnTeljesMentes; }

signals:
    // "Teljes mentés futtatása" was pressed.
    void fullBackupRequested();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void browse();

    QLabel *lblCim = nullptr;
    QToolButton *btnBezar = nullptr;
    QLabel *lblHely = nullptr;
    QLineEdit *EditMysqlDump = nullptr;
    QToolButton *btnTalloz = nullptr;
    QPushButton *btnTeljesMentes = nullptr;
};

}  // namespace zorva
