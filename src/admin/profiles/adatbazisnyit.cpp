#include "adatbazisnyit.h"

#include "profileconnection.h"
#include "core/ui/mainicons.h"
#include "core/ui/slotguard.h"
#include "core/ui/windowplace.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace zorva {

Tfrm_AdatbazisNyit::Tfrm_AdatbazisNyit(const QStringList &lines, const QStringList &profiles,
                                       const QString &title, QWidget *parent)
    : QDialog(parent), m_profiles(profiles)
{
    setObjectName(QStringLiteral("frm_AdatbazisNyit"));
    setWindowTitle(title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Db1.setObjectName(QStringLiteral("Db1"));
    Db1.setConnectOptions(coCompress);
    Db1.setParams({QStringLiteral("Port=3306"), QStringLiteral("TIMEOUT=30")});

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstAdatbazis"));
    QFont bold(QStringLiteral("Arial"));
    bold.setBold(true);
    m_list->setFont(bold);
    m_list->addItems(lines);
    m_list->setMinimumSize(360, 160);

    m_picture = new QLabel(this);
    m_picture->setPixmap(styleIcon(QStyle::SP_DriveNetIcon).pixmap(32, 32));

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("btnOK"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Mégsem"), this);
    m_cancel->setObjectName(QStringLiteral("btnMegsem"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_picture);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_ok, &QPushButton::clicked, this, guarded(this, &Tfrm_AdatbazisNyit::acceptSelected));
    connect(m_cancel, &QPushButton::clicked, this, guarded(this, &QDialog::reject));
    connect(m_list, &QListWidget::itemDoubleClicked, this, guarded([this](QListWidgetItem *item) {
                if (item && item->isSelected())
                    acceptSelected();
            }));

    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
}

void Tfrm_AdatbazisNyit::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_list->setFocus();
}

bool Tfrm_AdatbazisNyit::testProfile(int index)
{
    if (index < 0 || index >= m_profiles.size())
        return false;
    return TestProfileConnection(Db1, m_profiles.at(index), this);
}

void Tfrm_AdatbazisNyit::acceptSelected()
{
    const int row = m_list->currentRow();
    if (row < 0 || !m_list->item(row)->isSelected())
        return;
    if (testProfile(row))
        accept();
}

int Tfrm_AdatbazisNyit::choose()
{
    if (m_list->count() == 0)
        return -1;
    if (m_list->count() == 1 && testProfile(0))
        return 0;
    if (exec() != QDialog::Accepted)
        return -1;
    return m_list->currentRow();
}

int ChooseDatabase(const QStringList &lines, const QStringList &profiles, const QString &title,
                   QWidget *parent)
{
    Tfrm_AdatbazisNyit dlg(lines, profiles, title, parent);
    return dlg.choose();
}

}  // namespace zorva
