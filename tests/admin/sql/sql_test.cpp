// The free SQL window: splitting a script into statements, queries, scripts, table mode,
// copying and the file names, on the real database.
#include "masterdata/masterdatafixture.h"

#include "admin/sql/sql.h"
#include "admin/sql/sqlsplit.h"

#include "core/ui/filedialog.h"
#include "db/datasetmodel.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <QTableView>

#include <Qsci/qsciscintilla.h>

using namespace zorva;

namespace {

TEST(SqlSplit, EndsStatementsOnlyAtSemicolonsOutsideQuotesAndComments)
{
    struct Case {
        const char *text;
        QStringList statements;
        const char *rest;
    };
    const Case cases[] = {
        {"a;b;", {"a;", "b;"}, ""},
        {"x='a;b'; y", {"x='a;b';"}, " y"},
        {"x='it''s;'; ", {"x='it''s;';"}, " "},
        {"x='a\\';b';", {"x='a\\';b';"}, ""},
        {"x=\"q;\\\"\";", {"x=\"q;\\\"\";"}, ""},
        {"select `a;b` from t;", {"select `a;b` from t;"}, ""},
        {"UPDATE t SET a=1 -- don't; WHERE id=5;\nWHERE id=5;",
         {"UPDATE t SET a=1 -- don't; WHERE id=5;\nWHERE id=5;"},
         ""},
        {"a # x;y\n;", {"a # x;y\n;"}, ""},
        {"a /* ; */ b; c", {"a /* ; */ b;"}, " c"},
        {"a--1;b", {"a--1;"}, "b"},  // "--" without a blank is two minus signs
        {"no end", {}, "no end"},
    };
    for (const Case &c : cases) {
        const ScriptParts p = SplitScript(QString::fromUtf8(c.text));
        EXPECT_EQ(p.statements, c.statements) << c.text;
        EXPECT_EQ(p.rest, QString::fromUtf8(c.rest)) << c.text;
    }
    EXPECT_TRUE(IsEmptyStatement(" -- x\n /* y */ ;"));
    EXPECT_FALSE(IsEmptyStatement("'';"));
}

class SqlWindow : public mdtest::MasterDataTest {
protected:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        DataDir() = folder.path();
        FileDialog::clearFileNames();
        FileDialog::clearLog();
        w = std::make_unique<Tfrm_SQL>();
        w->show();
    }
    void TearDown() override
    {
        w.reset();
        MasterDataTest::TearDown();
    }
    void type(const QString &text) { w->editor()->setText(text); }
    QString name(int kassza)
    {
        return db().queryText(QStringLiteral("SELECT kassza_nev FROM kassza WHERE kassza=%1").arg(kassza));
    }
    std::unique_ptr<Tfrm_SQL> w;
};

TEST_F(SqlWindow, QueryOpensInTheResultPage)
{
    EXPECT_EQ(w->windowTitle(), "SQL lekérdezés");
    EXPECT_FALSE(w->action("aExport")->isEnabled());
    EXPECT_FALSE(w->action("aMasol")->isEnabled());
    type("   select kassza, kassza_nev from kassza order by kassza");
    w->action("aFuttat")->trigger();
    EXPECT_TRUE(shownTexts().isEmpty());
    EXPECT_EQ(w->shownDataSet(), &w->query());
    EXPECT_EQ(w->pages()->currentIndex(), 1);
    EXPECT_EQ(w->gridModel()->rowCount(), 2);
    EXPECT_EQ(w->grid()->columnWidth(1), 64);
    EXPECT_TRUE(w->action("aExport")->isEnabled());
    EXPECT_TRUE(w->action("aMasol")->isEnabled());
    EXPECT_EQ(w->positionPanel()->text(), "2: 1");
    w->action("aMasol")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(),
              QString::fromUtf8("kassza;kassza_nev;\r\n1;Pénztárca;\r\n2;Bank;"));

    // A wrong query: "SQL hiba:" and the server's text.
    type("select nincs from kassza");
    w->action("aFuttat")->trigger();
    ASSERT_EQ(shownTexts().size(), 1);
    EXPECT_TRUE(shownTexts().at(0).startsWith("SQL hiba:\r\n"));
}

TEST_F(SqlWindow, ScriptsRunStatementByStatement)
{
    // Quoted ";" and comments do not end a statement.
    type(
        "UPDATE kassza SET kassza_nev='A;B' WHERE kassza=1;\n"
        "UPDATE kassza SET kassza_nev='x' -- don't; WHERE kassza=1\nWHERE kassza=2;");
    w->action("aFuttat")->trigger();
    EXPECT_EQ(name(1), "A;B");
    EXPECT_EQ(name(2), "x");
    EXPECT_EQ(shownTexts(), QStringList{"SQL futtatás kész."});
    EXPECT_EQ(w->progressBar()->maximum(), 2);
    EXPECT_FALSE(w->progressBar()->isVisible());
    EXPECT_EQ(w->pages()->currentIndex(), 0);

    // Without ";" nothing runs, and the message says so.
    MessageBox::clearLog();
    type("UPDATE kassza SET kassza_nev='y' WHERE kassza=2");
    w->action("aFuttat")->trigger();
    EXPECT_EQ(name(2), "x");
    ASSERT_EQ(shownTexts().size(), 1);
    EXPECT_TRUE(shownTexts().at(0).startsWith("SQL futtatás kész.\n"));
    EXPECT_TRUE(shownTexts().at(0).contains("nem futott le"));

    // The second of three fails: the first has taken effect, the third never runs.
    MessageBox::clearLog();
    type(
        "UPDATE kassza SET kassza_nev='1' WHERE kassza=1;\nUPDATE nincs SET a=1;\n"
        "UPDATE kassza SET kassza_nev='3' WHERE kassza=2;");
    w->action("aFuttat")->trigger();
    EXPECT_EQ(name(1), "1");
    EXPECT_EQ(name(2), "x");
    ASSERT_EQ(shownTexts().size(), 1);
    EXPECT_TRUE(shownTexts().at(0).startsWith("SQL hiba:\r\n"));
    EXPECT_TRUE(w->progressBar()->isVisible());

    // A selection of one line runs only that line.
    MessageBox::clearLog();
    type(
        "UPDATE kassza SET kassza_nev='s1' WHERE kassza=1;\nUPDATE kassza SET kassza_nev='s2' WHERE "
        "kassza=2;");
    w->editor()->setSelection(1, 0, 1, w->editor()->lineLength(1));
    w->action("aFuttat")->trigger();
    EXPECT_EQ(name(1), "1");
    EXPECT_EQ(name(2), "s2");
}

TEST_F(SqlWindow, ResultRunsOnlyTheFirstStatementAndTableModeEdits)
{
    type("select kassza_nev from kassza where kassza=1; select * from ugyfel;");
    w->action("aEredmeny")->trigger();
    EXPECT_EQ(w->query().fieldCount(), 1);
    EXPECT_EQ(w->gridModel()->rowCount(), 1);

    type("table: ugyfel\nignored");
    w->action("aFuttat")->trigger();
    EXPECT_EQ(w->shownDataSet(), &w->table());
    EXPECT_EQ(w->table().tableName(), "ugyfel");
    EXPECT_EQ(w->pages()->currentIndex(), 1);
    const int col = w->gridModel()->columnOfField("ugyfel_nev");
    ASSERT_GE(col, 0);
    const QModelIndex cell = w->gridModel()->index(0, col);
    EXPECT_TRUE(w->gridModel()->flags(cell) & Qt::ItemIsEditable);
    EXPECT_TRUE(w->gridModel()->setData(cell, QString::fromUtf8("Új Név"), Qt::EditRole));
    EXPECT_EQ(db().queryInt(QString::fromUtf8("SELECT COUNT(*) FROM ugyfel WHERE ugyfel_nev='Új Név'")), 1);
    w->action("aMasol")->trigger();
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("ugyfel;"));
    // A query result is not editable.
    type("select * from kassza");
    w->action("aFuttat")->trigger();
    EXPECT_FALSE(w->gridModel()->flags(w->gridModel()->index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(SqlWindow, FilesStartInTheSqlFolderAndSavingOffersTheOpenedName)
{
    const QString file = folder.file("proba.sql");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("select 1;");
    }
    FileDialog::setNextFileName(file);
    w->action("aMegnyit")->trigger();
    EXPECT_EQ(w->editor()->text(), "select 1;");
    FileDialog::setNextFileName(QString());
    w->action("aMent")->trigger();
    ASSERT_EQ(FileDialog::log().size(), 2);
    EXPECT_EQ(FileDialog::log().at(0).caption, "SQL megnyitás");
    EXPECT_EQ(FileDialog::log().at(0).proposal, folder.path() + "/SQL");
    EXPECT_EQ(FileDialog::log().at(1).caption, "SQL mentése");
    EXPECT_EQ(FileDialog::log().at(1).proposal, file);
    w->action("aUj")->trigger();
    EXPECT_TRUE(w->editor()->text().isEmpty());
    EXPECT_EQ(w->fileName(), file);
}

}  // namespace
