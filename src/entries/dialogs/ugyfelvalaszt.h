// The client list: choosing a client for an entry, a report or a filter, and keeping the
// clients (new, edit, delete).
#pragma once

#include "core/ui/listwindow.h"

#include <QString>

#include <functional>

class TmySQLQuery;

namespace zorva {

class Tfrm_UgyfelValaszt : public ListWindow {
    Q_OBJECT
public:
    explicit Tfrm_UgyfelValaszt(bool choiceMode, QWidget *parent = nullptr);
    ~Tfrm_UgyfelValaszt() override;

    TmySQLQuery *query() const { return m_qry; }
    // Widths of the columns for a grid width: (width - 40) * share, the fraction dropped.
    static QList<int> columnWidthsFor(int gridWidth);

public slots:
    void newRow() override;
    void editRow() override;

protected:
    void openData() override;
    void deleteCurrentRow() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void printList();
    void applyTruncatedWidths();

    TmySQLQuery *m_qry = nullptr;
};

// Opens the client list on client `id` (the first row when there is no such client).
// In choice mode the accepted client's ugyfel (and its ugyfel_nev in `name`); -1 when the
// window is closed without accepting, and always -1 outside choice mode.
int ChooseClient(int id, bool choiceMode, QString *name = nullptr, QWidget *parent = nullptr);

// The client list report behind "Nyomtat"; the action stays disabled until one is set.
void setClientListPrinter(std::function<void(QWidget *parent)> printer);

}  // namespace zorva
