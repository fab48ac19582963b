#include "dialogfixture.h"

#include "core/dbhelpers/mainconnection.h"
#include "entries/dialogs/honap.h"
#include "sql/zorvaschema.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace zorva;
using dialogtest::onNextModal;

namespace {

class MonthRangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<sqltest::ZorvaSchema>();
        setMainConnection(&schema->db());
    }
    void TearDown() override { setMainConnection(nullptr); }

    dialogtest::SettingsFile settings;
    std::unique_ptr<sqltest::ZorvaSchema> schema;
};

}  // namespace

TEST_F(MonthRangeTest, EmptyCashBookOffersNoPeriodsAndReturnsEmptyTexts)
{
    QString from = QStringLiteral("x"), to = QStringLiteral("y");
    onNextModal([](QWidget *dlg) {
        auto *d = static_cast<Tfrm_Honap *>(dlg);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Időszak megadása"));
        EXPECT_EQ(d->fromCombo()->count(), 0);
        EXPECT_EQ(d->toCombo()->count(), 0);
        QTest::mouseClick(d->okButton(), Qt::LeftButton);
    });
    ASSERT_TRUE(AskMonthRange(from, to));
    EXPECT_EQ(from, QString());
    EXPECT_EQ(to, QString());
}

TEST_F(MonthRangeTest, PeriodsOfEveryCashBoxFromEarliestToLatest)
{
    sqltest::addBasicMasterData(schema->db());
    sqltest::book(schema->db(), QDate(2013, 3, 5), 1, 1, 1000);
    sqltest::book(schema->db(), QDate(2012, 11, 30), 2, 1, 500);
    sqltest::book(schema->db(), QDate(2013, 3, 9), 2, 2, -20);
    sqltest::book(schema->db(), QDate(2013, 1, 2), 1, 2, -30);

    QString from, to;
    onNextModal([](QWidget *dlg) {
        auto *d = static_cast<Tfrm_Honap *>(dlg);
        QStringList items;
        for (int i = 0; i < d->toCombo()->count(); ++i)
            items << d->toCombo()->itemText(i);
        EXPECT_EQ(items, (QStringList{"201211", "201301", "201303"}));
        EXPECT_EQ(d->fromCombo()->currentText(), QStringLiteral("201211"));
        EXPECT_EQ(d->toCombo()->currentText(), QStringLiteral("201303"));
        QTest::mouseClick(d->okButton(), Qt::LeftButton);
    });
    ASSERT_TRUE(AskMonthRange(from, to));
    EXPECT_EQ(from, QStringLiteral("201211"));
    EXPECT_EQ(to, QStringLiteral("201303"));

    // Typed text comes back unchecked; Enter only moves on.
    onNextModal([](QWidget *dlg) {
        auto *d = static_cast<Tfrm_Honap *>(dlg);
        d->fromCombo()->lineEdit()->selectAll();
        dialogtest::typeText(d->fromCombo()->lineEdit(), QStringLiteral("2099x"));
        QTest::keyClick(d->fromCombo()->lineEdit(), Qt::Key_Return);
        EXPECT_TRUE(d->isVisible());
        QTest::mouseClick(d->okButton(), Qt::LeftButton);
    });
    ASSERT_TRUE(AskMonthRange(from, to));
    EXPECT_EQ(from, QStringLiteral("2099x"));
    EXPECT_EQ(to, QStringLiteral("201303"));

    from = QStringLiteral("keep");
    onNextModal([](QWidget *dlg) { QTest::keyClick(dlg, Qt::Key_Escape); });
    EXPECT_FALSE(AskMonthRange(from, to));
    EXPECT_EQ(from, QStringLiteral("keep"));
}
