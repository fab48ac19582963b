// The output chooser, printing without and with printers, the preview window
// and PrintGrid on a real grid.
#include "pdftext.h"
#include "core/ui/dbgrid.h"
#include "core/ui/filedialog.h"
#include "core/ui/messagebox.h"
#include "export/dialogfixture.h"
#include "export/memdata.h"
#include "reports/gridreport.h"
#include "reports/ui/gridprint.h"
#include "reports/ui/nyomvalaszt.h"
#include "reports/ui/printers.h"
#include "reports/ui/reportpageview.h"
#include "reports/ui/reportpreview.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace zorva;

namespace {

class ReportWindows : public exporttest::WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        printerseam::setPrinters({}, QString());  // the machine's own printers never take part
        printerseam::setOutputFolder(tmp.path());
        outputchooser::clearAnswers();
    }
    void TearDown() override
    {
        printerseam::reset();
        WindowTest::TearDown();
    }

    std::unique_ptr<TkbmMemTable> rows(int n)
    {
        QList<QVariantList> r;
        for (int i = 1; i <= n; ++i)
            r.append({i, QStringLiteral("tétel %1").arg(i), 10.0 * i});
        return exporttest::makeTable({{QStringLiteral("id"), TFieldType::ftInteger},
                                      {QStringLiteral("nev"), TFieldType::ftString, 30},
                                      {QStringLiteral("osszeg"), TFieldType::ftFloat}},
                                     r);
    }

    std::unique_ptr<report::Report> reportOf(TDataSet &data)
    {
        report::GridPrintOptions o;
        o.title = QStringLiteral("Próba lista");
        o.sumField = QStringLiteral("osszeg");
        ExportColumns cols = {
            {QStringLiteral("id"), QStringLiteral("Sorszám"), 50, true, Qt::AlignRight},
            {QStringLiteral("nev"), QStringLiteral("Név"), 150, true, Qt::AlignLeft},
            {QStringLiteral("osszeg"), QStringLiteral("Összeg"), 100, true, Qt::AlignRight}};
        return report::buildGridReport(data, cols, 400, o);
    }

    report::ReportLayout layoutOf(TDataSet &data) { return report::layoutReport(*reportOf(data)); }

    // Runs `inside` on the modal window that `open` shows.
    template <typename Window>
    static void whenShown(const std::function<void(Window &)> &inside)
    {
        QTimer::singleShot(0, [inside] {
            auto *w = qobject_cast<Window *>(QApplication::activeModalWidget());
            if (!w) {
                ADD_FAILURE() << "no modal window";
                return;
            }
            inside(*w);
        });
    }
};

}  // namespace

TEST_F(ReportWindows, ChooserStartsOnPreviewAndShowsOnePicturePerChoice)
{
    Tfrm_NyomValaszt w(false);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Nyomtatás típusa"));
    EXPECT_EQ(w.choice(), 0);
    EXPECT_TRUE(w.printerList()->isHidden());
    EXPECT_TRUE(w.printerLabel()->isHidden());
    EXPECT_FALSE(w.picture(0)->isHidden());
    for (int i = 1; i < Tfrm_NyomValaszt::kPictureCount; ++i)
        EXPECT_TRUE(w.picture(i)->isHidden());
    EXPECT_EQ(w.choiceButton(2)->text(), QStringLiteral("Excelbe (CSV)"));
    EXPECT_EQ(w.choiceButton(3), nullptr) << "neither variant offers the HTML page";

    // The cash-book reports' chooser adds it as the fourth choice with its picture.
    Tfrm_NyomValaszt h(false, nullptr, true);
    ASSERT_NE(h.choiceButton(3), nullptr);
    EXPECT_EQ(h.choiceButton(3)->text(), QStringLiteral("Html export"));
    h.choiceButton(3)->click();
    EXPECT_EQ(h.choice(), 3);
    EXPECT_FALSE(h.picture(3)->isHidden());
    EXPECT_TRUE(h.printerList()->isHidden());

    Tfrm_NyomValaszt p(true);
    EXPECT_FALSE(p.printerList()->isHidden());
    EXPECT_FALSE(p.printerList()->isEnabled());
    p.choiceButton(1)->click();
    EXPECT_TRUE(p.printerList()->isEnabled());
    EXPECT_TRUE(p.printerLabel()->isEnabled());
    EXPECT_FALSE(p.picture(1)->isHidden());
    EXPECT_TRUE(p.picture(0)->isHidden());
    p.choiceButton(2)->click();
    EXPECT_FALSE(p.printerList()->isEnabled());
    EXPECT_FALSE(p.picture(2)->isHidden());
}

TEST_F(ReportWindows, ChooserReturnsTheIndexOrMinusOneWhenCancelledOrClosed)
{
    whenShown<Tfrm_NyomValaszt>([](Tfrm_NyomValaszt &w) {
        w.choiceButton(2)->click();
        w.findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
    });
    EXPECT_EQ(ChooseOutput(), 2);
    whenShown<Tfrm_NyomValaszt>([](Tfrm_NyomValaszt &w) {
        w.choiceButton(1)->click();
        w.findChild<QPushButton *>(QStringLiteral("btnMegsem"))->click();
    });
    EXPECT_EQ(ChooseOutput(), -1);
    whenShown<Tfrm_NyomValaszt>([](Tfrm_NyomValaszt &w) { w.close(); });
    EXPECT_EQ(ChooseOutput(), -1);
}

TEST_F(ReportWindows, ChooserWithPrintersShowsTheGivenOrTheFirstAndReturnsTheChosenOne)
{
    printerseam::setPrinters({QStringLiteral("Alfa"), QStringLiteral("Béta")}, QStringLiteral("Béta"));
    QString printer;
    whenShown<Tfrm_NyomValaszt>([](Tfrm_NyomValaszt &w) {
        EXPECT_EQ(w.printerName(), QStringLiteral("Alfa"));
        w.close();
    });
    EXPECT_EQ(ChooseOutput(printer), -1);
    EXPECT_TRUE(printer.isEmpty()) << "unchanged after a cancel";

    printer = QStringLiteral("Béta");
    whenShown<Tfrm_NyomValaszt>([](Tfrm_NyomValaszt &w) {
        EXPECT_EQ(w.printerName(), QStringLiteral("Béta"));
        w.choiceButton(1)->click();
        w.printerList()->setCurrentIndex(0);
        w.findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
    });
    EXPECT_EQ(ChooseOutput(printer), 1);
    EXPECT_EQ(printer, QStringLiteral("Alfa"));

    outputchooser::setNextAnswer(0, QStringLiteral("Béta"));
    EXPECT_EQ(ChooseOutput(printer), 0);
    EXPECT_EQ(printer, QStringLiteral("Béta"));
}

TEST_F(ReportWindows, WithoutAPrinterPrintingSaysSoAndOffersPdf)
{
    auto data = rows(3);
    const report::ReportLayout layout = layoutOf(*data);

    MessageBox::setNextAnswer(QMessageBox::No);
    EXPECT_FALSE(printLayoutNow(layout, QString()));
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_EQ(MessageBox::log()[0].kind, MessageBox::Question);
    EXPECT_TRUE(MessageBox::log()[0].text.contains(QStringLiteral("nincs telepített nyomtató")));
    EXPECT_TRUE(FileDialog::log().isEmpty());

    MessageBox::setNextAnswer(QMessageBox::Yes);
    FileDialog::setNextFileName(file(QStringLiteral("lista.pdf")));
    EXPECT_TRUE(printLayoutNow(layout, QStringLiteral("Nem létező")));
    ASSERT_EQ(FileDialog::log().size(), 1);
    EXPECT_TRUE(FileDialog::log()[0].proposal.endsWith(QStringLiteral("pr_ba-lista.pdf")))
        << FileDialog::log()[0].proposal.toStdString();
    const QStringList pages = reporttest::pdfPages(file(QStringLiteral("lista.pdf")));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("tétel 3")));

    MessageBox::setNextAnswer(QMessageBox::Yes);
    FileDialog::setNextFileName(QString());  // the save dialog cancelled
    EXPECT_FALSE(printLayoutNow(layout, QString()));
}

TEST_F(ReportWindows, PrintsOnTheChosenPrinterOrTheDefaultOne)
{
    printerseam::setPrinters({QStringLiteral("Alfa"), QStringLiteral("Beta")}, QStringLiteral("Beta"));
    auto data = rows(2);
    const report::ReportLayout layout = layoutOf(*data);
    EXPECT_TRUE(printLayoutNow(layout, QStringLiteral("Alfa")));
    EXPECT_TRUE(QFile::exists(file(QStringLiteral("Alfa.pdf"))));
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("Beta.pdf"))));
    EXPECT_TRUE(printLayoutNow(layout, QStringLiteral("Gamma")));
    EXPECT_TRUE(QFile::exists(file(QStringLiteral("Beta.pdf")))) << "an unknown printer: the default one";
    EXPECT_TRUE(MessageBox::log().isEmpty());
}

TEST_F(ReportWindows, PreviewPagesThroughZoomsAndCloses)
{
    auto data = rows(150);  // three portrait pages
    ReportPreviewDialog dlg(layoutOf(*data), QString());
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Próba lista"));
    ASSERT_EQ(dlg.pageCount(), 3);
    const auto trigger = [&dlg](const char *name) {
        QAction *a = dlg.findChild<QAction *>(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    };
    auto *label = dlg.findChild<QLabel *>(QStringLiteral("lblOldal"));
    EXPECT_EQ(label->text(), QStringLiteral("1 / 3"));
    trigger("aKovetkezoOldal");
    EXPECT_EQ(dlg.currentPage(), 2);
    trigger("aUtolsoOldal");
    EXPECT_EQ(dlg.currentPage(), 3);
    trigger("aKovetkezoOldal");
    EXPECT_EQ(dlg.currentPage(), 3);
    EXPECT_EQ(label->text(), QStringLiteral("3 / 3"));
    trigger("aElsoOldal");
    EXPECT_EQ(dlg.currentPage(), 1);
    const qreal zoom = dlg.view()->zoomFactor();
    trigger("aNagyit");
    EXPECT_GT(dlg.view()->zoomFactor(), zoom);

    FileDialog::setNextFileName(file(QStringLiteral("elonezet.pdf")));
    trigger("aPdf");
    EXPECT_EQ(reporttest::pdfPages(file(QStringLiteral("elonezet.pdf"))).size(), 3);
    trigger("aBezar");
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST_F(ReportWindows, ALongReportShowsItsFirstPageWhileTheRestIsBuilt)
{
    auto data = rows(6000);
    const int all = layoutOf(*data).pageCount();
    data->setRecNo(9);
    auto r = reportOf(*data);
    {
        ReportPreviewDialog dlg(*r);
        EXPECT_TRUE(dlg.building());
        const int first = dlg.pageCount();
        EXPECT_GE(first, 1);
        EXPECT_LT(first, all);
        auto *label = dlg.findChild<QLabel *>(QStringLiteral("lblOldal"));
        EXPECT_TRUE(label->text().endsWith(QStringLiteral(" …"))) << label->text().toStdString();
        QApplication::processEvents();
        EXPECT_GT(dlg.pageCount(), first) << "the window keeps laying out";
        EXPECT_TRUE(data->controlsDisabled()) << "the data stays put while the preview is open";
    }
    EXPECT_EQ(data->recNo(), 9) << "closed while still building";
    EXPECT_FALSE(data->controlsDisabled());

    ReportPreviewDialog dlg(*r);
    dlg.findChild<QAction *>(QStringLiteral("aMegallit"))->trigger();
    EXPECT_FALSE(dlg.building());
    const int stoppedAt = dlg.pageCount();
    QApplication::processEvents();
    EXPECT_EQ(dlg.pageCount(), stoppedAt) << "stopped means no more pages";
    auto *label = dlg.findChild<QLabel *>(QStringLiteral("lblOldal"));
    EXPECT_TRUE(label->text().endsWith(QStringLiteral("(megállítva)"))) << label->text().toStdString();

    // Saving needs the whole report: it is finished first, then written.
    FileDialog::setNextFileName(file(QStringLiteral("hosszu.pdf")));
    dlg.findChild<QAction *>(QStringLiteral("aPdf"))->trigger();
    EXPECT_EQ(dlg.pageCount(), all);
    const QStringList pages = reporttest::pdfPages(file(QStringLiteral("hosszu.pdf")));
    ASSERT_EQ(pages.size(), all);
    EXPECT_TRUE(pages.last().contains(QStringLiteral("tétel 6000")));
    EXPECT_EQ(label->text(), QStringLiteral("1 / %1").arg(all));
}

TEST_F(ReportWindows, TheLastPageFinishesTheReportFirst)
{
    auto data = rows(6000);
    const int all = layoutOf(*data).pageCount();
    auto r = reportOf(*data);
    ReportPreviewDialog dlg(*r);
    dlg.findChild<QAction *>(QStringLiteral("aUtolsoOldal"))->trigger();
    EXPECT_EQ(dlg.currentPage(), all);
    EXPECT_FALSE(dlg.building());
}

TEST_F(ReportWindows, PrintGridTakesTheGridsColumnsAndData)
{
    auto data = rows(4);
    TDBGrid grid;
    grid.setDataSet(data.get());
    grid.setColumns({{QStringLiteral("id"), QStringLiteral("Sorszám")},
                     {QStringLiteral("nev"), QStringLiteral("Megnevezés")},
                     {QStringLiteral("osszeg"), QStringLiteral("Összeg")}});
    grid.resize(600, 300);
    grid.setColumnWidths({60, 300, 120});
    grid.setColumnHidden(0, true);
    data->setRecNo(3);

    MessageBox::setNextAnswer(QMessageBox::Yes);
    FileDialog::setNextFileName(file(QStringLiteral("racs.pdf")));
    PrintGrid(&grid, true, false, QStringLiteral("Kassza"), 8, QStringLiteral("osszeg"),
              QStringLiteral("Kassza: Pénztárca"));
    const QStringList pages = reporttest::pdfPages(file(QStringLiteral("racs.pdf")));
    ASSERT_EQ(pages.size(), 1);
    const QString text = reporttest::squeezedLines(pages[0]).join('\n');
    for (const QString &s : {QStringLiteral("Kassza: Pénztárca"), QStringLiteral("Megnevezés Összeg"),
                             QStringLiteral("tétel 4 40"), QStringLiteral("sorok száma: 4")})
        EXPECT_TRUE(text.contains(s)) << s.toStdString() << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Sorszám"))) << "a hidden column prints nothing";
    EXPECT_EQ(data->recNo(), 3);

    int previewPages = 0;
    whenShown<ReportPreviewDialog>([&previewPages](ReportPreviewDialog &d) {
        previewPages = d.pageCount();
        d.reject();
    });
    PrintGrid(&grid, false, true, QStringLiteral("Kassza"), 8);
    EXPECT_EQ(previewPages, 1);
}

// Windows to look at: ZORVA_REPORT_PICTURES=folder saves screenshots there.
TEST_F(ReportWindows, PicturesOnRequest)
{
    const QString folder = qEnvironmentVariable("ZORVA_REPORT_PICTURES");
    if (folder.isEmpty())
        GTEST_SKIP() << "set ZORVA_REPORT_PICTURES to a folder to get the screenshots";
    printerseam::setPrinters({QStringLiteral("Irodai lézer")}, QStringLiteral("Irodai lézer"));
    Tfrm_NyomValaszt chooser(true);
    chooser.choiceButton(1)->click();
    chooser.show();
    chooser.grab().save(folder + QStringLiteral("/chooser.png"));
    auto data = rows(80);
    ReportPreviewDialog dlg(layoutOf(*data), QString());
    dlg.show();
    QApplication::processEvents();
    dlg.grab().save(folder + QStringLiteral("/preview.png"));
}
