#include "aboutbox.h"

#include "core/ui/mainicons.h"
#include "core/ui/slotguard.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zorva {

QString AboutBox::versionText()
{
    const QString v = QCoreApplication::applicationVersion();
    return QStringLiteral("Verzió: ") + (v.isEmpty() ? QStringLiteral("1.0.0") : v);
}

AboutBox::AboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_Nevjegy"));
    setWindowTitle(QStringLiteral("Névjegy"));
    auto *icon = new QLabel(this);
    icon->setPixmap(mainIcon(MainIcon::CashBox).pixmap(32, 32));
    auto *name = new QLabel(QStringLiteral("Zorva"), this);
    name->setObjectName(QStringLiteral("lblNev"));
    QFont f = name->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 6);
    name->setFont(f);
    auto *text = new QLabel(QStringLiteral("Házipénztár program\n") + versionText(), this);
    text->setObjectName(QStringLiteral("lblVerzio"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, guarded(this, &QDialog::accept));

    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    auto *texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(text);
    top->addLayout(texts, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

}  // namespace zorva
