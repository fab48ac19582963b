// The HTML export window: proposed file, writing, HtmlPath, mail, failures.
#include "dialogfixture.h"
#include "memdata.h"
#include "core/globals.h"
#include "core/ui/dbgrid.h"
#include "core/ui/filedialog.h"
#include "core/ui/messagebox.h"
#include "core/ui/shell.h"
#include "export/ui/grid2html.h"
#include "export/ui/sendmail.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace zorva;

namespace {

class Grid2Html : public exporttest::WindowTest {
protected:
    std::unique_ptr<TkbmMemTable> data = exporttest::makeTable(
        {{QStringLiteral("nev"), TFieldType::ftString, 40}, {QStringLiteral("marad"), TFieldType::ftFloat}},
        {{QStringLiteral("Kovács"), 1500.0}, {QStringLiteral("Szabó"), 250.0}});
    ExportColumns columns = {{QStringLiteral("nev"), QStringLiteral("Név"), 100, true, Qt::AlignLeft},
                             {QStringLiteral("marad"), QStringLiteral("Marad"), 100, true, Qt::AlignRight}};

    std::unique_ptr<Tfrm_Grid2Html> window(const QString &title = QStringLiteral("Fix tételek"))
    {
        auto w =
            std::make_unique<Tfrm_Grid2Html>(*data, columns, 400, title, QString(), QStringLiteral("marad"));
        w->setExportTime(QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
        return w;
    }
};

}  // namespace

TEST_F(Grid2Html, ProposesTheTitleAsFileNameInTheHtmlFolder)
{
    beall().HtmlPath = file(QStringLiteral("html/"));
    EXPECT_EQ(Tfrm_Grid2Html::proposedFile(QStringLiteral("Fix tételek")),
              file(QStringLiteral("html/fix-t_telek.htm")));
    EXPECT_EQ(Tfrm_Grid2Html::proposedFile(QStringLiteral("Kassza")),
              file(QStringLiteral("html/kassza.htm")));
    beall().HtmlPath.clear();
    EXPECT_EQ(Tfrm_Grid2Html::proposedFile(QStringLiteral("Kassza")), file(QStringLiteral("kassza.htm")))
        << "DataDir without an HTML folder";
    auto w = window();
    EXPECT_EQ(w->pathEdit()->text(), file(QStringLiteral("fix-t_telek.htm")));
    EXPECT_TRUE(w->openAfterSave()->isChecked());
}

TEST_F(Grid2Html, OkWritesThePageCreatesTheFolderOpensItAndKeepsTheFolder)
{
    auto w = window();
    const QString target = file(QStringLiteral("uj/mappa/lap.htm"));
    w->pathEdit()->setText(target);
    w->okButton()->click();
    EXPECT_EQ(w->result(), QDialog::Accepted);
    const QByteArray page = readAll(target);
    EXPECT_TRUE(page.startsWith("<html>\r\n\r\n<head>\r\n"));
    EXPECT_TRUE(page.contains(
        "<td width=\"25%\"><font face=\"Verdana\" size=\"1\"><p align=\"right\">1500</font></td>"));
    EXPECT_TRUE(page.contains("<strong><p align=\"right\">1750</strong>")) << "the sum row";
    EXPECT_TRUE(page.endsWith("</body>\r\n</html>\r\n"));
    EXPECT_EQ(beall().HtmlPath, file(QStringLiteral("uj/mappa/")));
    ASSERT_EQ(Shell::log().size(), 1);
    EXPECT_EQ(Shell::log()[0].url, QUrl::fromLocalFile(target));
}

TEST_F(Grid2Html, CancelWritesNothingAndKeepsHtmlPath)
{
    beall().HtmlPath = file(QStringLiteral("regi/"));
    auto w = window();
    w->reject();
    EXPECT_FALSE(QFile::exists(w->pathEdit()->text()));
    EXPECT_EQ(beall().HtmlPath, file(QStringLiteral("regi/")));
    EXPECT_TRUE(Shell::log().isEmpty());
}

TEST_F(Grid2Html, AFileThatCannotBeWrittenIsShownAndChangesNothing)
{
    beall().HtmlPath = file(QStringLiteral("regi/"));
    QFile blocker(file(QStringLiteral("foglalt")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    auto w = window();
    w->pathEdit()->setText(file(QStringLiteral("foglalt/lap.htm")));  // a file where the folder should be
    w->okButton()->click();
    EXPECT_NE(w->result(), QDialog::Accepted) << "the window stays open";
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_EQ(MessageBox::log()[0].kind, MessageBox::Error);
    EXPECT_TRUE(MessageBox::log()[0].text.contains(QStringLiteral("foglalt")))
        << MessageBox::log()[0].text.toStdString();
    EXPECT_EQ(beall().HtmlPath, file(QStringLiteral("regi/")));
    EXPECT_TRUE(Shell::log().isEmpty());
}

TEST_F(Grid2Html, EmailWritesThePageAndHandsItToTheMailProgram)
{
    const QString argsFile = file(QStringLiteral("args.txt"));
    const QString script = file(QStringLiteral("fake-mail.sh"));
    {
        QFile s(script);
        ASSERT_TRUE(s.open(QIODevice::WriteOnly));
        s.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1'\nexit 0\n").arg(argsFile).toUtf8());
    }
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    mailhandoff::setProgram(script);
    auto w = window();
    const QString target = file(QStringLiteral("level.htm"));
    w->pathEdit()->setText(target);
    w->mailButton()->click();
    mailhandoff::setProgram(QStringLiteral("xdg-email"));
    QTRY_VERIFY_WITH_TIMEOUT(w->mailButton()->isEnabled(), 10000);  // the hand-off has ended

    EXPECT_FALSE(w->openAfterSave()->isChecked());
    EXPECT_TRUE(Shell::log().isEmpty()) << "not opened after an e-mail";
    EXPECT_TRUE(readAll(target).startsWith("<html>"));
    EXPECT_EQ(
        QString::fromUtf8(readAll(argsFile)).split('\n'),
        (QStringList{"--utf8", "--subject", "Html küldés", "--body", "Html küldés", "--attach", target, ""}));
    EXPECT_NE(w->result(), QDialog::Accepted) << "the window stays open";
}

TEST_F(Grid2Html, BrowseOffersTheHtmlFilterAndTakesTheChosenName)
{
    auto w = window();
    FileDialog::setNextFileName(file(QStringLiteral("masik.html")));
    w->browseButton()->click();
    EXPECT_EQ(w->pathEdit()->text(), file(QStringLiteral("masik.html")));
    ASSERT_EQ(FileDialog::log().size(), 1);
    EXPECT_EQ(FileDialog::log()[0].filter, QStringLiteral("HTML dokumentum (*.htm;*.html)|*.htm;*.html"));
    FileDialog::setNextFileName(QString());  // cancelled
    w->browseButton()->click();
    EXPECT_EQ(w->pathEdit()->text(), file(QStringLiteral("masik.html")));
}

TEST_F(Grid2Html, GridColumnsWidthsAndTitlesComeFromTheGrid)
{
    TDBGrid grid;
    grid.setDataSet(data.get());
    grid.setColumns(
        {{QStringLiteral("nev"), QStringLiteral("Név")}, {QStringLiteral("marad"), QStringLiteral("Marad")}});
    grid.resize(500, 200);
    grid.setColumnWidths({100, 200});
    beall().HtmlPath = tmp.path();
    QTimer::singleShot(0, [] {
        auto *w = qobject_cast<Tfrm_Grid2Html *>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr);
        w->openAfterSave()->setChecked(false);
        w->okButton()->click();
    });
    ExportGridHtml(&grid, QStringLiteral("Tartozások"), QStringLiteral("alcím"));
    const QByteArray page = readAll(file(QStringLiteral("tartoz_sok.htm")));
    ASSERT_FALSE(page.isEmpty());
    EXPECT_TRUE(page.contains(
        "<td width=\"20%\" bgcolor=\"#C0C0C0\"><font face=\"Verdana\" size=\"1\"><strong>N\xE9v"));
    EXPECT_TRUE(
        page.contains("<td width=\"40%\"><font face=\"Verdana\" size=\"1\"><p align=\"right\">250</font>"));
}
