#include "inputbehaviour.h"

#include "slotguard.h"
#include "core/globals.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QChildEvent>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>

namespace zorva {

namespace {

const char *const kPaletteProperty = "zorvaPaletteBeforeFocus";
const char *const kOwnPaletteProperty = "zorvaHadOwnPalette";

bool isInputField(const QWidget *w)
{
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QComboBox *>(w) ||
           qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QTextEdit *>(w) ||
           qobject_cast<const QPlainTextEdit *>(w);
}

// The outermost input field that holds w (a date field's inner line edit belongs to the
// date field), inside root.
QWidget *inputFieldOf(QWidget *w, const QWidget *root)
{
    QWidget *found = nullptr;
    for (QWidget *p = w; p; p = p->parentWidget()) {
        if (isInputField(p))
            found = p;
        if (p == root)
            return found;
    }
    return nullptr;  // not inside root
}

void paintFocused(QWidget *field)
{
    if (field->property(kPaletteProperty).isValid())
        return;
    field->setProperty(kPaletteProperty, QVariant::fromValue(field->palette()));
    field->setProperty(kOwnPaletteProperty, field->testAttribute(Qt::WA_SetPalette));
    QPalette p = field->palette();
    p.setColor(QPalette::Base, FocusColor());
    if (const auto *combo = qobject_cast<QComboBox *>(field); combo && !combo->isEditable())
        p.setColor(QPalette::Button, FocusColor());
    field->setPalette(p);
}

void paintNormal(QWidget *field)
{
    const QVariant saved = field->property(kPaletteProperty);
    if (!saved.isValid())
        return;
    if (field->property(kOwnPaletteProperty).toBool())
        field->setPalette(saved.value<QPalette>());
    else
        field->setPalette(QPalette());
    field->setAttribute(Qt::WA_SetPalette, field->property(kOwnPaletteProperty).toBool());
    field->setProperty(kPaletteProperty, QVariant());
    field->setProperty(kOwnPaletteProperty, QVariant());
}

class EnterAsTab : public QObject {
public:
    EnterAsTab(QWidget *dialog, bool ctrlEnterAccepts)
        : QObject(dialog), m_dialog(dialog), m_ctrlEnterAccepts(ctrlEnterAccepts)
    {
        watch(dialog);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ChildAdded) {
            if (auto *child = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child()))
                watch(child);
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        auto *w = qobject_cast<QWidget *>(watched);
        if (!w || w->window() != m_dialog->window())
            return false;  // a combo box's pop-up list, for example
        if (key->modifiers() & Qt::ControlModifier) {
            if (auto *dialog = qobject_cast<QDialog *>(m_dialog); dialog && m_ctrlEnterAccepts) {
                dialog->accept();
                return true;
            }
            return false;
        }
        if (qobject_cast<QAbstractItemView *>(w) || qobject_cast<QTextEdit *>(w) ||
            qobject_cast<QPlainTextEdit *>(w))
            return false;
        // Only the control that has the focus acts (the event also passes its parents).
        if (w != QApplication::focusWidget())
            return false;
        // A push or tool button is pressed by Enter, as by Space; a check box moves on.
        if (auto *button = qobject_cast<QAbstractButton *>(w);
            button && (qobject_cast<QPushButton *>(w) || qobject_cast<QToolButton *>(w))) {
            if (!key->isAutoRepeat() && button->isEnabled())
                button->click();
            return true;
        }
        if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->view() && combo->view()->isVisible())
            return false;
        focusNext(w);
        return true;
    }

private:
    // The next widget of the focus chain that Tab would reach.
    static void focusNext(QWidget *from)
    {
        QWidget *start = from->focusProxy() ? from->focusProxy() : from;
        for (QWidget *w = start->nextInFocusChain(); w && w != start; w = w->nextInFocusChain()) {
            if (w->window() == start->window() && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() &&
                w->isEnabled() && !w->focusProxy()) {
                w->setFocus(Qt::TabFocusReason);
                return;
            }
        }
    }

    void watch(QWidget *w)
    {
        w->installEventFilter(this);
        for (QWidget *child : w->findChildren<QWidget *>())
            child->installEventFilter(this);
    }

    QPointer<QWidget> m_dialog;
    bool m_ctrlEnterAccepts;
};

}  // namespace

void installFocusColor(QWidget *root)
{
    QPointer<QWidget> guard(root);
    QObject::connect(qApp, &QApplication::focusChanged, root, guarded([guard](QWidget *old, QWidget *now) {
                         if (!guard)
                             return;
                         QWidget *before = old ? inputFieldOf(old, guard) : nullptr;
                         QWidget *after = now ? inputFieldOf(now, guard) : nullptr;
                         if (before && before != after)
                             paintNormal(before);
                         if (after)
                             paintFocused(after);
                     }));
    if (QWidget *focus = QApplication::focusWidget()) {
        if (QWidget *field = inputFieldOf(focus, root))
            paintFocused(field);
    }
}

void installEnterAsTab(QWidget *dialog, bool ctrlEnterAccepts)
{
    new EnterAsTab(dialog, ctrlEnterAccepts);
}

}  // namespace zorva
