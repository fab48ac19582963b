#include "inputtext.h"

#include "slotguard.h"
#include "testseam.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QQueue>
#include <QScreen>

#include <optional>

namespace zorva {

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const qint64 p = qint64(a) * b;
    const qint64 q = p / c;
    const qint64 r = p % c;
    // Round half away from zero.
    if (2 * std::llabs(r) >= std::llabs(qint64(c)))
        return int(q + (((p < 0) != (c < 0)) ? -1 : 1));
    return int(q);
}

namespace {

QQueue<std::optional<QString>> &queued()
{
    static QQueue<std::optional<QString>> q;
    return q;
}

QStringList maskSections(const QString &editMask)
{
    // The last two ';'-separated sections are the options when present.
    QStringList parts = editMask.split(QLatin1Char(';'));
    while (parts.size() < 3)
        parts << QString();
    return parts;
}

}  // namespace

QString qtInputMask(const QString &editMask)
{
    if (editMask.isEmpty())
        return QString();
    const QStringList parts = maskSections(editMask);
    const QString mask = parts.at(0);
    const QString blank = parts.at(2).isEmpty() ? QStringLiteral("_") : parts.at(2).left(1);
    QString out;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask.at(i);
        switch (c.unicode()) {
            case '0':
                out += QLatin1Char('9');  // digit required
                break;
            case '9':
                out += QLatin1Char('0');  // digit permitted
                break;
            case 'L':
                out += QLatin1Char('A');
                break;
            case 'l':
                out += QLatin1Char('a');
                break;
            case 'A':
                out += QLatin1Char('N');
                break;
            case 'a':
                out += QLatin1Char('n');
                break;
            case 'C':
                out += QLatin1Char('X');
                break;
            case 'c':
                out += QLatin1Char('x');
                break;
            case '#':
            case '>':
            case '<':
                out += c;
                break;
            case '\\':
                if (i + 1 < mask.size())
                    out += QLatin1Char('\\') + mask.at(++i);
                break;
            default:
                // A literal; escape the characters Qt would read as mask characters.
                if (QStringLiteral("AaNnXx90Dd#HhBb><!\\{}[]").contains(c))
                    out += QLatin1Char('\\');
                out += c;
        }
    }
    return out + QLatin1Char(';') + blank;
}

QString maskedValue(const QString &editMask, const QString &text)
{
    if (editMask.isEmpty())
        return text;
    const QStringList parts = maskSections(editMask);
    const QString mask = parts.at(0);
    const bool keepLiterals = parts.at(1) != QLatin1String("0");
    const QChar blank = parts.at(2).isEmpty() ? QLatin1Char('_') : parts.at(2).at(0);
    QString out;
    static const QString placeChars = QStringLiteral("09LlAaCc#");
    qsizetype t = 0;
    for (qsizetype i = 0; i < mask.size() && t < text.size(); ++i) {
        QChar m = mask.at(i);
        bool literal = !placeChars.contains(m);
        if (m == QLatin1Char('>') || m == QLatin1Char('<'))
            continue;
        if (m == QLatin1Char('\\') && i + 1 < mask.size()) {
            m = mask.at(++i);
            literal = true;
        }
        const QChar c = text.at(t++);
        if (literal) {
            if (keepLiterals)
                out += c;
        } else if (c != blank) {
            out += c;
        }
    }
    return out.trimmed();
}

InputTextDialog::InputTextDialog(const QString &caption, const QString &prompt, const QString &mask,
                                 const QString &value, QWidget *parent)
    : QDialog(parent), m_mask(mask)
{
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    const QFontMetrics fm(font());
    m_hu = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 52;
    m_vu = fm.height();

    const int left = MulDiv(8, m_hu, 4);
    const int fieldWidth = MulDiv(164, m_hu, 4);

    m_prompt = new QLabel(prompt, this);
    m_prompt->setWordWrap(true);
    m_prompt->setMaximumWidth(fieldWidth);
    const QSize promptSize(qMin(fieldWidth, fm.horizontalAdvance(prompt)),
                           m_prompt->heightForWidth(fieldWidth));
    m_prompt->setGeometry(left, MulDiv(8, m_vu, 8), qMax(promptSize.width(), 1),
                          qMax(promptSize.height(), fm.height()));

    m_edit = new QLineEdit(this);
    m_edit->setMaxLength(255);
    if (!mask.isEmpty())
        m_edit->setInputMask(qtInputMask(mask));
    m_edit->setText(value);
    m_edit->selectAll();
    m_edit->setGeometry(left, m_prompt->geometry().bottom() + 1 + 5, fieldWidth, m_edit->sizeHint().height());

    const int buttonTop = m_edit->geometry().bottom() + 1 + 15;
    const int buttonWidth = MulDiv(50, m_hu, 4);
    const int buttonHeight = MulDiv(14, m_vu, 8);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    m_ok->setGeometry(MulDiv(38, m_hu, 4), buttonTop, buttonWidth, buttonHeight);
    m_cancel = new QPushButton(QStringLiteral("Mégsem"), this);
    m_cancel->setGeometry(MulDiv(92, m_hu, 4), buttonTop, buttonWidth, buttonHeight);
    connect(m_ok, &QPushButton::clicked, this, guarded(this, &QDialog::accept));
    connect(m_cancel, &QPushButton::clicked, this, guarded(this, &QDialog::reject));

    setFixedSize(MulDiv(180, m_hu, 4), buttonTop + buttonHeight + 13);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        move(r.center() - QPoint(width() / 2, height() / 2));
    }
    m_edit->setFocus();
}

QString InputTextDialog::value() const
{
    return m_mask.isEmpty() ? m_edit->text() : maskedValue(m_mask, m_edit->displayText());
}

bool InputText(const QString &caption, const QString &prompt, const QString &mask, QString &value,
               QWidget *parent)
{
    if (!queued().isEmpty()) {
        const std::optional<QString> answer = queued().dequeue();
        if (!answer)
            return false;
        value = *answer;
        return true;
    }
    if (seam::testMode())
        return false;
    InputTextDialog dialog(caption, prompt, mask, value, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = dialog.value();
    return true;
}

void setNextInputText(const QString &value)
{
    queued().enqueue(value);
}

void setNextInputCancel()
{
    queued().enqueue(std::nullopt);
}

void clearInputTexts()
{
    queued().clear();
}

}  // namespace zorva
