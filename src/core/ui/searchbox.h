// The search box of list windows and the keys that move between it and the grid.
#pragma once

#include <QLineEdit>
#include <QString>

class QAbstractItemView;

namespace zorva {

// A character typed on a grid that starts a search: a digit, a letter a-z or one of
// the Hungarian letters á é í ó ö ő ú ü ű, in either case.
bool isSearchStartChar(QChar c);

// The text a search uses from a box that may carry an edit mask: the box's text with the
// mask's trailing separators and blanks of the part not typed yet left out
// ("2026.1" while "2026.1_.__" is shown).  Without a mask the text unchanged.
QString searchTextOf(const QLineEdit &box);

// The search box.  Page Up, Page Down, Up and Down hand the focus to the grid.
class SearchBox : public QLineEdit {
    Q_OBJECT
public:
    explicit SearchBox(QWidget *parent = nullptr);

    void setGrid(QAbstractItemView *grid) { m_grid = grid; }
    // Focus here, the text replaced by the (lower-cased) character, caret after it.
    void startWith(const QString &typed);
    // "9999.99.99" style masks (empty: none); the text is cleared when the mask changes.
    void setEditMask(const QString &editMask);
    QString editMask() const { return m_editMask; }
    // The text for the search (see searchTextOf).
    QString searchText() const { return searchTextOf(*this); }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QAbstractItemView *m_grid = nullptr;
    QString m_editMask;
};

}  // namespace zorva
