#include "editorfixture.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/ui/messagebox.h"
#include "entries/editor/szerkeszt.h"

#include <QApplication>

using namespace zorva;

namespace editortest {

void EditorTest::SetUp()
{
    REQUIRE_TEST_SERVER();
    schema = std::make_unique<sqltest::ZorvaSchema>();
    sqltest::addBasicMasterData(db());
    folder = std::make_unique<testsupport::TempFolder>();
    IniPath() = folder->file(QStringLiteral("Zorva.ini"));
    beall() = TBeall{};
    Cassa() = 1;
    CassaDecimals() = 0;
    setMainConnection(&db());
    MessageBox::clearAnswers();
    MessageBox::clearLog();
    entryChoosers().cashType = [this](int current, QWidget *) {
        cashTypeAsked << current;
        return cashTypeAnswers.isEmpty() ? -1 : cashTypeAnswers.takeFirst();
    };
    entryChoosers().client = [this](int current, QWidget *) {
        clientAsked << current;
        return clientAnswers.isEmpty() ? -1 : clientAnswers.takeFirst();
    };
}

void EditorTest::TearDown()
{
    poll.reset();
    if (logging)
        db().execute(QStringLiteral("SET GLOBAL general_log = 0"));
    resetEntryChoosers();
    setMainConnection(nullptr);
    schema.reset();
}

int EditorTest::entryCount()
{
    return int(db().queryInt(QStringLiteral("SELECT COUNT(*) FROM hazikassza")));
}

StoredEntry EditorTest::stored(int hid)
{
    const QList<QStringList> r = sqltest::rows(
        db(), QStringLiteral("SELECT kassza, kasszatip, COALESCE(ugyfel, 0), datum, osszeg, szoveg "
                             "FROM hazikassza WHERE hid=%1")
                  .arg(hid));
    StoredEntry e;
    if (r.size() != 1) {
        ADD_FAILURE() << "no entry with hid " << hid;
        return e;
    }
    e.kassza = r[0][0].toInt();
    e.kasszatip = r[0][1].toInt();
    e.ugyfel = r[0][2].toInt();
    e.datum = QDate::fromString(r[0][3], Qt::ISODate);
    e.osszeg = r[0][4].toDouble();
    e.szoveg = r[0][5];
    return e;
}

void EditorTest::whenEditorShows(std::function<void(Tfrm_Szerkeszt &)> act)
{
    poll = std::make_unique<QTimer>();
    poll->setInterval(5);
    QObject::connect(poll.get(), &QTimer::timeout, [this, act] {
        auto *dlg = qobject_cast<Tfrm_Szerkeszt *>(QApplication::activeModalWidget());
        if (!dlg || !dlg->isVisible())
            return;
        poll->stop();
        ++shown;
        act(*dlg);
    });
    poll->start();
}

void EditorTest::startStatementLog()
{
    logStart = db().queryText(QStringLiteral("SELECT NOW(6)"));
    db().execute(QStringLiteral("SET GLOBAL log_output = 'TABLE'"));
    db().execute(QStringLiteral("SET GLOBAL general_log = 1"));
    logging = true;
}

QStringList EditorTest::loggedStatements()
{
    const QString id = QString::number(db().threadId());
    QStringList out;
    const QList<QStringList> r = sqltest::rows(
        db(), QStringLiteral("SELECT CAST(argument AS CHAR CHARACTER SET latin2) FROM mysql.general_log "
                             "WHERE thread_id=%1 AND command_type='Query' AND event_time >= '%2'")
                  .arg(id, logStart));
    for (const QStringList &row : r) {
        if (!row[0].contains(QLatin1String("general_log")))
            out << row[0];
    }
    return out;
}

QStringList EditorTest::errorTexts() const
{
    QStringList out;
    for (const MessageBox::Shown &s : MessageBox::log()) {
        if (s.kind == MessageBox::Error)
            out << s.text;
    }
    return out;
}

}  // namespace editortest
