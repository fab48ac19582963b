// The database chooser of the start-up: a list of the offered profiles; the chosen one
// must connect before the dialog closes.
#pragma once

#include "db/database.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

namespace zorva {

class Tfrm_AdatbazisNyit : public QDialog {
    Q_OBJECT
public:
    // `lines` are the display lines ("n; display name"), `profiles` the plain profiles in
    // the same order.
    Tfrm_AdatbazisNyit(const QStringList &lines, const QStringList &profiles, const QString &title,
                       QWidget *parent = nullptr);

    // The 0-based index of the chosen line, or -1 when the user gave up.  With exactly one
    // line that connects, the dialog is never shown.
    int choose();

    // Tests the profile of the selected line; on success closes the dialog with OK.
    void acceptSelected();

    QListWidget *list() const { return m_list; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    TmySQLDatabase &testConnection() { return Db1; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool testProfile(int index);

    QStringList m_profiles;
    QListWidget *m_list = nullptr;
    QLabel *m_picture = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    TmySQLDatabase Db1;
};

// Shows the chooser; the index of the chosen line or -1.
int ChooseDatabase(const QStringList &lines, const QStringList &profiles, const QString &title,
                   QWidget *parent = nullptr);

}  // namespace zorva
