#include "dialogfixture.h"

#include "core/globals.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace dialogtest {

void onNextModal(std::function<void(QWidget *)> action)
{
    onModal(QString(), std::move(action));
}

void onModal(const QString &objectName, std::function<void(QWidget *)> action)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, action, objectName] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && (objectName.isEmpty() || modal->objectName() == objectName)) {
            poll->stop();
            poll->deleteLater();
            modal->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(modal));
            action(modal);
            // A dialog the action left open must not hang the test.
            QTimer::singleShot(3000, modal, [modal] {
                if (modal->isVisible()) {
                    ADD_FAILURE() << "the dialog stayed open: " << modal->objectName().toStdString();
                    if (auto *d = qobject_cast<QDialog *>(modal))
                        d->reject();
                }
            });
        }
    });
    poll->start(10);
}

void typeText(QWidget *w, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

QPushButton *buttonOf(QWidget *dialog, const QString &caption)
{
    for (QPushButton *b : dialog->findChildren<QPushButton *>())
        if (b->text() == caption)
            return b;
    return nullptr;
}

SettingsFile::SettingsFile()
{
    zorva::IniPath() = m_folder.file(QStringLiteral("Zorva.ini"));
    zorva::beall().FontSize = 9;
}

SettingsFile::~SettingsFile()
{
    zorva::IniPath().clear();
}

}  // namespace dialogtest
