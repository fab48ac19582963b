// Printing and exporting the main list: each action reaches its window with the list as
// shown, the title "Kassza" and the heading as subtitle.
#include "cashbookfixture.h"

#include "app/mainwindow/main.h"
#include "core/globals.h"
#include "core/programsettings.h"
#include "core/ui/dbgrid.h"
#include "core/ui/messagebox.h"
#include "db/query.h"
#include "export/ui/grid2html.h"
#include "export/ui/hatarolt.h"
#include "reports/pdftext.h"
#include "reports/ui/printers.h"
#include "reports/ui/reportpreview.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringDecoder>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zorva;
using testsupport::addEntry;

namespace {

// Runs `inside` on the modal window the next action shows; records whether it came.
template <typename Window>
void whenShown(bool &seen, const std::function<void(Window &)> &inside)
{
    seen = false;
    QTimer::singleShot(0, [&seen, inside] {
        auto *w = qobject_cast<Window *>(QApplication::activeModalWidget());
        if (!w) {
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        seen = true;
        inside(*w);
    });
}

QString readWindows1250(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    QStringDecoder dec("windows-1250");
    return dec.decode(f.readAll());
}

class MainWindowOutputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<testsupport::ScratchSchema>();
        testsupport::loadCashBookSchema(schema->db());
        beall() = TBeall{};
        beall().HtmlPath = folder.path();
        Cassa() = 1;
        SumPeriod().clear();
        CassaDecimals() = 0;
        IniPath() = folder.file(QStringLiteral("Zorva.ini"));
        ProgramDir() = folder.path();
        MessageBox::clearAnswers();
        MessageBox::clearLog();
        printerseam::setPrinters({QStringLiteral("Iroda")}, QStringLiteral("Iroda"));
        printerseam::setOutputFolder(folder.path());
        const QDate today = QDate::currentDate();
        addEntry(schema->db(), today.addDays(-3), 1, 10, 4321, QStringLiteral("Piaci bevásárlás"));
        addEntry(schema->db(), today.addDays(-2), 1, 1, 98765, QStringLiteral("Fizetés"));
        w = testsupport::openMainWindow(*schema);
        w->resize(1100, 600);
        w->show();
        QApplication::processEvents();
    }
    void TearDown() override { printerseam::reset(); }

    testsupport::TempFolder folder;
    std::unique_ptr<testsupport::ScratchSchema> schema;
    std::unique_ptr<Tfrm_Main> w;
};

TEST_F(MainWindowOutputTest, PrintGoesToThePrinterInLandscapeWithTitleHeadingAndRows)
{
    EXPECT_EQ(w->actions().aNyomtat->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    w->actions().aNyomtat->trigger();
    const QString pdf = folder.file(QStringLiteral("Iroda.pdf"));
    ASSERT_TRUE(QFile::exists(pdf));
    const QStringList pages = reporttest::pdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    const QString text = reporttest::squeezedLines(pages[0]).join(u'\n');
    EXPECT_TRUE(text.startsWith(QStringLiteral("Kassza\nKassza: Pénztárca"))) << text.toStdString();
    for (const char *title : {"Sorszám", "Dátum", "Kassza típus", "Ügyfél", "Nyitó", "Összeg", "Záró", "Szöveg"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(title))) << title;
    EXPECT_TRUE(text.contains(QStringLiteral("Piaci bevásárlás")));
    EXPECT_TRUE(text.contains(QStringLiteral("98 765")));  // amounts as the grid shows them
    EXPECT_FALSE(text.contains(QStringLiteral("sorok száma")));  // no total line
    // landscape: a line of the page is wider than it is on a portrait page
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("/MediaBox [0 0 842"));
    EXPECT_TRUE(MessageBox::log().isEmpty());
}

TEST_F(MainWindowOutputTest, PreviewShowsTheSameReportAndPrintsNothing)
{
    EXPECT_EQ(w->actions().aNyomtatkep->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
    bool seen = false;
    int pages = 0;
    QString title;
    whenShown<ReportPreviewDialog>(seen, [&](ReportPreviewDialog &d) {
        pages = d.pageCount();
        title = d.windowTitle();
        d.close();
    });
    w->actions().aNyomtatkep->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(title.contains(QStringLiteral("Kassza"))) << title.toStdString();
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("Iroda.pdf"))));
}

TEST_F(MainWindowOutputTest, HtmlExportWritesTheGridUnderTheTitleAndHeading)
{
    EXPECT_EQ(w->actions().aHtml->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
    bool seen = false;
    QString proposed;
    whenShown<Tfrm_Grid2Html>(seen, [&](Tfrm_Grid2Html &d) {
        proposed = d.pathEdit()->text();
        d.openAfterSave()->setChecked(false);
        d.okButton()->click();
    });
    w->actions().aHtml->trigger();
    ASSERT_TRUE(seen);
    EXPECT_EQ(proposed, folder.file(QStringLiteral("kassza.htm")));
    const QString page = readWindows1250(proposed);
    ASSERT_FALSE(page.isEmpty());
    EXPECT_TRUE(page.contains(QStringLiteral("<title>Kassza</title>")));
    EXPECT_TRUE(page.contains(
        QStringLiteral("<p><strong><font face=\"Verdana\" size=\"1\">Kassza: Pénztárca</font></strong></p>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<strong>Kassza típus</strong>")));
    EXPECT_TRUE(page.contains(QStringLiteral(">Piaci bevásárlás</font></td>")));
    EXPECT_TRUE(page.contains(QStringLiteral("Összesen %1 sor.").arg(w->Qry().recordCount())));
    // no sum row: the only grey cells are the eight titles
    EXPECT_EQ(page.count(QStringLiteral("bgcolor=\"#C0C0C0\"")), 8);
}

TEST_F(MainWindowOutputTest, DelimitedExportOffersEveryFieldOfTheListAsShown)
{
    EXPECT_EQ(w->actions().aExcelbe->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    w->actions().aSzur3->trigger();  // only incomes: the export follows the list
    const int rows = w->Qry().recordCount();
    ASSERT_GT(rows, 0);
    const QString target = folder.file(QStringLiteral("kassza.csv"));
    bool seen = false;
    int fields = 0;
    QString initial;
    whenShown<Tfrm_Hatarolt>(seen, [&](Tfrm_Hatarolt &d) {
        fields = d.fieldList()->count();
        initial = d.fileEdit()->text();
        d.fileEdit()->setText(target);
        d.openAfterExport()->setChecked(false);
        d.startExport();
        d.closeButton()->click();
    });
    w->actions().aExcelbe->trigger();
    ASSERT_TRUE(seen);
    EXPECT_EQ(fields, w->Qry().fieldCount());
    EXPECT_TRUE(initial.endsWith(QStringLiteral("File001.csv"))) << initial.toStdString();
    const QStringList lines = readWindows1250(target).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), rows + 2);  // header, the rows, the empty rest after the last CR LF
    EXPECT_TRUE(lines[0].contains(QStringLiteral("hazikassza")) || lines[0].contains(QStringLiteral("Sorszám")));
    EXPECT_FALSE(readWindows1250(target).contains(QStringLiteral("-4321")));  // incomes only
}

TEST_F(MainWindowOutputTest, WithoutDatabaseTheOutputActionsAreOff)
{
    w->setDatabaseOpen(false);
    for (QAction *a : {w->actions().aNyomtat, w->actions().aNyomtatkep, w->actions().aHtml, w->actions().aExcelbe})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    w->actions().aNyomtat->trigger();
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("Iroda.pdf"))));
}

}  // namespace
