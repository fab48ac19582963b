#include "messagebox.h"

#include "testseam.h"

#include <QApplication>
#include <QPointer>
#include <QQueue>

namespace zorva {

namespace {

QQueue<QMessageBox::StandardButton> &answers()
{
    static QQueue<QMessageBox::StandardButton> q;
    return q;
}

QList<MessageBox::Shown> &shownLog()
{
    static QList<MessageBox::Shown> l;
    return l;
}

QMessageBox::Icon iconOf(MessageBox::Kind kind)
{
    switch (kind) {
        case MessageBox::Error:
            return QMessageBox::Critical;
        case MessageBox::Warning:
            return QMessageBox::Warning;
        case MessageBox::Information:
            return QMessageBox::Information;
        case MessageBox::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

std::unique_ptr<QMessageBox> MessageBox::createBox(QWidget *parent, Kind kind, const QString &caption,
                                                   const QString &text, QMessageBox::StandardButtons buttons,
                                                   QMessageBox::StandardButton defaultButton)
{
    auto box = std::make_unique<QMessageBox>(iconOf(kind), caption, text, buttons, parent);
    box->setDefaultButton(defaultButton);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

QMessageBox::StandardButton MessageBox::show(QWidget *parent, Kind kind, const QString &caption,
                                             const QString &text, QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton)
{
    QMessageBox::StandardButton answer = defaultButton;
    if (!answers().isEmpty()) {
        answer = answers().dequeue();
    } else if (!testMode()) {
        QPointer<QWidget> previous = QApplication::activeWindow();
        const auto box =
            createBox(parent ? parent : previous.data(), kind, caption, text, buttons, defaultButton);
        const int result = box->exec();
        answer = box->clickedButton() ? box->standardButton(box->clickedButton())
                                      : QMessageBox::StandardButton(result);
        if (answer == QMessageBox::NoButton)
            answer = buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
        if (previous)
            previous->activateWindow();
    }
    shownLog().append({kind, caption, text, answer});
    return answer;
}

void MessageBox::setNextAnswer(QMessageBox::StandardButton answer)
{
    answers().enqueue(answer);
}

void MessageBox::clearAnswers()
{
    answers().clear();
}

void MessageBox::setTestMode(bool on)
{
    seam::setTestMode(on);
}

bool MessageBox::testMode()
{
    return seam::testMode();
}

QList<MessageBox::Shown> MessageBox::log()
{
    return shownLog();
}

void MessageBox::clearLog()
{
    shownLog().clear();
}

void ShowError(const QString &text, QWidget *parent)
{
    MessageBox::show(parent, MessageBox::Error, QStringLiteral("Hiba"), text, QMessageBox::Ok,
                     QMessageBox::Ok);
}

void ShowWarning(const QString &text, QWidget *parent)
{
    MessageBox::show(parent, MessageBox::Warning, QStringLiteral("Figyelmeztetés"), text, QMessageBox::Ok,
                     QMessageBox::Ok);
}

void ShowInfo(const QString &text, QWidget *parent)
{
    MessageBox::show(parent, MessageBox::Information, QStringLiteral("Üzenet"), text, QMessageBox::Ok,
                     QMessageBox::Ok);
}

bool AskYesNo(const QString &text, const QString &caption, QWidget *parent)
{
    return MessageBox::show(parent, MessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                            QMessageBox::Yes) == QMessageBox::Yes;
}

}  // namespace zorva
