#include "nyomvalaszt.h"

#include "printers.h"
#include "core/ui/slotguard.h"
#include "core/ui/windowplace.h"
#include "export/ui/outputpictures.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QQueue>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zorva {

namespace {

struct Answer {
    int choice;
    QString printer;
};

QQueue<Answer> &answers()
{
    static QQueue<Answer> q;
    return q;
}

int run(bool withPrinter, QString *printerName, QWidget *parent, bool withHtml = false)
{
    if (!answers().isEmpty()) {
        const Answer a = answers().dequeue();
        if (a.choice >= 0 && printerName)
            *printerName = a.printer;
        return a.choice;
    }
    Tfrm_NyomValaszt dlg(withPrinter, parent, withHtml);
    if (withPrinter)
        dlg.setPrinterName(*printerName);
    if (dlg.exec() != QDialog::Accepted)
        return -1;
    if (withPrinter)
        *printerName = dlg.printerName();
    return dlg.choice();
}

}  // namespace

Tfrm_NyomValaszt::Tfrm_NyomValaszt(bool withPrinterChoice, QWidget *parent, bool withHtmlChoice)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_NyomValaszt"));
    setWindowTitle(QStringLiteral("Nyomtatás típusa"));
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);

    auto *box = new QGroupBox(QStringLiteral("Nyomtatás típusa"), this);
    box->setObjectName(QStringLiteral("RadioGroup1"));
    auto *boxLayout = new QVBoxLayout(box);
    m_group = new QButtonGroup(this);
    const QString captions[kChoiceCount] = {QStringLiteral("Nyomtatási kép"), QStringLiteral("Nyomtatás"),
                                            QStringLiteral("Excelbe (CSV)"), QStringLiteral("Html export")};
    for (int i = 0; i < (withHtmlChoice ? kChoiceCount : kChoiceCount - 1); ++i) {
        auto *rb = new QRadioButton(captions[i], box);
        rb->setObjectName(QStringLiteral("rbChoice%1").arg(i));
        m_group->addButton(rb, i);
        boxLayout->addWidget(rb);
    }
    boxLayout->addStretch(1);

    auto *pictures = new QWidget(this);
    auto *pictureLayout = new QGridLayout(pictures);
    pictureLayout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < kPictureCount; ++i) {
        m_pictures[i] = new QLabel(pictures);
        m_pictures[i]->setObjectName(QStringLiteral("Image%1").arg(i));
        m_pictures[i]->setPixmap(outputPicture(i));
        m_pictures[i]->setFixedSize(100, 100);
        m_pictures[i]->setAlignment(Qt::AlignCenter);
        pictureLayout->addWidget(m_pictures[i], 0, 0);  // one slot, one picture shown at a time
    }

    m_printerLabel = new QLabel(QStringLiteral("Nyomtató"), this);
    m_printerLabel->setObjectName(QStringLiteral("lblNyomtato"));
    m_printers = new QComboBox(this);
    m_printers->setObjectName(QStringLiteral("cbNyomtato"));
    m_printers->setMinimumWidth(260);
    m_printerLabel->setBuddy(m_printers);
    m_printers->addItems(installedPrinters());

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    QPushButton *cancel = buttons->addButton(QStringLiteral("Mégsem"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnMegsem"));
    connect(buttons, &QDialogButtonBox::accepted, this, guarded(this, &QDialog::accept));
    connect(buttons, &QDialogButtonBox::rejected, this, guarded(this, &QDialog::reject));

    auto *grid = new QGridLayout(this);
    grid->addWidget(box, 0, 0);
    grid->addWidget(pictures, 0, 1);
    grid->addWidget(m_printerLabel, 1, 0, 1, 2);
    grid->addWidget(m_printers, 2, 0, 1, 2);
    grid->addWidget(buttons, 3, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    m_printerLabel->setVisible(withPrinterChoice);
    m_printers->setVisible(withPrinterChoice);

    connect(m_group, &QButtonGroup::idToggled, this, guarded([this](int id, bool on) {
                if (on)
                    choiceChanged(id);
            }));
    setChoice(0);
    choiceChanged(0);

    restoreDialogPos(this);
}

int Tfrm_NyomValaszt::choice() const
{
    return m_group->checkedId();
}

void Tfrm_NyomValaszt::setChoice(int index)
{
    if (QAbstractButton *b = m_group->button(index))
        b->setChecked(true);
}

QRadioButton *Tfrm_NyomValaszt::choiceButton(int index) const
{
    return qobject_cast<QRadioButton *>(m_group->button(index));
}

QString Tfrm_NyomValaszt::printerName() const
{
    return m_printers->currentText();
}

void Tfrm_NyomValaszt::setPrinterName(const QString &name)
{
    const int i = name.isEmpty() ? 0 : m_printers->findText(name);
    if (i >= 0 && i < m_printers->count())
        m_printers->setCurrentIndex(i);
}

void Tfrm_NyomValaszt::choiceChanged(int index)
{
    for (int i = 0; i < kPictureCount; ++i)
        m_pictures[i]->setVisible(i == index);
    m_printerLabel->setEnabled(index == 1);
    m_printers->setEnabled(index == 1);
}

void Tfrm_NyomValaszt::done(int result)
{
    storeDialogPos(this);
    QDialog::done(result);
}

int ChooseOutput(QWidget *parent)
{
    return run(false, nullptr, parent);
}

int ChooseOutput(QString &printerName, QWidget *parent)
{
    return run(true, &printerName, parent);
}

int ChooseReportOutput(QWidget *parent)
{
    return run(false, nullptr, parent, true);
}

namespace outputchooser {

void setNextAnswer(int choice, const QString &printerName)
{
    answers().enqueue({choice, printerName});
}

void clearAnswers()
{
    answers().clear();
}

}  // namespace outputchooser

}  // namespace zorva
