// What the master-data window tests share: a scratch schema with the Zorva database as
// the main connection, a settings file of their own, and driving of modal windows.
#pragma once

#include "sql/zorvaschema.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/ui/messagebox.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace mdtest {

// Runs `drive` on the modal window of type W once it is shown and active; a window the
// drive leaves open is closed after a few seconds and the test fails.
template <class W>
void whenModal(std::function<void(W *)> drive)
{
    QTimer::singleShot(0, [drive] {
        auto *w = qobject_cast<W *>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr) << "no modal window of the expected kind";
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        drive(w);
        QTimer::singleShot(4000, w, [w] {
            if (w->isVisible()) {
                ADD_FAILURE() << "the window stayed open: " << w->objectName().toStdString();
                w->reject();
            }
        });
    });
}

// After a nested dialog closed: the window is made active again (a desktop's window
// manager does this by itself, the offscreen platform does not).
inline void reactivate(QWidget *w)
{
    w->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(w));
}

// Types `text` into `w` one character at a time (accented letters included).
inline void typeText(QWidget *w, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

class MasterDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<sqltest::ZorvaSchema>();
        sqltest::addBasicMasterData(schema->db());
        zorva::setMainConnection(&schema->db());
        zorva::IniPath() = folder.file(QStringLiteral("Zorva.ini"));
        zorva::WorkArea() = QRect(0, 0, 1280, 800);
        zorva::MessageBox::clearLog();
        zorva::MessageBox::clearAnswers();
    }
    void TearDown() override { zorva::setMainConnection(nullptr); }

    TmySQLDatabase &db() { return schema->db(); }
    QList<QStringList> rows(const QString &sql) { return sqltest::rows(db(), sql); }
    // The texts of the message boxes shown since the test began.
    QStringList shownTexts() const
    {
        QStringList out;
        for (const auto &m : zorva::MessageBox::log())
            out << m.text;
        return out;
    }

    testsupport::TempFolder folder;
    std::unique_ptr<sqltest::ZorvaSchema> schema;
};

}  // namespace mdtest
