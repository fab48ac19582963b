// The user list: the rows of table felhasznalo ordered by user name, with their four
// rights drawn as check boxes; users are created, edited and deleted through the user
// editor.  An administrator opens it from the main window.
#pragma once

#include "core/ui/listwindow.h"

#include "db/table.h"

namespace zorva {

class Tfrm_Felhasznalo : public ListWindow {
    Q_OBJECT
public:
    explicit Tfrm_Felhasznalo(QWidget *parent = nullptr);
    ~Tfrm_Felhasznalo() override;

    TmySQLTable &table() { return Tbl; }
    // The user name of the current row; empty on an empty list.
    QString currentUser() const;
    // Moves to the row of `user` (exactly as stored); false when there is none.
    bool moveToUser(const QString &user);

public slots:
    // A written row takes its place in the order of the names.
    void newRow() override;
    void editRow() override;
    // The last administrator is not deleted; anyone else after the question.
    void deleteRow() override;

protected:
    void openData() override;
    void prepareNewRow() override;
    std::unique_ptr<QDialog> createEditDialog(bool inserting) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void reread();

    TmySQLTable Tbl;
};

// The open operation of the main window's "Felhasználók": shows the user list modally
// over the main connection (the administrator check is the caller's).
void ShowUsers(QWidget *parent = nullptr);

}  // namespace zorva
