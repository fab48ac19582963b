// The main window while its server is away: the user's action ends with a clear Hungarian
// message, the window and its list stay, and once the server is back the same action works.
#include "privateserver.h"
#include "app/mainwindow/cashbookfixture.h"

#include "app/mainwindow/main.h"
#include "core/globals.h"
#include "core/programsettings.h"
#include "core/ui/messagebox.h"
#include "db/database.h"
#include "db/query.h"

#include <QAction>

#include <gtest/gtest.h>

using namespace zorva;

TEST(MainWindowChaos, AStoppedServerIsSaidPlainlyAndTheWindowGoesOnAfterItsReturn)
{
    PrivateServer server;
    testsupport::TempFolder folder;
    auto schema = std::make_unique<testsupport::ScratchSchema>();
    testsupport::loadCashBookSchema(schema->db());
    beall() = TBeall{};
    Cassa() = 1;
    IniPath() = folder.file(QStringLiteral("Zorva.ini"));
    ProgramDir() = folder.path();
    const QDate today = QDate::currentDate();
    const int first =
        testsupport::addEntry(schema->db(), today.addDays(-3), 1, 1, 1000, QStringLiteral("Fizetés"));
    const int second =
        testsupport::addEntry(schema->db(), today.addDays(-1), 1, 10, 300, QStringLiteral("Piac"));
    auto w = testsupport::openMainWindow(*schema);
    w->show();
    ASSERT_EQ(w->Qry().recordCount(), 2);

    server.stop();
    MessageBox::clearLog();
    ASSERT_TRUE(w->Qry().locate(QStringLiteral("hid"), second));
    MessageBox::setNextAnswer(QMessageBox::Yes);
    w->actions().aTorol->trigger();
    QStringList errors;
    for (const MessageBox::Shown &s : MessageBox::log())
        if (s.kind == MessageBox::Error)
            errors << s.text;
    ASSERT_EQ(errors.size(), 1) << errors.join(u'|').toStdString();
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Az adatbázis nem érhető el")))
        << errors[0].toStdString();
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(w->Qry().recordCount(), 2);  // what was read stays on screen

    server.start();
    MessageBox::clearLog();
    ASSERT_TRUE(w->Qry().locate(QStringLiteral("hid"), second));
    MessageBox::setNextAnswer(QMessageBox::Yes);
    w->actions().aTorol->trigger();
    for (const MessageBox::Shown &s : MessageBox::log())
        EXPECT_NE(s.kind, MessageBox::Error) << s.text.toStdString();
    EXPECT_EQ(w->Qry().recordCount(), 1);
    EXPECT_EQ(w->currentHid(), first);
    w.reset();
    schema.reset();
}
