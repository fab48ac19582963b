#include "backuppanel.h"
#include "core/ui/slotguard.h"

#include "core/ui/filedialog.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace zorva {

namespace {
constexpr int kMargin = 8;
constexpr int kRowHeight = 22;
}  // namespace

TBackupPanel::TBackupPanel(QWidget *parent) : QWidget(parent)
{
    lblCim = new QLabel(QStringLiteral("Biztonsági mentés készítés"), this);
    lblCim->setAutoFillBackground(true);
    lblCim->setBackgroundRole(QPalette::Dark);
    lblCim->setForegroundRole(QPalette::BrightText);
    lblCim->setIndent(4);
    btnBezar = new QToolButton(this);
    btnBezar->setText(QStringLiteral("x"));
    btnBezar->setToolTip(QStringLiteral("Bezár"));
    connect(btnBezar, &QToolButton::clicked, this, guarded(this, &QWidget::hide));
    lblHely = new QLabel(QStringLiteral("MySQLDump.exe program helye"), this);
    EditMysqlDump = new QLineEdit(this);
    btnTalloz = new QToolButton(this);
    btnTalloz->setText(QStringLiteral("..."));
    connect(btnTalloz, &QToolButton::clicked, this, guarded(this, &TBackupPanel::browse));
    btnTeljesMentes = new QPushButton(QStringLiteral("Teljes mentés futtatása"), this);
    btnTeljesMentes->setToolTip(QStringLiteral("Teljes mentés"));
    connect(btnTeljesMentes, &QPushButton::clicked, this, guarded(this, &TBackupPanel::fullBackupRequested));
    setMinimumHeight(4 * kRowHeight + 5 * kMargin);
    hide();
}

QString TBackupPanel::dumpPath() const
{
    return EditMysqlDump->text();
}

void TBackupPanel::setDumpPath(const QString &path)
{
    EditMysqlDump->setText(path);
}

void TBackupPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int w = width();
    lblCim->setGeometry(0, 0, w, kRowHeight);
    btnBezar->setGeometry(w - kRowHeight, 2, kRowHeight - 4, kRowHeight - 4);
    lblHely->setGeometry(kMargin, kRowHeight + kMargin, w - 2 * kMargin, kRowHeight);
    const int row = 2 * kRowHeight + kMargin + 4;
    EditMysqlDump->setGeometry(kMargin, row, w - 63, kRowHeight);
    btnTalloz->setGeometry(kMargin + w - 63, row, kRowHeight + 2, kRowHeight);
    btnTeljesMentes->setGeometry(kMargin, row + kRowHeight + kMargin, w - 30, kRowHeight + 4);
}

void TBackupPanel::browse()
{
    const QString current = EditMysqlDump->text();
    const QString start = current.isEmpty() ? QStringLiteral("/usr/bin") : QFileInfo(current).absolutePath();
    // The dump tool is called mariadb-dump or mysqldump here (mysqldump.exe elsewhere).
    const QString file =
        FileDialog::getOpenFileName(this, QStringLiteral("MySQLDump.exe program helye"), start,
                                    QStringLiteral("mariadb-dump, mysqldump (mariadb-dump mysqldump "
                                                   "mysqldump.exe)"));
    if (!file.isEmpty())
        EditMysqlDump->setText(QFileInfo(file).absoluteFilePath());
}

}  // namespace zorva
