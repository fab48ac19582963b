#include "windowtour.h"

#include "admin/login/login.h"
#include "admin/profiles/adatbazis.h"
#include "admin/profiles/adatbazisnyit.h"
#include "admin/sql/sql.h"
#include "admin/users/felhasznalo.h"
#include "app/init.h"
#include "app/mainwindow/main.h"
#include "app/splash.h"
#include "bills/payments/csekkfizet.h"
#include "bills/payments/fizetnikell.h"
#include "bills/types/torzscsekk.h"
#include "charts/chbevkiad.h"
#include "charts/chcsekkidoszak.h"
#include "charts/chcsekkmegoszlas.h"
#include "charts/chelemzes.h"
#include "charts/chmegoszlas.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/dbhelpers/settingsrow.h"
#include "core/globals.h"
#include "core/ui/filedialog.h"
#include "core/ui/helpkey.h"
#include "core/ui/listwindow.h"
#include "core/ui/messagebox.h"
#include "core/ui/testseam.h"
#include "db/database.h"
#include "debts/debts/tartozas.h"
#include "debts/repayments/torleszt.h"
#include "entries/bankimport/import.h"
#include "entries/bankimport/importpartner.h"
#include "entries/bankimport/importszabaly.h"
#include "entries/dialogs/honap.h"
#include "entries/dialogs/idoszak.h"
#include "entries/dialogs/inpstr.h"
#include "entries/dialogs/inpszamszoveg.h"
#include "entries/dialogs/ugyfelvalaszt.h"
#include "entries/editor/szerkeszt.h"
#include "masterdata/cashboxes/torzskassza.h"
#include "masterdata/cashtypes/torzskasszatip.h"
#include "masterdata/clients/torzsugyfel.h"
#include "masterdata/fixeditems/torzsfix.h"
#include "masterdata/settings/beallit.h"
#include "masterdata/settings/tulajdonos.h"
#include "reports/cashbook/cashbookreports.h"
#include "reports/ui/nyomvalaszt.h"
#include "reports/ui/reportpreview.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPointer>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

namespace zorva {

namespace {

// What is done to a window that comes on the way to the pictured one.
using Step = std::function<void(QWidget *)>;

Step act(const char *action)
{
    return [action](QWidget *w) {
        if (auto *a = w->findChild<QAction *>(QLatin1String(action)))
            QTimer::singleShot(0, a, &QAction::trigger);
    };
}

// Takes the current row of a list window opened for a choice.
Step choose()
{
    return [](QWidget *w) {
        if (auto *l = qobject_cast<ListWindow *>(w))
            QTimer::singleShot(0, l, &ListWindow::acceptRow);
    };
}

struct Stop {
    QString windowClass;
    // Opens the way; a modal window runs inside it.  A window that is not modal is
    // handed back to be kept until it is pictured.
    std::function<std::unique_ptr<QWidget>()> open;
    QList<Step> steps;
};

int firstKey(const QString &sql)
{
    return int(QueryInt(sql, 0));
}

QString monthsAgo(int months)
{
    return QDate::currentDate().addMonths(-months).toString(QStringLiteral("yyyyMM"));
}

template <class F>
std::function<std::unique_ptr<QWidget>()> modal(F f)
{
    return [f]() -> std::unique_ptr<QWidget> {
        f();
        return nullptr;
    };
}

template <class W, class... A>
std::function<std::unique_ptr<QWidget>()> shown(A... args)
{
    return [=]() -> std::unique_ptr<QWidget> {
        auto w = std::make_unique<W>(args...);
        w->show();
        return w;
    };
}

QList<Stop> stops(Tfrm_Main *main, TmySQLDatabase &db, const QString &scratch)
{
    const QDate today = QDate::currentDate();
    const QDate monthAgo = today.addMonths(-1);
    QList<Stop> s;
    s << Stop{QStringLiteral("Tfrm_Splash"), shown<Tfrm_Splash>(), {}};
    s << Stop{QStringLiteral("Tfrm_Init"), modal([main] { Tfrm_Init(main).exec(); }), {}};
    s << Stop{QStringLiteral("Tfrm_AdatbazisNyit"), modal([main] {
                  ChooseDatabase({QStringLiteral("Otthon (localhost)"), QStringLiteral("Nyaraló (192.168.1.20)")},
                                 {QStringLiteral("zorva;localhost;3306;zorva;;Otthon"),
                                  QStringLiteral("nyaralo;192.168.1.20;3306;zorva;;Nyaraló")},
                                 QStringLiteral("Adatbázis választás"), main);
              }),
              {}};
    s << Stop{QStringLiteral("Tfrm_Login"), modal([main, &db] { Tfrm_Login(db, main).exec(); }), {}};
    s << Stop{QStringLiteral("Tfrm_Szerkeszt"), modal([main] { EditEntry(-1, main); }), {choose(), choose()}};
    s << Stop{QStringLiteral("Tfrm_Idoszak"), modal([main, monthAgo, today] {
                  QDate f = monthAgo, t = today;
                  AskDateRange(f, t, QString(), main);
              }),
              {}};
    s << Stop{QStringLiteral("Tfrm_Honap"), modal([main] {
                  QString f = monthsAgo(12), t = monthsAgo(0);
                  AskMonthRange(f, t, main);
              }),
              {}};
    s << Stop{QStringLiteral("Tfrm_InpStr"), modal([main] {
                  QString v = QStringLiteral("Villanyszámla");
                  AskText(QStringLiteral("Keresés"), QStringLiteral("Keresett szöveg"), QString(), 50, v, main);
              }),
              {}};
    s << Stop{QStringLiteral("Tfrm_InpSzamSzoveg"), modal([main] {
                  double a = 12500;
                  QString t = QStringLiteral("Közös költség");
                  AskAmountAndText(QStringLiteral("Fix tétel"), QStringLiteral("Összeg"), a, QStringLiteral("Szöveg"),
                                   t, main);
              }),
              {}};
    s << Stop{QStringLiteral("Tfrm_UgyfelValaszt"), modal([main] { ChooseClient(-1, false, nullptr, main); }), {}};
    s << Stop{QStringLiteral("Tfrm_TorzsUgyfel"),
              modal([main] { EditClient(firstKey(QStringLiteral("SELECT MIN(ugyfel) FROM ugyfel WHERE ugyfel>0")), main); }),
              {}};
    s << Stop{QStringLiteral("Tfrm_TorzsKassza"), modal([main] { ChooseCassa(-1, false, nullptr, main); }), {}};
    s << Stop{QStringLiteral("Tfrm_TorzsKassza_Szerkeszt"), modal([main] { ChooseCassa(-1, false, nullptr, main); }),
              {act("aSzerkeszt")}};
    s << Stop{QStringLiteral("Tfrm_TorzsKasszaTip"), modal([main] { ChooseKasszaTip(-1, false, 0, main); }), {}};
    s << Stop{QStringLiteral("Tfrm_TorzsKasszaTip_Szerkeszt"),
              modal([main] { ChooseKasszaTip(-1, false, 0, main); }), {act("aSzerkeszt")}};
    s << Stop{QStringLiteral("Tfrm_Torzsfix"), modal([main] { ChooseFix(-1, false, main); }), {}};
    s << Stop{QStringLiteral("Tfrm_Torzsfix_Szerkeszt"), modal([main] { ChooseFix(-1, false, main); }),
              {act("aSzerkeszt")}};
    s << Stop{QStringLiteral("Tfrm_TorzsCsekk"), modal([main] { ChooseCsekk(-1, false, main); }), {}};
    s << Stop{QStringLiteral("Tfrm_TorzsCsekk_Szerkeszt"), modal([main] { ChooseCsekk(-1, false, main); }),
              {act("aSzerkeszt")}};
    s << Stop{QStringLiteral("Tfrm_CsekkFizet"), modal([main] { ShowBillPayments({}, main); }), {}};
    s << Stop{QStringLiteral("Tfrm_CsekkFizet_Szerkeszt"), modal([main] { ShowBillPayments({}, main); }),
              {act("aUj"), choose()}};
    s << Stop{QStringLiteral("Tfrm_FizetniKell"), modal([main] { ShowDueBills(main); }), {}};
    s << Stop{QStringLiteral("Tfrm_Tartozas"), modal([main] { ShowClaims({}, main); }), {}};
    s << Stop{QStringLiteral("Tfrm_Tartozas_Szerkeszt"), modal([main] { ShowClaims({}, main); }),
              {act("aKolcsonad"), choose()}};
    s << Stop{QStringLiteral("Tfrm_Torleszt"), modal([main] {
                  ShowDebtMovements(firstKey(QStringLiteral("SELECT MIN(tartozik) FROM torleszt")), main);
              }),
              {}};
    s << Stop{QStringLiteral("Tfrm_Beallit"), modal([main] { ShowSettings(main); }), {}};
    s << Stop{QStringLiteral("Tfrm_Tulajdonos"), modal([main] { EditOwner(main); }), {}};
    s << Stop{QStringLiteral("Tfrm_Felhasznalo"), modal([main] { ShowUsers(main); }), {}};
    s << Stop{QStringLiteral("Tfrm_FelhasznaloSzerkeszt"), modal([main] { ShowUsers(main); }), {act("aSzerkeszt")}};
    s << Stop{QStringLiteral("Tfrm_Adatbazis"), modal([main] { ShowDatabases(main); }), {}};
    s << Stop{QStringLiteral("Tfrm_Adatbazis_Szerkeszt"), modal([main] { ShowDatabases(main); }), {act("aUj")}};
    s << Stop{QStringLiteral("Tfrm_SQL"), modal([main] { ShowSqlWindow(main); }), {}};
    s << Stop{QStringLiteral("Tfrm_NyomValaszt"), modal([main] { ChooseReportOutput(main); }), {}};
    s << Stop{QStringLiteral("ReportPreviewDialog"), modal([main, &db, monthAgo, today] {
                  auto rep = buildPeriodMovements(db, 0, -1, monthAgo, today);
                  ReportPreviewDialog(*rep->report, main).exec();
              }),
              {}};
    s << Stop{QStringLiteral("Tfrm_Grid2Html"), modal([main] {
                  if (auto *a = main->findChild<QAction *>(QStringLiteral("aHtml")))
                      a->trigger();
              }),
              {}};
    s << Stop{QStringLiteral("Tfrm_Hatarolt"), modal([main] {
                  if (auto *a = main->findChild<QAction *>(QStringLiteral("aExcelbe")))
                      a->trigger();
              }),
              {}};
    s << Stop{QStringLiteral("Tfrm_chBevKiad"), modal([main] { ShowIncomeExpenseChart(monthsAgo(12), monthsAgo(0), main); }),
              {}};
    s << Stop{QStringLiteral("Tfrm_chMegoszlas"),
              modal([main] { ShowDistributionChart(monthsAgo(12), monthsAgo(0), -1, main); }), {}};
    s << Stop{QStringLiteral("Tfrm_chCsekkMegoszlas"),
              modal([main] { ShowBillTypeChart(monthsAgo(12), monthsAgo(0), main); }), {}};
    s << Stop{QStringLiteral("Tfrm_chCsekkIdoszak"),
              modal([main] { ShowBillPaymentChart(monthsAgo(12), monthsAgo(0), main); }), {}};
    s << Stop{QStringLiteral("Tfrm_chElemzes"),
              modal([main, today] { ShowCashFlowBrowser(QDate(today.year(), 1, 1), today, main); }), {}};
    const QString statement = scratch + QStringLiteral("/kivonat.csv");
    s << Stop{QStringLiteral("Tfrm_Import"), modal([main, statement] {
                  FileDialog::setNextFileName(statement);
                  ImportStatement(main);
              }),
              {}};
    s << Stop{QStringLiteral("Tfrm_ImportPartner"), modal([main] {
                  QHash<QString, PartnerChoice> choices;
                  choices.insert(QStringLiteral("MOL NYRT."), PartnerChoice{});
                  choices.insert(QStringLiteral("DM KFT."), PartnerChoice{PartnerChoice::Create, 0});
                  Tfrm_ImportPartner(choices, main).exec();
              }),
              {}};
    s << Stop{QStringLiteral("Tfrm_ImportSzabaly"), modal([main] { EditImportRules(main); }), {}};
    s << Stop{QStringLiteral("Tfrm_ImportSzabaly_Szerkeszt"), modal([main] { EditImportRules(main); }),
              {act("aUj")}};
    return s;
}

// A bank statement of a few rows for the import window.
void writeStatement(const QString &path)
{
    const QDate d = QDate::currentDate();
    QString text = QStringLiteral("Könyvelés dátuma;Partner neve;Közlemény;Összeg\n");
    const struct {
        int days;
        const char *partner;
        const char *note;
        const char *amount;
    } rows[] = {{9, "MUNKAHELY ZRT.", "Munkabér", "412 500"},
                {7, "MOL NYRT.", "Üzemanyag", "-18 940"},
                {5, "DM KFT.", "Drogéria", "-6 215"},
                {2, "ELMŰ NYRT.", "Villanyszámla", "-11 780"}};
    for (const auto &r : rows)
        text += d.addDays(-r.days).toString(QStringLiteral("yyyy.MM.dd.")) + u';' + QString::fromUtf8(r.partner) +
                u';' + QString::fromUtf8(r.note) + u';' + QString::fromUtf8(r.amount) + u'\n';
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(text.toUtf8());
}

void closeModals()
{
    for (int i = 0; i < 10 && QApplication::activeModalWidget(); ++i) {
        QWidget *w = QApplication::activeModalWidget();
        if (auto *d = qobject_cast<QDialog *>(w))
            d->reject();
        else
            w->close();
        QApplication::processEvents();
    }
}

QStringList actionNames(const QWidget *w)
{
    QStringList names;
    for (const QAction *a : w->findChildren<QAction *>())
        if (!a->objectName().isEmpty() && !names.contains(a->objectName()))
            names << a->objectName();
    names.sort();
    return names;
}

// Waits for the stop's window: steps on the windows that come first, then the picture.
TourPicture visit(const Stop &stop, const QSet<QWidget *> &before, const QString &folder)
{
    TourPicture out;
    out.windowClass = stop.windowClass;
    std::unique_ptr<QWidget> kept;
    QPointer<QWidget> keptAlive;  // a window may delete itself when it closes
    QList<Step> steps = stop.steps;
    QSet<QWidget *> handled;
    QEventLoop loop;
    bool done = false;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    poll.setInterval(60);
    const auto finish = [&](const QString &problem) {
        out.problem = problem;
        done = true;
        poll.stop();
        closeModals();
        QWidget *k = kept.release();
        if (k && keptAlive)
            delete k;
        loop.quit();
    };
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done)
            return;
        QWidget *w = QApplication::activeModalWidget();
        if (!w) {
            for (QWidget *t : QApplication::topLevelWidgets()) {
                if (!t->isVisible() || before.contains(t))
                    continue;
                if (HelpSectionOf(t) == stop.windowClass) {
                    w = t;
                    break;
                }
                if (!handled.contains(t))
                    w = t;
            }
        }
        if (w && HelpSectionOf(w) == stop.windowClass) {
            if (!handled.contains(w)) {  // one more round for the layout to settle
                handled.insert(w);
                return;
            }
            out.size = w->size();
            out.actions = actionNames(w);
            out.file = QDir(folder).filePath(stop.windowClass + QStringLiteral(".png"));
            if (!w->grab().save(out.file))
                return finish(QStringLiteral("the picture could not be written"));
            return finish(QString());
        }
        if (w && !handled.contains(w) && !before.contains(w)) {
            handled.insert(w);
            if (!steps.isEmpty())
                steps.takeFirst()(w);
        }
        if (clock.elapsed() > 15000)
            finish(QStringLiteral("the window did not come (last: %1)").arg(w ? HelpSectionOf(w) : QStringLiteral("none")));
    });
    QTimer::singleShot(0, [&] {
        poll.start();
        kept = stop.open();
        keptAlive = kept.get();
        if (done && kept && keptAlive)  // pictured while the way was still open
            delete kept.release();
        if (!done && !kept && !QApplication::activeModalWidget())
            finish(QStringLiteral("the way to the window ended without it"));
    });
    loop.exec();
    return out;
}

}  // namespace

QStringList TourWindowClasses()
{
    QStringList names{QStringLiteral("Tfrm_Main")};
    TmySQLDatabase none;
    for (const Stop &s : stops(nullptr, none, QString()))
        names << s.windowClass;
    return names;
}

QList<TourPicture> RunWindowTour(TmySQLDatabase &db, const QString &folder)
{
    seam::setTestMode(true);
    MessageBox::clearAnswers();
    QDir().mkpath(folder);
    QTemporaryDir scratch;
    writeStatement(scratch.filePath(QStringLiteral("kivonat.csv")));

    QList<TourPicture> pictures;
    auto main = std::make_unique<Tfrm_Main>();
    TmySQLDatabase &conn = main->mySQLDatabase1();
    conn.setHost(db.host());
    conn.setPort(db.port());
    conn.setUserName(db.userName());
    conn.setUserPassword(db.userPassword());
    conn.setDatabaseName(db.databaseName());
    conn.setConnectOptions(db.connectOptions());
    conn.setConnectionCharacterSet(db.connectionCharacterSet());
    conn.setConnectionCollation(db.connectionCollation());
    conn.setParams(db.params());
    conn.open();
    readBeallit(conn, beall());
    Cassa() = int(conn.queryInt(QStringLiteral("SELECT MIN(kassza) FROM kassza")));
    main->setSortField(QStringLiteral("hazikassza"));
    main->setListFilter(Tfrm_Main::lastMonthFilter());
    main->ReloadList();
    main->resize(1000, 680);
    main->show();
    QApplication::processEvents();

    TourPicture first;
    first.windowClass = QStringLiteral("Tfrm_Main");
    first.size = main->size();
    first.actions = actionNames(main.get());
    first.file = QDir(folder).filePath(QStringLiteral("Tfrm_Main.png"));
    if (!main->grab().save(first.file))
        first.problem = QStringLiteral("the picture could not be written");
    pictures << first;

    const QList<QWidget *> open = QApplication::topLevelWidgets();
    const QSet<QWidget *> before(open.begin(), open.end());
    for (const Stop &stop : stops(main.get(), conn, scratch.path()))
        pictures << visit(stop, before, folder);
    main.reset();
    return pictures;
}

}  // namespace zorva
