#include "dialogfixture.h"

#include "globals.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace dialogtest {

void onNextModal(std::function<void(QWidget *)> action)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            action(modal);
        }
    });
    poll->start(10);
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
