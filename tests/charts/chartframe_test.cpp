// The frame of the chart windows: saving as BMP or PNG, printing in landscape, no
// printer, the window's place, and labels and marks that stay readable.
#include "chartsfixture.h"

#include "charts/chartparts.h"
#include "charts/charts.h"
#include "charts/periodbars.h"
#include "core/formpos.h"
#include "core/ui/filedialog.h"
#include "core/ui/messagebox.h"
#include "reports/ui/printers.h"

#include <QAction>
#include <QBarCategoryAxis>
#include <QChart>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

using namespace zorva;

namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

}  // namespace

TEST(ChartTexts, PercentagesAddUpToExactlyAHundred)
{
    const struct {
        QList<double> magnitudes;
        QStringList texts;
    } cases[] = {
        {{1, 1, 1}, {"33,4%", "33,3%", "33,3%"}},
        {{17600, 12000}, {"59,5%", "40,5%"}},
        {{5, 0}, {"100,0%", "0,0%"}},
        {{0, 0}, {"0,0%", "0,0%"}},
        {{2, 1, 1, 1, 1, 1, 1}, {"25,0%", "12,5%", "12,5%", "12,5%", "12,5%", "12,5%", "12,5%"}},
        {{}, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(charts::percentTexts(c.magnitudes), c.texts);
    EXPECT_EQ(charts::amountText(1234567.4), "1 234 567");
    EXPECT_EQ(charts::amountText(-999.5), "-1 000");
    EXPECT_EQ(charts::amountText(0), "0");
}

class ChartFrameTest : public charttest::ChartTest {
protected:
    void TearDown() override
    {
        printerseam::reset();
        FileDialog::clearFileNames();
        ChartTest::TearDown();
    }
};

TEST_F(ChartFrameTest, SaveWritesTheChartAsShownInTheChosenFormat)
{
    Tfrm_chBevKiad w(QStringLiteral("202401"), QStringLiteral("202403"));
    w.resize(700, 450);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QSize shown = w.chartView()->size();
    for (const QString &name : {QStringLiteral("abra"), QStringLiteral("abra.png")}) {
        FileDialog::clearLog();
        FileDialog::setNextFileName(folder.file(name));
        ASSERT_TRUE(w.saveChart());
        EXPECT_EQ(FileDialog::log().value(0).filter, "Bitmap file-ok (*.bmp)|*.bmp|PNG képek (*.png)|*.png");
        const QString file = folder.file(name.endsWith(".png") ? name : name + ".bmp");
        const QString read = run("identify", {"-format", "%m %w %h", file});
        EXPECT_TRUE(read.startsWith(name.endsWith(".png") ? "PNG " : "BMP")) << read.toStdString();
        EXPECT_TRUE(read.endsWith(QStringLiteral(" %1 %2").arg(shown.width()).arg(shown.height())))
            << read.toStdString();
    }
    // white where the chart draws nothing, the red of the first bar somewhere
    const QImage image(folder.file("abra.bmp"));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::white));
    bool red = false;
    for (int y = 0; y < image.height() && !red; ++y)
        for (int x = 0; x < image.width() && !red; ++x)
            red = image.pixelColor(x, y) == QColor(Qt::red);
    EXPECT_TRUE(red);

    FileDialog::setNextFileName(QString());
    EXPECT_FALSE(w.saveChart());
    EXPECT_EQ(QDir(folder.path()).entryList({"*.bmp", "*.png"}).size(), 2) << "a cancel writes nothing";
}

TEST_F(ChartFrameTest, PrintGoesToTheCurrentPrinterInLandscapeOrOffersAPdf)
{
    Tfrm_chMegoszlas w(QStringLiteral("202401"), QStringLiteral("202403"), -1);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    printerseam::setPrinters({QStringLiteral("Iroda")}, QStringLiteral("Iroda"));
    printerseam::setOutputFolder(folder.path());
    w.aNyomtat()->trigger();
    const QString pdf = folder.file("Iroda.pdf");
    ASSERT_TRUE(QFile::exists(pdf));
    const QString info = run("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages: +1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("842 x 595 pts")) << info.toStdString();  // A4 lying
    EXPECT_TRUE(run("pdftotext", {"-enc", "UTF-8", pdf, "-"}).contains("Élelmiszer"));

    printerseam::setPrinters({}, QString());
    MessageBox::clearLog();
    MessageBox::setNextAnswer(QMessageBox::No);
    EXPECT_FALSE(w.printChart());
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_EQ(MessageBox::log()[0].text,
              "Ezen a gépen nincs telepített nyomtató, ezért a nyomtatvány nem "
              "nyomtatható ki.\nElmenti a nyomtatványt PDF fájlba?");
    MessageBox::setNextAnswer(QMessageBox::Yes);
    FileDialog::setNextFileName(folder.file("abra.pdf"));
    EXPECT_TRUE(w.printChart());
    EXPECT_TRUE(run("pdfinfo", {folder.file("abra.pdf")}).contains("842 x 595 pts"));
}

TEST_F(ChartFrameTest, EscClosesAndTheWindowKeepsItsPlace)
{
    IniWriteText("frm_chCsekkIdoszak", "Left", "40");
    IniWriteText("frm_chCsekkIdoszak", "Width", "640");
    mdtest::whenModal<Tfrm_chCsekkIdoszak>([](Tfrm_chCsekkIdoszak *w) {
        EXPECT_EQ(w->width(), 640);
        EXPECT_EQ(w->x(), 40);
        w->resize(600, 400);
        QTest::keyClick(w, Qt::Key_Escape);
    });
    ShowBillPaymentChart(QStringLiteral("202401"), QStringLiteral("202403"));
    EXPECT_EQ(IniReadText("frm_chCsekkIdoszak", "Width", ""), "600");
    EXPECT_EQ(IniReadText("frm_chCsekkIdoszak", "Height", ""), "400");
}

TEST_F(ChartFrameTest, LongRangesKeepLabelsAndMarksApart)
{
    QStringList periods;
    QList<double> values;
    for (int m = 0; m < 72; ++m) {
        periods << QDate(2019, 1, 1).addMonths(m).toString("yyyyMM");
        values << 100000 + m * 1234;
    }
    Tfrm_chCsekkIdoszak w(QStringLiteral("209901"), QStringLiteral("209912"));
    w.bars().setData(periods.mid(0, 6), values.mid(0, 6));
    w.resize(800, 500);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QApplication::processEvents();
    EXPECT_EQ(w.bars().categoryLabels()->angle(), 0);
    EXPECT_EQ(w.bars().marks()->layout(), charts::ValueMarks::Layout::Level);

    w.bars().setData(periods.mid(0, 20), values.mid(0, 20));
    QApplication::processEvents();
    EXPECT_EQ(w.bars().categoryLabels()->angle(), -90);
    EXPECT_EQ(w.bars().categoryLabels()->step(), 1);
    EXPECT_EQ(w.bars().marks()->layout(), charts::ValueMarks::Layout::Upright);

    w.bars().setData(periods, values);
    QApplication::processEvents();
    auto *axis = qobject_cast<QBarCategoryAxis *>(w.chart()->axes(Qt::Horizontal).value(0));
    ASSERT_NE(axis, nullptr);
    EXPECT_GT(w.bars().categoryLabels()->step(), 1);
    EXPECT_EQ(axis->count(), 72) << "every period keeps its bar";
    EXPECT_EQ(axis->at(0), "201901");
    EXPECT_EQ(w.bars().marks()->layout(), charts::ValueMarks::Layout::Hidden);
    EXPECT_EQ(w.bars().periods(), periods);
}
