#include "beallit.h"

#include "core/cp1250.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/dbhelpers/settingsrow.h"
#include "core/globals.h"
#include "core/ui/filedialog.h"
#include "core/ui/inputbehaviour.h"
#include "core/ui/messagebox.h"
#include "core/ui/slotguard.h"
#include "core/ui/windowplace.h"
#include "masterdata/cashtypes/torzskasszatip.h"

#include "db/errors.h"
#include "db/field.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace zorva {

namespace {

struct CashTypeRow {
    const char *column;
    const char *label;
};

const std::array<CashTypeRow, Tfrm_Beallit::CashTypeRows> &rows()
{
    static const std::array<CashTypeRow, Tfrm_Beallit::CashTypeRows> r{{
        {"kasszatip_ki", "kölcsönbe adok kasszatípus"},
        {"kasszatip_vissza", "kölcsönt törlesztik nekem"},
        {"kapkasszatip_ki", "kölcsönbe kapok kasszatípus"},
        {"kapkasszatip_vissza", "kölcsönt törlesztem"},
        {"kasszatip_csekk", "Csekk befizetés kasszatípus"},
    }};
    return r;
}

}  // namespace

const std::array<const char *, Tfrm_Beallit::CashTypeRows> &Tfrm_Beallit::cashTypeColumns()
{
    static const std::array<const char *, CashTypeRows> c{
        rows()[0].column, rows()[1].column, rows()[2].column, rows()[3].column, rows()[4].column};
    return c;
}

QString Tfrm_Beallit::cashTypeLabel(int row)
{
    return QString::fromUtf8(rows().at(size_t(row)).label);
}

int Tfrm_Beallit::rowOfColumn(const QString &column)
{
    for (int i = 0; i < CashTypeRows; ++i) {
        if (column == QLatin1String(rows()[size_t(i)].column))
            return i;
    }
    return -1;
}

Tfrm_Beallit::Tfrm_Beallit(QWidget *parent)
    : QDialog(parent ? parent : QApplication::activeWindow()), Tbl(&mainConnection())
{
    setObjectName(QStringLiteral("frm_Beallit"));
    setWindowTitle(QStringLiteral("Beállítások"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    Tbl.setObjectName(QStringLiteral("Tbl"));
    Tbl.setTableName(QStringLiteral("beallit"));

    chkFullScreen = new QCheckBox(QStringLiteral("Megnyitáskor teljes képernyő"), this);
    chkFullScreen->setObjectName(QStringLiteral("CheckBox1"));
    chkVanbelep = new QCheckBox(QStringLiteral("Belépésnél jelszót kér"), this);
    chkVanbelep->setObjectName(QStringLiteral("DBCheckBox1"));
    chkLookFor = new QCheckBox(QStringLiteral("Automatikus figyelmeztetés lejáró csekk esetén"), this);
    chkLookFor->setObjectName(QStringLiteral("CheckBox2"));

    auto *pathLabel = new QLabel(QStringLiteral("HTML exportok mappája"), this);
    edtHtmlPath = new QLineEdit(this);
    edtHtmlPath->setObjectName(QStringLiteral("Edit1"));
    edtHtmlPath->setMinimumWidth(340);
    pathLabel->setBuddy(edtHtmlPath);
    btnFolder = new QToolButton(this);
    btnFolder->setObjectName(QStringLiteral("SpeedButton1"));
    btnFolder->setText(QStringLiteral("..."));
    btnFolder->setToolTip(QStringLiteral("Mappa választása"));
    btnFolder->setFocusPolicy(Qt::StrongFocus);
    connect(btnFolder, &QToolButton::clicked, this, guarded(this, &Tfrm_Beallit::chooseFolder));

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(chkFullScreen);
    layout->addWidget(chkVanbelep);
    layout->addWidget(chkLookFor);
    layout->addSpacing(6);
    layout->addWidget(pathLabel);
    auto *pathRow = new QHBoxLayout;
    pathRow->setSpacing(2);
    pathRow->addWidget(edtHtmlPath, 1);
    pathRow->addWidget(btnFolder);
    layout->addLayout(pathRow);

    const auto group = [this, layout](const QString &title, int firstRow, int count) {
        auto *box = new QGroupBox(title, this);
        auto *grid = new QGridLayout(box);
        grid->setColumnMinimumWidth(1, 200);
        grid->setColumnStretch(1, 1);
        for (int r = firstRow; r < firstRow + count; ++r) {
            auto *label = new QLabel(cashTypeLabel(r), box);
            auto *edit = new QLineEdit(box);
            edit->setObjectName(QStringLiteral("edtTipus%1").arg(r + 1));
            edit->setReadOnly(true);
            edit->setFocusPolicy(Qt::NoFocus);
            auto *button = new QToolButton(box);
            button->setObjectName(QStringLiteral("btnTipus%1").arg(r + 1));
            button->setText(QStringLiteral("..."));
            button->setToolTip(QStringLiteral("Kasszatípus választása"));
            button->setFocusPolicy(Qt::StrongFocus);
            connect(button, &QToolButton::clicked, this, guarded([this, r] { chooseCashType(r); }));
            grid->addWidget(label, r - firstRow, 0);
            grid->addWidget(edit, r - firstRow, 1);
            grid->addWidget(button, r - firstRow, 2);
            m_typeEdits[size_t(r)] = edit;
            m_typeButtons[size_t(r)] = button;
        }
        layout->addWidget(box);
    };
    group(QStringLiteral("Kölcsönt adok"), 0, 2);
    group(QStringLiteral("Kölcsönt kapok"), 2, 2);
    group(QStringLiteral("Csekkek"), 4, 1);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("BitBtn1"));
    btnMegsem = new QPushButton(QStringLiteral("Mégsem"), this);
    btnMegsem->setObjectName(QStringLiteral("BitBtn2"));
    for (QPushButton *b : {btnOK, btnMegsem})
        b->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnMegsem);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    connect(btnOK, &QPushButton::clicked, this, guarded(this, &Tfrm_Beallit::accept));
    connect(btnMegsem, &QPushButton::clicked, this, guarded(this, &Tfrm_Beallit::reject));

    installFocusColor(this);
    installEnterAsTab(this);
}

Tfrm_Beallit::~Tfrm_Beallit()
{
    if (Tbl.isActive() && Tbl.state() != TDataSetState::dsBrowse)
        Tbl.cancel();
    Tbl.close();
}

void Tfrm_Beallit::openSettings()
{
    if (!Tbl.isActive())
        Tbl.open();
    const TBeall &b = beall();
    chkFullScreen->setChecked(b.FullScreen);
    chkLookFor->setChecked(b.LookFor);
    edtHtmlPath->setText(b.HtmlPath);
    if (Tbl.isEmpty()) {
        // The row belongs to every database; one that lost it gets it back on OK.
        Tbl.append();
        Tbl.fieldByName(QStringLiteral("beallit_id")).setAsInteger(1);
        Tbl.fieldByName(QStringLiteral("vanbelep")).setAsString(QStringLiteral("N"));
    } else {
        Tbl.first();
        Tbl.edit();
    }
    chkVanbelep->setChecked(Tbl.fieldByName(QStringLiteral("vanbelep")).asString() == QLatin1String("I"));
    for (int r = 0; r < CashTypeRows; ++r)
        showCashType(r);
}

void Tfrm_Beallit::showCashType(int row)
{
    const TField &f = Tbl.fieldByName(QString::fromLatin1(rows()[size_t(row)].column));
    const qint64 key = f.isNull() ? 0 : f.asInteger();
    m_typeEdits[size_t(row)]->setText(LookupName(key, QStringLiteral("kasszatip"), QString()));
}

void Tfrm_Beallit::chooseCashType(int row)
{
    QString name;
    const int id = ChooseKasszaTip(-1, true, &name, this);
    activateWindow();
    if (id == -1)
        return;
    Tbl.fieldByName(QString::fromLatin1(rows()[size_t(row)].column)).setAsInteger(id);
    m_typeEdits[size_t(row)]->setText(name);
}

void Tfrm_Beallit::chooseFolder()
{
    const QString folder =
        FileDialog::getExistingDirectory(this, QStringLiteral("HTML exportok mappája"), edtHtmlPath->text());
    activateWindow();
    if (!folder.isEmpty())
        edtHtmlPath->setText(folder);
}

QString Tfrm_Beallit::signInProblem()
{
    const qint64 admins = QueryInt(QStringLiteral("SELECT COUNT(*) FROM felhasznalo WHERE rendszergazda='I' "
                                                  "AND jelszo IS NOT NULL AND jelszo<>'';"),
                                   0);
    if (admins > 0)
        return {};
    return QStringLiteral(
        "A \"Belépésnél jelszót kér\" nem kapcsolható be: nincs olyan felhasználó, akinek rendszergazda "
        "joga és jelszava van, így a következő indításkor senki sem tudna belépni.\r\n"
        "Előbb a \"Felhasználók\" ablakban (Rendszer menü) vegyen fel ilyen felhasználót.");
}

void Tfrm_Beallit::accept()
{
    // The folder goes to the settings file: one Windows-1250 line.
    QString bad;
    for (const QChar c : edtHtmlPath->text()) {
        if ((cp1250Byte(c.unicode()) < 0 || c == QLatin1Char('\r') || c == QLatin1Char('\n')) &&
            !bad.contains(c))
            bad += c;
    }
    if (!bad.isEmpty()) {
        bad.replace(QLatin1Char('\r'), QStringLiteral("CR")).replace(QLatin1Char('\n'), QStringLiteral("LF"));
        ShowError(QStringLiteral("A mappa nevében olyan karakter van, amelyet a beállítások fájlja nem tud "
                                 "tárolni: %1")
                      .arg(bad),
                  this);
        edtHtmlPath->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (chkVanbelep->isChecked()) {
        const QString problem = signInProblem();
        if (!problem.isEmpty()) {
            ShowError(problem, this);
            chkVanbelep->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    TBeall &b = beall();
    b.FullScreen = chkFullScreen->isChecked();
    b.LookFor = chkLookFor->isChecked();
    b.HtmlPath = edtHtmlPath->text();
    Tbl.fieldByName(QStringLiteral("vanbelep"))
        .setAsString(chkVanbelep->isChecked() ? QStringLiteral("I") : QStringLiteral("N"));
    try {
        Tbl.post();
    } catch (...) {
        Tbl.cancel();
        QDialog::reject();
        throw;
    }
    QDialog::accept();
}

void Tfrm_Beallit::reject()
{
    if (Tbl.isActive() && Tbl.state() != TDataSetState::dsBrowse)
        Tbl.cancel();
    QDialog::reject();
}

void Tfrm_Beallit::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        restoreDialogPos(this);
        chkFullScreen->setFocus(Qt::OtherFocusReason);
    }
}

void Tfrm_Beallit::done(int result)
{
    storeDialogPos(this);
    QDialog::done(result);
}

void ShowSettings(QWidget *parent)
{
    struct ReadAgain {
        ~ReadAgain()
        {
            try {
                readBeallit(mainConnection(), beall());
            } catch (...) {
            }
        }
    } readAgain;
    Tfrm_Beallit w(parent);
    w.openSettings();
    w.exec();
}

bool CashTypeSettingReady(int kasszatip, const QString &settingName, QWidget *parent)
{
    if (kasszatip > 0)
        return true;
    const QString text =
        QStringLiteral("Nincs beállítva a(z) \"%1\" (Beállítások), ezért a művelet nem könyvelhető.")
            .arg(settingName);
    if (!beall().rendszergazda) {
        ShowError(text, parent);
        return false;
    }
    const auto answer = MessageBox::show(
        parent, MessageBox::Question, QStringLiteral("Hiányzó beállítás"),
        text + QStringLiteral("\r\nMegnyissam most a Beállításokat? A művelet utána újra indítható."),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes)
        ShowSettings(parent);
    return false;
}

}  // namespace zorva
