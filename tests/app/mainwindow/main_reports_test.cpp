// The "Nyomtatások" actions: each asks its range (and its client or cash type) and its
// output, and prints the report; a cancelled dialog prints nothing and leaves no window.
#include "cashbookfixture.h"

#include "app/mainwindow/main.h"
#include "app/mainwindow/mainstatusbar.h"
#include "app/mainwindow/totalspanel.h"
#include "core/globals.h"
#include "core/programsettings.h"
#include "core/ui/listwindow.h"
#include "core/ui/messagebox.h"
#include "db/query.h"
#include "entries/dialogs/dialogclock.h"
#include "entries/dialogs/honap.h"
#include "entries/dialogs/idoszak.h"
#include "export/ui/hatarolt.h"
#include "reports/pdftext.h"
#include "reports/ui/nyomvalaszt.h"
#include "reports/ui/printers.h"
#include "reports/ui/reportpreview.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStringDecoder>
#include <QTimer>

using namespace zorva;

namespace {

const QDate kToday(2024, 5, 15);

// Answers the modal windows the next action shows, one step per window, in order.
class ModalScript {
public:
    using Step = std::function<void(QWidget *)>;
    explicit ModalScript(std::vector<Step> steps) : m_steps(std::move(steps))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget *m = QApplication::activeModalWidget();
            if (!m || m == m_last || m_next >= m_steps.size())
                return;
            m_last = m;
            m_steps[m_next++](m);
        });
        m_timer.start();
    }
    size_t answered() const { return m_next; }

private:
    std::vector<Step> m_steps;
    size_t m_next = 0;
    QPointer<QWidget> m_last;
    QTimer m_timer;
};

// The period dialog: records what it proposed, then OK (or Mégsem).
ModalScript::Step dateRange(QDate *from, QDate *to, bool accept = true)
{
    return [=](QWidget *w) {
        auto *d = qobject_cast<Tfrm_Idoszak *>(w);
        if (!d) {
            w->close();
            return;
        }
        *from = d->fromDate();
        *to = d->toDate();
        (accept ? d->okButton() : d->cancelButton())->click();
    };
}

// A list window in choice mode: accepts `key`, or closes without a choice for -1.
ModalScript::Step listChoice(int key, bool *choiceMode)
{
    return [=](QWidget *w) {
        auto *l = qobject_cast<ListWindow *>(w);
        if (!l) {
            w->close();
            return;
        }
        *choiceMode = l->choiceMode();
        if (key == -1 || !l->moveToKey(key))
            l->close();
        else
            l->acceptRow();
    };
}

class MainWindowReportsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<testsupport::ScratchSchema>();
        testsupport::loadCashBookSchema(schema->db());
        beall() = TBeall{};
        Cassa() = 1;
        beall().CassaName = QStringLiteral("Pénztárca");
        SumPeriod().clear();
        IniPath() = folder.file(QStringLiteral("Zorva.ini"));
        MessageBox::clearAnswers();
        printerseam::setPrinters({QStringLiteral("Iroda")}, QStringLiteral("Iroda"));
        printerseam::setOutputFolder(folder.path());
        setDialogClock([] { return kToday; });
        book(QDate(2024, 4, 20), 1, 1, 250000, 1, QStringLiteral("áprilisi fizetés"));
        book(QDate(2024, 5, 2), 1, 10, -4321, 5);
        book(QDate(2024, 5, 3), 2, 12, -18000, 9);
        book(QDate(2024, 5, 4), 1, 10, -999, 8);
        book(QDate(2024, 3, 1), 1, 10, -77777, 5);  // before the proposed range
        w = testsupport::openMainWindow(*schema);
    }
    void TearDown() override
    {
        printerseam::reset();
        outputchooser::clearAnswers();
        setDialogClock({});
    }

    void book(const QDate &d, int kassza, int tip, double amount, int client, const QString &text = QString())
    {
        schema->db().execute(QStringLiteral("CALL sp_kassza_ins('%1',%2,%3,%4,'%5',%6);")
                                 .arg(d.toString(Qt::ISODate))
                                 .arg(kassza)
                                 .arg(tip)
                                 .arg(amount, 0, 'f', 2)
                                 .arg(text)
                                 .arg(client));
    }

    // The printed text of the report, squeezed; empty when nothing was printed.
    QString printed()
    {
        const QString pdf = folder.file(QStringLiteral("Iroda.pdf"));
        if (!QFile::exists(pdf))
            return QString();
        const QString t = reporttest::squeezedLines(reporttest::pdfPages(pdf).join(u'\n')).join(u'\n');
        // ZORVA_REPORT_PICTURES=folder keeps every printed report there to look at.
        static int kept = 0;
        if (const QString keep = qEnvironmentVariable("ZORVA_REPORT_PICTURES"); !keep.isEmpty())
            QFile::copy(pdf,
                        QStringLiteral("%1/%2-%3.pdf")
                            .arg(keep, QString::fromLatin1(
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                            .arg(++kept));
        QFile::remove(pdf);
        return t;
    }

    static void expectNoWindowLeft()
    {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->isVisible() && !qobject_cast<Tfrm_Main *>(top))
                ADD_FAILURE() << "left open: " << top->metaObject()->className();
    }

    testsupport::TempFolder folder;
    std::unique_ptr<testsupport::ScratchSchema> schema;
    std::unique_ptr<Tfrm_Main> w;
};

}  // namespace

TEST_F(MainWindowReportsTest, DateRangeActionsProposeTheLastMonthAndPrintTheirReport)
{
    struct Case {
        QAction *action;
        const char *title;
        const char *present;  // a text of the range's rows the report must hold
        const char *absent;   // one it must not
    };
    const MainActions &a = w->actions();
    const Case cases[] = {
        {a.aNyomOssz, "Változások időszakra", "-4 321", "18 000"},
        {a.aNyomBevet, "Bevételek időszakra", "250 000", "4 321"},
        {a.aNyomKiad, "Kiadások időszakra", "-4 321", "250 000"},
        {a.aNyomOssz2, "Összes kassza", "18 000", "77 777"},
        {a.aNyomBevet2, "Bevételek időszakra", "áprilisi fizetés", "18 000"},
        {a.aNyomKiad2, "Kiadások időszakra", "Folyószámla", "250 000"},
        {a.aNyomUgyfTetel, "Tételek ügyfelenként", "Pixelgyár Informatikai Kft.", "18 000"},
        {a.aNyomTipTetel, "Tételek típusonként", "Mindösszesen 250 000 -5 320", "77 777"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.action->objectName().toStdString());
        EXPECT_TRUE(c.action->isEnabled());
        QDate from, to;
        ModalScript script({dateRange(&from, &to)});
        outputchooser::setNextAnswer(1);
        c.action->trigger();
        EXPECT_EQ(from, QDate(2024, 4, 15));
        EXPECT_EQ(to, kToday);
        const QString t = printed();
        EXPECT_TRUE(t.contains(QString::fromUtf8(c.title))) << t.toStdString();
        EXPECT_TRUE(t.contains(QStringLiteral("2024.04.15 - 2024.05.15")));
        EXPECT_TRUE(t.contains(QString::fromUtf8(c.present))) << t.toStdString();
        EXPECT_FALSE(t.contains(QString::fromUtf8(c.absent))) << t.toStdString();
        expectNoWindowLeft();
    }
}

TEST_F(MainWindowReportsTest, OneClientOrOneTypeIsChosenAfterTheRange)
{
    QDate from, to;
    bool choiceMode = false;
    {
        ModalScript script({dateRange(&from, &to), listChoice(5, &choiceMode)});
        outputchooser::setNextAnswer(1);
        w->actions().aNyomUgyfTetel2->trigger();
        EXPECT_EQ(script.answered(), 2u);
    }
    EXPECT_TRUE(choiceMode);
    QString t = printed();
    EXPECT_TRUE(t.contains(QStringLiteral("Spar Bartók Béla út"))) << t.toStdString();
    EXPECT_FALSE(t.contains(QStringLiteral("Pixelgyár")));
    EXPECT_FALSE(t.contains(QStringLiteral("77 777")));  // the client's entry outside the range

    {
        ModalScript script({dateRange(&from, &to), listChoice(1, &choiceMode)});
        outputchooser::setNextAnswer(1);
        w->actions().aNyomTipTetel2->trigger();
        EXPECT_EQ(script.answered(), 2u);
    }
    t = printed();
    EXPECT_TRUE(t.contains(QStringLiteral("Tételek típusonként")));
    EXPECT_TRUE(t.contains(QStringLiteral("Mindösszesen 250 000 0"))) << t.toStdString();
    EXPECT_FALSE(t.contains(QStringLiteral("Élelmiszer")));
}

TEST_F(MainWindowReportsTest, PreviewAndDelimitedOutputsOfAReportAction)
{
    QDate from, to;
    int pages = 0;
    QString title;
    {
        ModalScript script({dateRange(&from, &to), [&](QWidget *m) {
                                auto *d = qobject_cast<ReportPreviewDialog *>(m);
                                pages = d ? d->pageCount() : -1;
                                title = m->windowTitle();
                                m->close();
                            }});
        outputchooser::setNextAnswer(0);
        w->actions().aNyomKiad->trigger();
        EXPECT_EQ(script.answered(), 2u);
    }
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(title, QStringLiteral("Kiadások időszakra"));
    EXPECT_TRUE(printed().isEmpty()) << "a preview prints nothing";

    const QString csv = folder.file(QStringLiteral("kiadas.csv"));
    {
        ModalScript script({dateRange(&from, &to), [&](QWidget *m) {
                                auto *d = qobject_cast<Tfrm_Hatarolt *>(m);
                                if (!d) {
                                    m->close();
                                    return;
                                }
                                d->fileEdit()->setText(csv);
                                d->openAfterExport()->setChecked(false);
                                d->startExport();
                                d->closeButton()->click();
                            }});
        outputchooser::setNextAnswer(2);
        w->actions().aNyomKiad->trigger();
        EXPECT_EQ(script.answered(), 2u);
    }
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QStringDecoder("windows-1250").decode(f.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("-4321"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("250000"))) << "incomes are not expenses";
    EXPECT_FALSE(text.contains(QStringLiteral("77777"))) << "outside the range";
    expectNoWindowLeft();
}

TEST_F(MainWindowReportsTest, CancelledDialogsPrintNothingAndLeaveNoWindow)
{
    QDate from, to;
    bool choiceMode = false;
    const MainActions &a = w->actions();
    {
        ModalScript script({dateRange(&from, &to, false)});
        a.aNyomOssz->trigger();
    }
    {
        ModalScript script({dateRange(&from, &to), listChoice(-1, &choiceMode)});
        a.aNyomUgyfTetel2->trigger();
        EXPECT_EQ(script.answered(), 2u);
    }
    {
        ModalScript script({dateRange(&from, &to), listChoice(-1, &choiceMode)});
        a.aNyomTipTetel2->trigger();
        EXPECT_EQ(script.answered(), 2u);
    }
    {
        ModalScript script({[](QWidget *m) {
            if (auto *d = qobject_cast<Tfrm_Honap *>(m))
                d->cancelButton()->click();
            else
                m->close();
        }});
        a.aNyomIdoszak->trigger();
        EXPECT_EQ(script.answered(), 1u);
    }
    // The output chooser cancelled: after the range, and for the cash history.
    {
        ModalScript script({dateRange(&from, &to)});
        outputchooser::setNextAnswer(-1);
        a.aNyomKiad2->trigger();
    }
    outputchooser::setNextAnswer(-1);
    a.aNyomKassza->trigger();
    EXPECT_TRUE(printed().isEmpty());
    expectNoWindowLeft();
}

TEST_F(MainWindowReportsTest, CashHistoryTakesTheTotalsPanelAndTheFilterText)
{
    w->mainStatusBar()->setPanel(MainStatusBar::Period, QStringLiteral("időszak: 202405"));
    outputchooser::setNextAnswer(1);
    w->actions().aNyomKassza->trigger();
    const QString t = printed();
    EXPECT_TRUE(t.contains(QStringLiteral("Kasszatörténet"))) << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("időszak: 202405")));
    const TotalsPanel *p = w->totalsPanel();
    EXPECT_TRUE(t.contains(QStringLiteral("Összesen ") + p->nyito() + u' ' + p->bevetel() + u' ' +
                           p->kiadas() + u' ' + p->zaro()))
        << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("Kovács Péter és Kovácsné Szabó Éva")));  // the owner block
}

TEST_F(MainWindowReportsTest, PeriodSummaryOverTheChosenMonths)
{
    ModalScript script({[](QWidget *m) {
        auto *d = qobject_cast<Tfrm_Honap *>(m);
        if (!d) {
            m->close();
            return;
        }
        d->fromCombo()->setEditText(QStringLiteral("202404"));
        d->toCombo()->setEditText(QStringLiteral("202405"));
        d->okButton()->click();
    }});
    outputchooser::setNextAnswer(1);
    w->actions().aNyomIdoszak->trigger();
    const QString t = printed();
    EXPECT_TRUE(t.contains(QStringLiteral("Időszak összesítés")));
    EXPECT_TRUE(t.contains(QStringLiteral("202404 - 202405")));
    EXPECT_TRUE(t.contains(QStringLiteral("Összesen -5 320 250 000 244 680"))) << t.toStdString();
    EXPECT_FALSE(t.contains(QStringLiteral("202403")));
}

TEST_F(MainWindowReportsTest, ClientChooserAndBillTypesPrintTheirLists)
{
    bool choiceMode = true;
    ModalScript script({[&](QWidget *m) {
        auto *l = qobject_cast<ListWindow *>(m);
        if (!l) {
            m->close();
            return;
        }
        choiceMode = l->choiceMode();
        QAction *print = l->action(QStringLiteral("aNyomtat"));
        EXPECT_TRUE(print && print->isEnabled());
        EXPECT_EQ(print->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        outputchooser::setNextAnswer(1, QStringLiteral("Iroda"));
        print->trigger();
        l->close();
    }});
    w->actions().aTorzsUgyfel->trigger();
    EXPECT_FALSE(choiceMode);
    QString t = printed();
    EXPECT_TRUE(t.contains(QStringLiteral("Ügyfelek, tartozások"))) << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("Rózsa Pékség")));
}
