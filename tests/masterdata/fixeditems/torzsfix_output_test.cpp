// The output actions of the fixed items window: printing at once in portrait, the
// preview that prints nothing, the HTML page and the delimited export of the list.
#include "fixeditems_fixture.h"

#include "core/ui/dbgrid.h"
#include "export/ui/grid2html.h"
#include "export/ui/hatarolt.h"
#include "reports/pdftext.h"
#include "reports/ui/printers.h"
#include "reports/ui/reportpreview.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

using namespace zorva;

namespace {

class FixedItemsOutput : public fixtest::FixedItems {
protected:
    void SetUp() override
    {
        FixedItems::SetUp();
        printerseam::setPrinters({QStringLiteral("Iroda")}, QStringLiteral("Iroda"));
        printerseam::setOutputFolder(folder.path());
        beall().HtmlPath = folder.path();
    }
    void TearDown() override
    {
        printerseam::reset();
        FixedItems::TearDown();
    }
    QString pdf() { return folder.file(QStringLiteral("Iroda.pdf")); }
};

}  // namespace

TEST_F(FixedItemsOutput, ToolBarAndContextMenuReachEveryOutput)
{
    fixtest::OpenWindow w;
    auto *button = qobject_cast<QToolButton *>(w.toolBar()->widgetForAction(w.action("aNyomtat")));
    ASSERT_NE(button, nullptr);
    ASSERT_NE(button->menu(), nullptr);
    QStringList dropDown, kimenet;
    for (QAction *a : button->menu()->actions())
        dropDown << (a->isSeparator() ? "-" : a->text());
    for (QAction *a : w.outputMenu()->actions())
        kimenet << (a->isSeparator() ? "-" : a->text());
    const QStringList outputs{"Nyomtat", "Nyomtatási kép", "-", "Excelbe (CSV export)", "Html export"};
    EXPECT_EQ(dropDown, outputs);
    EXPECT_EQ(kimenet, outputs);
    EXPECT_TRUE(w.contextMenu()->actions().contains(w.outputMenu()->menuAction()));
    EXPECT_EQ(w.action("aTorol")->toolTip(), "Sor törlése");
    w.reject();
}

TEST_F(FixedItemsOutput, PrintGoesOutAtOnceInPortraitAndThePreviewPrintsNothing)
{
    fixtest::OpenWindow w;
    bool previewed = false;
    QTimer::singleShot(0, [&previewed] {
        if (auto *d = qobject_cast<ReportPreviewDialog *>(QApplication::activeModalWidget())) {
            previewed = d->pageCount() == 1;
            d->close();
        }
    });
    QTest::keyClick(w.grid(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_TRUE(previewed);
    EXPECT_FALSE(QFile::exists(pdf()));
    fixtest::settle(&w);

    QTest::keyClick(w.grid(), Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(QFile::exists(pdf()));
    const QStringList pages = reporttest::pdfPages(pdf());
    ASSERT_EQ(pages.size(), 1);
    const QString text = reporttest::squeezedLines(pages[0]).join(u'\n');
    EXPECT_TRUE(text.startsWith("Fix tételek")) << text.toStdString();
    EXPECT_TRUE(text.contains("Rezsi Kovács Ödön 12 346")) << text.toStdString();
    QFile f(pdf());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("/MediaBox [0 0 595"));
    w.reject();
}

TEST_F(FixedItemsOutput, HtmlAndDelimitedExportsGetTheListUnderTheWindowCaption)
{
    fixtest::OpenWindow w;
    QString proposed;
    QTimer::singleShot(0, [&proposed] {
        if (auto *d = qobject_cast<Tfrm_Grid2Html *>(QApplication::activeModalWidget())) {
            proposed = d->pathEdit()->text();
            d->reject();
        }
    });
    QTest::keyClick(w.grid(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(proposed, folder.file("fix-t_telek.htm"));
    fixtest::settle(&w);

    QStringList fields;
    QTimer::singleShot(0, [&fields] {
        if (auto *d = qobject_cast<Tfrm_Hatarolt *>(QApplication::activeModalWidget())) {
            for (int i = 0; i < d->fieldList()->count(); ++i)
                fields << d->fieldList()->item(i)->text();
            d->closeButton()->click();
        }
    });
    QTest::keyClick(w.grid(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(fields.size(), w.table().fieldCount());
    EXPECT_TRUE(fields.contains("szoveg")) << fields.join(",").toStdString();
    w.reject();
}
