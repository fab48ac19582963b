#include "searchbox.h"

#include "inputtext.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace zorva {

bool isSearchStartChar(QChar c)
{
    if (c.isDigit() && c.unicode() < 128)
        return true;
    const QChar l = c.toLower();
    if (l >= u'a' && l <= u'z')
        return true;
    static const QString hungarian = QStringLiteral("áéíóöőúüű");
    return hungarian.contains(l);
}

QString searchTextOf(const QLineEdit &box)
{
    QString text = box.text();
    if (box.inputMask().isEmpty())
        return text;
    // QLineEdit::text() of a masked box keeps the separators of places not typed yet.
    while (!text.isEmpty() && !text.back().isLetterOrNumber())
        text.chop(1);
    return text;
}

SearchBox::SearchBox(QWidget *parent) : QLineEdit(parent) {}

void SearchBox::startWith(const QString &typed)
{
    setFocus(Qt::OtherFocusReason);
    setText(typed.toLower());
    setCursorPosition(int(text().size()));
    if (!inputMask().isEmpty())
        setCursorPosition(int(searchText().size()));
}

void SearchBox::setEditMask(const QString &editMask)
{
    if (editMask == m_editMask)
        return;
    m_editMask = editMask;
    if (editMask.isEmpty()) {
        // Taking the mask away keeps what was typed.
        const QString typed = searchText();
        setInputMask(QString());
        setText(typed);
        return;
    }
    clear();
    setInputMask(qtInputMask(editMask));
    clear();
}

void SearchBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (m_grid) {
            m_grid->setFocus(Qt::OtherFocusReason);
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace zorva
