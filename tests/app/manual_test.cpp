// The manual against the program: every window class of the source is visited by the
// picture walk and has its section, its picture has the window's size, a section names
// only actions its window has; F1 opens the section of the window in front.
#include "admin/dbinstall/dbinstall.h"
#include "app/helppictures/windowtour.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/ui/helpkey.h"
#include "core/ui/shell.h"
#include "db/database.h"
#include "entries/dialogs/idoszak.h"
#include "masterdata/cashboxes/torzskassza.h"
#include "masterdata/settings/beallit.h"
#include "support/testserver.h"

#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zorva;

namespace {

const QString kHelp = QStringLiteral(ZORVA_SOURCE_DIR "/src/app/Help");

QString readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Window section id -> the action names its section marks.
QHash<QString, QStringList> manualSections()
{
    QHash<QString, QStringList> out;
    static const QRegularExpression section(
        QStringLiteral(R"re(<section id="([^"]+)" class="window">(.*?)</section>)re"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression action(QStringLiteral(R"re(data-action="([^"]+)")re"));
    QDirIterator it(kHelp, {QStringLiteral("*.htm")});
    while (it.hasNext()) {
        const QString text = readAll(it.next());
        for (auto m = section.globalMatch(text); m.hasNext();) {
            const auto s = m.next();
            QStringList &names = out[s.captured(1)];
            for (auto a = action.globalMatch(s.captured(2)); a.hasNext();)
                names << a.next().captured(1);
        }
    }
    return out;
}

// Every window class the source declares.
QStringList sourceWindowClasses()
{
    QStringList out{QStringLiteral("ReportPreviewDialog")};
    static const QRegularExpression decl(QStringLiteral(R"re(^class (Tfrm_\w+)\b[^;]*$)re"),
                                         QRegularExpression::MultilineOption);
    QDirIterator it(QStringLiteral(ZORVA_SOURCE_DIR "/src"), {QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        for (auto m = decl.globalMatch(readAll(it.next())); m.hasNext();)
            out << m.next().captured(1);
    out.removeDuplicates();
    out.sort();
    return out;
}

TEST(Manual, EveryWindowIsPicturedAndExplainedWithItsOwnActions)
{
    REQUIRE_TEST_SERVER();
    testsupport::ScratchSchema schema;
    installSchema(schema.db());
    fillDemoData(schema.db(), 0);
    testsupport::TempFolder folder;
    IniPath() = folder.file(QStringLiteral("Zorva.ini"));
    WorkArea() = QRect(0, 0, 1280, 800);
    HelpFolder() = kHelp;

    QStringList toured = TourWindowClasses();
    toured.sort();
    EXPECT_EQ(toured, sourceWindowClasses()) << "a window class is missing from the picture walk";

    const QHash<QString, QStringList> sections = manualSections();
    const QList<TourPicture> pictures = RunWindowTour(schema.db(), QStringLiteral(ZORVA_HELP_PICTURES));
    ASSERT_EQ(pictures.size(), toured.size());
    for (const TourPicture &p : pictures) {
        SCOPED_TRACE(p.windowClass.toStdString());
        EXPECT_TRUE(p.problem.isEmpty()) << p.problem.toStdString();
        EXPECT_EQ(QImage(p.file).size(), p.size);
        ASSERT_TRUE(sections.contains(p.windowClass)) << "no section in the manual";
        for (const QString &a : sections.value(p.windowClass))
            EXPECT_TRUE(p.actions.contains(a)) << "the manual names action " << a.toStdString();
        EXPECT_TRUE(readAll(kHelp + QStringLiteral("/") + QFileInfo(HelpUrl(p.windowClass).toLocalFile()).fileName())
                        .contains(QStringLiteral("kepek/%1.png").arg(p.windowClass)))
            << "the section shows no picture";
    }
}

// Presses F1 in the modal window `open` shows, closes it, and returns what the shell was asked.
QUrl helpOpenedIn(const std::function<void()> &open)
{
    Shell::clearLog();
    QTimer::singleShot(0, [] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w)
            return;
        QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_F1);
        if (auto *d = qobject_cast<QDialog *>(w))
            d->reject();
    });
    open();
    return Shell::log().isEmpty() ? QUrl() : Shell::log().last().url;
}

TEST(Manual, F1OpensTheSectionOfTheWindowInFront)
{
    REQUIRE_TEST_SERVER();
    testsupport::ScratchSchema schema;
    installSchema(schema.db());
    fillDemoData(schema.db(), 0);
    setMainConnection(&schema.db());
    testsupport::TempFolder folder;
    IniPath() = folder.file(QStringLiteral("Zorva.ini"));
    HelpFolder() = kHelp;
    InstallHelpKey(QCoreApplication::instance());

    const struct {
        const char *section;
        const char *page;
        std::function<void()> open;
    } cases[] = {
        {"Tfrm_TorzsKassza", "torzsadatok.htm", [] { ChooseCassa(-1, false); }},
        {"Tfrm_Beallit", "torzsadatok.htm", [] { ShowSettings(); }},
        {"Tfrm_Idoszak", "foablak.htm", [] {
             QDate f = QDate::currentDate().addMonths(-1), t = QDate::currentDate();
             AskDateRange(f, t);
         }},
    };
    for (const auto &c : cases) {
        const QUrl url = helpOpenedIn(c.open);
        EXPECT_EQ(url.fragment(), QString::fromLatin1(c.section));
        EXPECT_EQ(QFileInfo(url.toLocalFile()).fileName(), QString::fromLatin1(c.page)) << c.section;
    }
    setMainConnection(nullptr);
}

}  // namespace
