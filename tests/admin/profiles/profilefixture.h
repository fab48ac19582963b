// What the profile list tests share: a settings file of their own, the profile list window,
// and reading the stored profiles back.
#pragma once

#include "admin/profiles/adatbazis.h"
#include "admin/profiles/adatbazis_szerkeszt.h"

#include "core/globals.h"
#include "core/inifile.h"
#include "core/programsettings.h"
#include "core/scramble.h"
#include "core/ui/messagebox.h"
#include "support/testserver.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace profiletest {

// Runs `drive` on the modal window of type W once it is shown.
template <class W>
void whenModal(std::function<void(W *)> drive)
{
    QTimer::singleShot(0, [drive] {
        auto *w = qobject_cast<W *>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr) << "no modal window of the expected kind";
        w->activateWindow();
        drive(w);
        QTimer::singleShot(4000, w, [w] {
            if (w->isVisible()) {
                ADD_FAILURE() << "the window stayed open";
                w->reject();
            }
        });
    });
}

class ProfileListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        zorva::IniPath() = folder.file(QStringLiteral("Zorva.ini"));
        zorva::DataDir() = folder.path();
        zorva::WorkArea() = QRect(0, 0, 1280, 800);
        zorva::MessageBox::clearLog();
        zorva::MessageBox::clearAnswers();
    }
    void TearDown() override { zorva::MessageBox::clearAnswers(); }

    // Writes plain profiles under the given key numbers.
    void store(const QList<std::pair<int, QString>> &profiles)
    {
        for (const auto &[n, plain] : profiles)
            ASSERT_TRUE(zorva::writeConnectionProfile(n, plain, zorva::IniPath()));
    }
    // Every ConStr key of [Adatbazis], unscrambled, in key order ("ConStr2=...").
    QStringList storedKeys() const
    {
        const zorva::IniFile ini(zorva::IniPath());
        QStringList out;
        for (int n = 1; n <= 100; ++n) {
            const QString key = QStringLiteral("ConStr%1").arg(n);
            if (ini.valueExists(QStringLiteral("Adatbazis"), key))
                out << key + QLatin1Char('=') +
                           zorva::UnscrambleConStr(
                               ini.readString(QStringLiteral("Adatbazis"), key, QString()));
        }
        return out;
    }
    // The window with its list loaded, as opening it does.
    std::unique_ptr<zorva::Tfrm_Adatbazis> openWindow()
    {
        auto w = std::make_unique<zorva::Tfrm_Adatbazis>();
        w->loadProfiles();
        return w;
    }
    QStringList column(zorva::Tfrm_Adatbazis &w, const char *field)
    {
        QStringList out;
        TkbmMemTable &t = w.table();
        for (int r = 0; r < t.recordCount(); ++r)
            out << t.valueAt(r, t.fieldIndex(QString::fromLatin1(field))).toString();
        return out;
    }
    QStringList shownTexts() const
    {
        QStringList out;
        for (const auto &m : zorva::MessageBox::log())
            out << m.text;
        return out;
    }

    testsupport::TempFolder folder;
};

}  // namespace profiletest
