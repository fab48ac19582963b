// Two fixed items over the basic master data: 1 "Albérlet" (Rezsi, Kovács Ödön,
// 12345.6) and 2 with only a cash type (Fizetés).
#pragma once

#include "masterdata/masterdatafixture.h"

#include "masterdata/fixeditems/torzsfix.h"

namespace fixtest {

// Waits until `w` is the application's active window: the offscreen platform reports a
// window active before the application has taken the activation, and only then do the
// window's shortcuts work and its focus widget become the application's.
inline void settle(QWidget *w)
{
    w->activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([w] { return w->isActiveWindow(); }, 2000));
}

// The window with its data open, shown outside a modal loop.
class OpenWindow : public zorva::Tfrm_Torzsfix {
public:
    OpenWindow()
    {
        openData();
        show();
        settle(this);
    }
    ~OpenWindow() override { closeData(); }
};

class FixedItems : public mdtest::MasterDataTest {
protected:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        if (HasFatalFailure())
            return;
        db().execute(
            "INSERT INTO fix (fix, kasszatip, ugyfel, osszeg, szoveg) VALUES (1, 4, 1, 12345.6, 'Albérlet'), "
            "(2, 1, NULL, NULL, NULL)");
    }
    int count(const QString &table) { return rows("SELECT COUNT(*) FROM " + table)[0][0].toInt(); }
};

}  // namespace fixtest
