// The commands without a window write the same files as the windows for the same data, and
// say by their exit code what went wrong.
#include "cashbookfixture.h"
#include "admin/backup/backup.h"
#include "admin/backup/restore.h"
#include "app/commandline.h"
#include "app/commandline_tasks.h"
#include "app/mainwindow/main.h"
#include "core/globals.h"
#include "core/programsettings.h"
#include "core/ui/dbgrid.h"
#include "core/ui/messagebox.h"
#include "db/database.h"
#include "db/query.h"
#include "export/ui/grid2html.h"
#include "export/ui/hatarolt.h"
#include "reports/pdftext.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

using namespace zorva;
using testsupport::addEntry;

namespace {

const QDateTime kExportTime(QDate(2024, 3, 5), QTime(14, 5, 9));

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class CommandTasksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<testsupport::ScratchSchema>();
        testsupport::loadCashBookSchema(schema->db());
        IniPath() = folder.file(QStringLiteral("Zorva.ini"));
        DataDir() = ProgramDir() = folder.path();
        beall() = TBeall{};
        MessageBox::clearLog();
        const testsupport::ServerParams s = testsupport::serverParams();
        profile = QStringList{schema->name(), s.host,     QString::number(s.port),
                              s.user,         s.password, QStringLiteral("Teszt")}
                      .join(u';');
        ASSERT_TRUE(writeConnectionProfile(1, profile, IniPath()));
        dsn = QStringLiteral("%1@%2:%3/%4").arg(s.user, s.host).arg(s.port).arg(schema->name());
        password = s.password;
        // Texts that each format escapes in its own way.
        addEntry(schema->db(), QDate(2024, 2, 10), 1, 10, 4321.5,
                 QStringLiteral("Piaci bevásárlás; \"friss\""));
        addEntry(schema->db(), QDate(2024, 2, 12), 1, 1, 98765, QStringLiteral("Fizetés O'Brien\\bér"));
        addEntry(schema->db(), QDate(2024, 3, 2), 1, 10, 1200, QStringLiteral("Őszi ütés\r\nkét sor"));
        addEntry(schema->db(), QDate(2024, 4, 1), 1, 10, 50, QStringLiteral("kívül a szakaszon"));
        tasks::setExportTime(kExportTime);
    }
    void TearDown() override { tasks::setExportTime({}); }

    int run(const QStringList &args, const std::optional<QString> &pw = std::nullopt)
    {
        output.clear();
        errors.clear();
        QTextStream out(&output), err(&errors);
        return runTaskCommand(args, pw, out, err);
    }

    // The main window as the user leaves it: cash box 1, the entries of the range.
    std::unique_ptr<Tfrm_Main> windowOnRange(const QString &filter)
    {
        readProgramSettings();
        auto w = testsupport::openMainWindow(*schema);
        w->resize(tasks::listWindowSize());
        w->show();
        Cassa() = 1;
        w->setListFilter(filter);
        w->ReloadList();
        w->fitColumnWidths();
        QApplication::processEvents();
        return w;
    }

    testsupport::TempFolder folder;
    std::unique_ptr<testsupport::ScratchSchema> schema;
    QString profile, dsn, password, output, errors;
};

TEST_F(CommandTasksTest, BackupIsTheWindowsScriptByteForByte)
{
    const QString windowFile = folder.file(QStringLiteral("window.sql"));
    auto db = schema->connect();
    ASSERT_TRUE(WriteScriptBackup(*db, windowFile));
    const QByteArray expected = readAll(windowFile);
    ASSERT_FALSE(expected.isEmpty());
    for (const QString &name : {QStringLiteral("mentes.sql"), QStringLiteral("mentes.zip")}) {
        const QString file = folder.file(name);
        ASSERT_EQ(run({QStringLiteral("backup"), QStringLiteral("--profile"), QStringLiteral("1"), file}), 0)
            << errors.toStdString();
        QString error;
        EXPECT_EQ(ReadBackupFile(file, error), expected) << name.toStdString();
        EXPECT_TRUE(errors.contains(QStringLiteral("Mentés: 1/"))) << "progress on the error output";
        EXPECT_TRUE(output.contains(QStringLiteral("A biztonsági mentés elkészült")));
    }
}

TEST_F(CommandTasksTest, RestoreBringsBackWhatTheBackupHeld)
{
    const QString file = folder.file(QStringLiteral("mentes.zip"));
    ASSERT_EQ(run({QStringLiteral("backup"), QStringLiteral("--dsn"), dsn, file}, password), 0)
        << errors.toStdString();
    schema->db().execute(QStringLiteral("DELETE FROM hazikassza WHERE hid>2;"));
    ASSERT_EQ(run({QStringLiteral("restore"), QStringLiteral("--dsn"), dsn, file}, password), 0)
        << errors.toStdString();
    EXPECT_EQ(schema->db().queryInt(QStringLiteral("SELECT COUNT(*) FROM hazikassza;")), 4);
    EXPECT_TRUE(errors.contains(QStringLiteral("Visszaállítás:")));
}

TEST_F(CommandTasksTest, ExportIsWhatTheWindowsWriteForTheSameRows)
{
    struct Case {
        const char *format, *file;
        QStringList range;
        const char *filter;
    };
    const QList<Case> cases = {
        {"csv",
         "lista.csv",
         {QStringLiteral("--from"), QStringLiteral("2024-02-01"), QStringLiteral("--to"),
          QStringLiteral("2024-03-31")},
         "(datum BETWEEN '2024-02-01' AND '2024-03-31')"},
        {"xls",
         "lista.xls",
         {QStringLiteral("--from"), QStringLiteral("2024.02.11")},
         "(datum>='2024-02-11')"},
        {"html", "lista.htm", {}, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.format);
        const QString mine = folder.file(QStringLiteral("cmd-") + QString::fromLatin1(c.file));
        QStringList args = {QStringLiteral("export"),     QStringLiteral("--profile"),
                            QStringLiteral("Teszt"),      QStringLiteral("--box"),
                            QStringLiteral("Pénztárca"),  QStringLiteral("--format"),
                            QString::fromLatin1(c.format)};
        args << c.range << mine;
        ASSERT_EQ(run(args), 0) << errors.toStdString();

        // The same through the main window's actions.
        auto w = windowOnRange(QString::fromLatin1(c.filter));
        const QString theirs = folder.file(QStringLiteral("win-") + QString::fromLatin1(c.file));
        bool seen = false;
        QTimer::singleShot(0, [&] {
            if (auto *d = qobject_cast<Tfrm_Grid2Html *>(QApplication::activeModalWidget())) {
                seen = true;
                d->setExportTime(kExportTime);
                d->pathEdit()->setText(theirs);
                d->openAfterSave()->setChecked(false);
                d->okButton()->click();
            } else if (auto *h = qobject_cast<Tfrm_Hatarolt *>(QApplication::activeModalWidget())) {
                seen = true;
                h->fileEdit()->setText(theirs);
                h->openAfterExport()->setChecked(false);
                h->startExport();
                h->closeButton()->click();
            }
        });
        (QString::fromLatin1(c.format) == QLatin1String("html") ? w->actions().aHtml : w->actions().aExcelbe)
            ->trigger();
        ASSERT_TRUE(seen);
        const QByteArray expected = readAll(theirs);
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_EQ(readAll(mine), expected);
    }
}

TEST_F(CommandTasksTest, EveryReportComesOutAsAReadablePdf)
{
    for (const ReportName &r : taskReportNames()) {
        SCOPED_TRACE(r.name.toStdString());
        const QString pdf = folder.file(r.name + QStringLiteral(".pdf"));
        ASSERT_EQ(run({QStringLiteral("report"), r.name, QStringLiteral("--profile"), QStringLiteral("1"),
                       QStringLiteral("--box"), QStringLiteral("1"), QStringLiteral("--from"),
                       QStringLiteral("2024-02-01"), QStringLiteral("--to"), QStringLiteral("2024-03-31"),
                       QStringLiteral("--pdf"), pdf}),
                  0)
            << errors.toStdString();
        const QStringList pages = reporttest::pdfPages(pdf);
        ASSERT_FALSE(pages.isEmpty());
        if (r.name == QLatin1String("mozgas")) {
            const QString text = pages.join(u'\n');
            EXPECT_TRUE(text.contains(QStringLiteral("Piaci bevásárlás"))) << text.toStdString();
            EXPECT_FALSE(text.contains(QStringLiteral("kívül a szakaszon")));
        }
    }
}

TEST_F(CommandTasksTest, CheckFindsABalanceWrittenAroundTheProgramAndRepairMendsIt)
{
    const QStringList conn = {QStringLiteral("--dsn"), dsn};
    ASSERT_EQ(run(QStringList{QStringLiteral("check")} + conn, password), 0) << errors.toStdString();
    const int hid =
        int(schema->db().queryInt(QStringLiteral("SELECT MIN(hid) FROM hazikassza WHERE hid>1;")));
    schema->db().execute(QStringLiteral("UPDATE hazikassza SET zaro=zaro+7 WHERE hid=%1;").arg(hid));
    EXPECT_EQ(run(QStringList{QStringLiteral("check")} + conn, password), 1);
    EXPECT_TRUE(output.contains(QStringLiteral("tétel %1 ").arg(hid))) << output.toStdString();
    EXPECT_EQ(
        run(QStringList{QStringLiteral("check")} + conn + QStringList{QStringLiteral("--repair")}, password),
        0)
        << output.toStdString() << errors.toStdString();
    EXPECT_EQ(run(QStringList{QStringLiteral("check")} + conn, password), 0) << output.toStdString();
}

TEST_F(CommandTasksTest, ExitCodesSayWhatWentWrong)
{
    struct Case {
        const char *what;
        QStringList args;
        std::optional<QString> password;
        int code;
    };
    const QString sql = folder.file(QStringLiteral("m.sql"));
    const QList<Case> cases = {
        {"wrong password",
         {QStringLiteral("check"), QStringLiteral("--dsn"), dsn},
         QStringLiteral("nem-ez"),
         TaskNoDatabase},
        {"missing box",
         {QStringLiteral("export"), QStringLiteral("--profile"), QStringLiteral("1"), QStringLiteral("--box"),
          QStringLiteral("Nincs ilyen"), QStringLiteral("--format"), QStringLiteral("csv"),
          folder.file(QStringLiteral("x.csv"))},
         std::nullopt,
         TaskNotFound},
        {"missing profile",
         {QStringLiteral("check"), QStringLiteral("--profile"), QStringLiteral("9")},
         std::nullopt,
         TaskNotFound},
        {"missing report",
         {QStringLiteral("report"), QStringLiteral("nincs"), QStringLiteral("--profile"), QStringLiteral("1"),
          QStringLiteral("--pdf"), folder.file(QStringLiteral("x.pdf"))},
         std::nullopt,
         TaskNotFound},
        {"file in a missing folder",
         {QStringLiteral("backup"), QStringLiteral("--profile"), QStringLiteral("1"),
          folder.file(QStringLiteral("nincs/m.sql"))},
         std::nullopt,
         TaskFileError},
        {"file that is a folder",
         {QStringLiteral("backup"), QStringLiteral("--profile"), QStringLiteral("1"), folder.path()},
         std::nullopt,
         TaskFileError},
        {"restore of a missing file",
         {QStringLiteral("restore"), QStringLiteral("--profile"), QStringLiteral("1"), sql},
         std::nullopt,
         TaskFileError},
        {"no connection", {QStringLiteral("check")}, std::nullopt, TaskBadArguments},
        {"bad date",
         {QStringLiteral("export"), QStringLiteral("--profile"), QStringLiteral("1"), QStringLiteral("--box"),
          QStringLiteral("1"), QStringLiteral("--from"), QStringLiteral("2024-13-01"),
          QStringLiteral("--format"), QStringLiteral("csv"), folder.file(QStringLiteral("x.csv"))},
         std::nullopt,
         TaskBadArguments},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(run(c.args, c.password), c.code) << c.what << ": " << errors.toStdString();
        EXPECT_FALSE(errors.trimmed().isEmpty()) << c.what;
    }
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("x.csv"))));
}

// The program itself: the password from standard input, the result in the exit code, and
// no display needed.
TEST_F(CommandTasksTest, TheProgramTakesThePasswordFromStandardInput)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("ZORVA_PASSWORD"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), folder.path());
    p.setProcessEnvironment(env);
    const QString file = folder.file(QStringLiteral("p.sql"));
    for (const auto &[pw, code] :
         std::vector<std::pair<QString, int>>{{password, 0}, {QStringLiteral("rossz"), 3}}) {
        p.start(QStringLiteral(ZORVA_PROGRAM), {QStringLiteral("backup"), QStringLiteral("--dsn"), dsn,
                                                QStringLiteral("--password-stdin"), file});
        ASSERT_TRUE(p.waitForStarted());
        p.write((pw + QStringLiteral("\n")).toUtf8());
        p.closeWriteChannel();
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), code) << p.readAllStandardError().toStdString();
    }
    EXPECT_TRUE(QFile::exists(file));
}

}  // namespace
