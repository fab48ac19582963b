// Awkward texts through every dialog that writes: each is stored exactly as the field held
// it, or refused with a message and nothing changed.
#include "masterdata/masterdatafixture.h"

#include "admin/profiles/adatbazis_szerkeszt.h"
#include "admin/users/felhasznaloszerkeszt.h"
#include "bills/types/torzscsekk_szerkeszt.h"
#include "core/globals.h"
#include "core/inifile.h"
#include "core/programsettings.h"
#include "db/memtable.h"
#include "db/table.h"
#include "debts/debts/tartozas_szerkeszt.h"
#include "entries/editor/entryroutines.h"
#include "entries/editor/szerkeszt.h"
#include "masterdata/cashboxes/torzskassza_szerkeszt.h"
#include "masterdata/cashtypes/torzskasszatip_szerkeszt.h"
#include "masterdata/clients/torzsugyfel.h"
#include "masterdata/fixeditems/torzsfix.h"
#include "masterdata/fixeditems/torzsfix_szerkeszt.h"
#include "masterdata/settings/beallit.h"
#include "masterdata/settings/tulajdonos.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace zorva;

namespace {

struct Awkward {
    const char *name;
    QString text;
    bool fitsLatin2;
};

QList<Awkward> awkwardTexts()
{
    return {
        {"quotes", QStringLiteral("O'Brian \"idéző\" `x` '' \\'"), true},
        {"backslashes", QStringLiteral("C:\\mappa\\\\fájl\\"), true},
        {"lone CR", QStringLiteral("első\rmásodik"), true},
        {"lone LF", QStringLiteral("első\nmásodik"), true},
        {"CR LF", QStringLiteral("első\r\nmásodik"), true},
        {"controls",
         QStringLiteral("a\x01\x02\x07\tb\x0b\x0c\x1b\x7f"
                        "c"),
         true},
        {"Hungarian", QStringLiteral("árvíztűrő tükörfúrógép ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP"), true},
        {"255 characters", QString(254, QChar(0x0151)) + QLatin1Char('x'), true},
        {"256 characters", QString(255, QChar(0x0151)) + QLatin1Char('y'), true},
        {"euro and emoji", QString::fromUtf8("5 € és 😀"), false},
        {"Cyrillic", QStringLiteral("Эмма"), false},
    };
}

// What one attempt did.
struct Outcome {
    bool refused = false;
    QString held;       // the field's text when OK was pressed
    int maxLength = 0;  // the field's limit
    bool multiLine = false;
    QString message;  // the refusal's text
};

void setFieldText(QWidget *field, const QString &text, Outcome &o)
{
    if (auto *e = qobject_cast<QLineEdit *>(field)) {
        e->setText(text);
        o.held = e->text();
        o.maxLength = e->maxLength();
    } else if (auto *p = qobject_cast<QPlainTextEdit *>(field)) {
        p->setPlainText(text);
        o.held = p->toPlainText();
        o.maxLength = 32767;
        o.multiLine = true;
    }
}

// Presses OK; a dialog still open afterwards refused, and is cancelled.
void pressOk(QDialog *d, QPushButton *ok, QPushButton *cancel, Outcome &o)
{
    const qsizetype before = MessageBox::log().size();
    ok->click();
    o.refused = d->isVisible() || d->result() != QDialog::Accepted;
    if (MessageBox::log().size() > before)
        o.message = MessageBox::log().last().text;
    if (d->isVisible())
        cancel->click();
}

// Drives the modal edit dialog an open operation shows.
template <class D>
Outcome throughModal(const std::function<void()> &open, const std::function<QWidget *(D *)> &field,
                     const QString &text)
{
    Outcome o;
    mdtest::whenModal<D>([&](D *d) {
        setFieldText(field(d), text, o);
        pressOk(d, d->okButton(), d->cancelButton(), o);
    });
    open();
    return o;
}

// Drives an edit dialog over the pending row of a table, as its list window does.
template <class D>
Outcome throughTable(TDataSet &table, const std::function<QWidget *(D *)> &field, const QString &text)
{
    Outcome o;
    table.edit();
    D d(&table);
    d.load();
    d.show();
    setFieldText(field(&d), text, o);
    pressOk(&d, d.okButton(), d.cancelButton(), o);
    if (table.state() != TDataSetState::dsBrowse)
        table.cancel();
    return o;
}

class FixWindow : public Tfrm_Torzsfix {
public:
    FixWindow() { openData(); }
    ~FixWindow() override { closeData(); }
};

class BadInput : public mdtest::MasterDataTest {
public:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        if (HasFatalFailure())
            return;
        db().execute(
            "INSERT INTO fix (fix, kasszatip, ugyfel, osszeg, szoveg) VALUES (1, 4, 1, 100, 'Albérlet')");
        db().execute(
            "INSERT INTO csekk (csekk, csekk_nev, nap_hatid, osszeg) VALUES (1, 'Villany', 10, 5000)");
        db().execute(
            "INSERT INTO tartozik (tartozik, ugyfel, datum, osszeg, marad, szoveg, tartozas) "
            "VALUES (1, 1, '2024-01-01', 100, 100, 'kölcsön', 'I')");
        db().execute("DELETE FROM felhasznalo");
        db().execute("INSERT INTO felhasznalo VALUES ('Zoli', 'Kiss Zoltán', 'zz', 'I', 'I', 'I', 'I')");
        db().execute("INSERT IGNORE INTO tulajdonos (tulajdonos_id, tulajdonos) VALUES (1, 'Kiss')");
        hid = InsertEntry(1, 2, 1, QStringLiteral("Kenyér"), 450, QDate(2024, 3, 5));
    }
    QString text(const QString &sql) { return db().queryText(sql, QStringLiteral("<none>")); }

    int hid = 0;
};

struct WritePath {
    const char *name;
    std::function<Outcome(BadInput &, const QString &)> send;
    std::function<QString(BadInput &)> stored;
};

QString profileDisplayName(const QString &ini)
{
    const auto profiles = readConnectionProfiles(100, ini);
    return profiles.empty() ? QStringLiteral("<none>")
                            : splitConnectionProfile(profiles.front().text).displayName;
}

}  // namespace

TEST_F(BadInput, EveryWritePathStoresAwkwardTextsExactlyOrRefusesThem)
{
    TmySQLTable kassza(&db()), kasszatip(&db()), felhasznalo(&db());
    for (auto [t, name] :
         {std::pair{&kassza, "kassza"}, {&kasszatip, "kasszatip"}, {&felhasznalo, "felhasznalo"}}) {
        t->setTableName(QString::fromLatin1(name));
        t->open();
    }
    ASSERT_TRUE(kassza.locate("kassza", 1));
    ASSERT_TRUE(kasszatip.locate("kasszatip", 2));
    ASSERT_TRUE(felhasznalo.locate("felhasznalo", "Zoli"));
    TkbmMemTable profiles;
    for (const char *name : {"adatbazis", "kiszolgalo"})
        profiles.addFieldDef(QString::fromLatin1(name), TFieldType::ftString, 50);
    profiles.addFieldDef(QStringLiteral("port"), TFieldType::ftInteger);
    for (const char *name : {"felhasznalo", "jelszo", "adatbazisnev"})
        profiles.addFieldDef(QString::fromLatin1(name), TFieldType::ftString, 50);
    profiles.open();
    profiles.append();
    for (const char *name : {"adatbazis", "kiszolgalo", "felhasznalo", "jelszo", "adatbazisnev"})
        profiles.fieldByName(QString::fromLatin1(name)).setAsString(QStringLiteral("x"));
    profiles.fieldByName(QStringLiteral("port")).setAsInteger(3306);
    profiles.post();
    const QString ini = folder.file(QStringLiteral("profiles.ini"));

    const QList<WritePath> paths = {
        {"entry",
         [](BadInput &t, const QString &s) {
             return throughModal<Tfrm_Szerkeszt>([&t] { EditEntry(t.hid); },
                                                 [](Tfrm_Szerkeszt *d) { return d->textEdit(); }, s);
         },
         [](BadInput &t) {
             return t.text(QStringLiteral("SELECT szoveg FROM hazikassza WHERE hid=%1").arg(t.hid));
         }},
        {"cash box",
         [&kassza](BadInput &, const QString &s) {
             return throughTable<Tfrm_TorzsKassza_Szerkeszt>(
                 kassza, [](Tfrm_TorzsKassza_Szerkeszt *d) { return d->nameEdit(); }, s);
         },
         [](BadInput &t) { return t.text("SELECT kassza_nev FROM kassza WHERE kassza=1"); }},
        {"cash type",
         [&kasszatip](BadInput &, const QString &s) {
             return throughTable<Tfrm_TorzsKasszaTip_Szerkeszt>(
                 kasszatip, [](Tfrm_TorzsKasszaTip_Szerkeszt *d) { return d->nameEdit(); }, s);
         },
         [](BadInput &t) { return t.text("SELECT kasszatip_nev FROM kasszatip WHERE kasszatip=2"); }},
        {"client",
         [](BadInput &, const QString &s) {
             return throughModal<Tfrm_TorzsUgyfel>([] { EditClient(1); },
                                                   [](Tfrm_TorzsUgyfel *d) { return d->addressEdit(); }, s);
         },
         [](BadInput &t) { return t.text("SELECT cim_cim FROM ugyfel WHERE ugyfel=1"); }},
        {"fixed item",
         [](BadInput &, const QString &s) {
             FixWindow w;
             return throughModal<Tfrm_Torzsfix_Szerkeszt>(
                 [&w] { w.editRow(); }, [](Tfrm_Torzsfix_Szerkeszt *d) { return d->textEdit(); }, s);
         },
         [](BadInput &t) { return t.text("SELECT szoveg FROM fix WHERE fix=1"); }},
        {"bill type",
         [](BadInput &, const QString &s) {
             return throughModal<Tfrm_TorzsCsekk_Szerkeszt>(
                 [] { EditCsekk(1); }, [](Tfrm_TorzsCsekk_Szerkeszt *d) { return d->nameEdit(); }, s);
         },
         [](BadInput &t) { return t.text("SELECT csekk_nev FROM csekk WHERE csekk=1"); }},
        {"loan",
         [](BadInput &, const QString &s) {
             return throughModal<Tfrm_Tartozas_Szerkeszt>(
                 [] { EditTartozas(1, 1, true); }, [](Tfrm_Tartozas_Szerkeszt *d) { return d->noteEdit(); },
                 s);
         },
         [](BadInput &t) { return t.text("SELECT szoveg FROM tartozik WHERE tartozik=1"); }},
        {"user",
         [&felhasznalo](BadInput &, const QString &s) {
             return throughTable<Tfrm_FelhasznaloSzerkeszt>(
                 felhasznalo, [](Tfrm_FelhasznaloSzerkeszt *d) { return d->fullNameEdit(); }, s);
         },
         [](BadInput &t) {
             return t.text("SELECT felhasznalo_nev FROM felhasznalo WHERE felhasznalo='Zoli'");
         }},
        {"owner",
         [](BadInput &, const QString &s) {
             return throughModal<Tfrm_Tulajdonos>(
                 [] { EditOwner(); }, [](Tfrm_Tulajdonos *d) { return d->edit(QStringLiteral("cim")); }, s);
         },
         [](BadInput &t) { return t.text("SELECT cim FROM tulajdonos WHERE tulajdonos_id=1"); }},
        {"settings",
         [&ini](BadInput &, const QString &s) {
             Outcome o = throughModal<Tfrm_Beallit>([] { ShowSettings(); },
                                                    [](Tfrm_Beallit *d) { return d->htmlPathEdit(); }, s);
             writeProgramSettings(beall(), 1, ini);
             return o;
         },
         [&ini](BadInput &) {
             return IniFile(ini).readString(QStringLiteral("Defaults"), QStringLiteral("HtmlPath"), {});
         }},
        {"profile",
         [&profiles, &ini](BadInput &, const QString &s) {
             Outcome o = throughTable<Tfrm_Adatbazis_Szerkeszt>(
                 profiles, [](Tfrm_Adatbazis_Szerkeszt *d) { return d->nameEdit(); }, s);
             // The profile list writes its rows into the settings file.
             QStringList fields;
             for (const char *name :
                  {"adatbazis", "kiszolgalo", "port", "felhasznalo", "jelszo", "adatbazisnev"})
                 fields << profiles.fieldByName(QString::fromLatin1(name)).asString();
             writeConnectionProfiles({fields.join(QLatin1Char(';')) + QLatin1Char(';')}, ini);
             return o;
         },
         [&ini](BadInput &) { return profileDisplayName(ini); }},
    };

    // A stored text with CR LF that is left as it was keeps its line ends.
    db().execute("UPDATE fix SET szoveg = 'a\r\nb\rc' WHERE fix = 1");
    {
        FixWindow w;
        mdtest::whenModal<Tfrm_Torzsfix_Szerkeszt>(
            [](Tfrm_Torzsfix_Szerkeszt *d) { d->okButton()->click(); });
        w.editRow();
    }
    EXPECT_EQ(text("SELECT szoveg FROM fix WHERE fix=1"), QStringLiteral("a\r\nb\rc"));

    for (const WritePath &path : paths) {
        for (const Awkward &a : awkwardTexts()) {
            SCOPED_TRACE(std::string(path.name) + ": " + a.name);
            const QString before = path.stored(*this);
            const Outcome o = path.send(*this, a.text);
            const QString after = path.stored(*this);
            if (o.refused) {
                EXPECT_FALSE(o.message.isEmpty()) << "refused without a word";
                EXPECT_EQ(after, before) << "a refusal changed the stored text";
                continue;
            }
            const bool settingsFile =
                QString::fromUtf8(path.name) == "profile" || QString::fromUtf8(path.name) == "settings";
            EXPECT_TRUE(a.fitsLatin2 || settingsFile)
                << "stored a text the database cannot hold: " << after.toStdString();
            EXPECT_EQ(after, o.held) << "stored " << after.toStdString();
            // A field shorter than the text shows the cut as it is typed, a multi-line field
            // shows CR LF and a lone CR as its line break; nothing else may change the text.
            QString sent = a.text;
            if (o.multiLine)
                sent.replace(QLatin1String("\r\n"), QLatin1String("\n"))
                    .replace(QLatin1Char('\r'), QLatin1Char('\n'));
            EXPECT_TRUE(o.held == sent || (sent.size() > o.maxLength && o.held == sent.left(o.maxLength)))
                << "the field altered the text: " << o.held.toStdString();
        }
    }
}
