#include "core/globals.h"
#include "core/ui/application.h"
#include "core/ui/inputbehaviour.h"
#include "core/ui/messagebox.h"
#include "core/ui/testseam.h"
#include "core/ui/windowplace.h"
#include "db/errors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace zorva;

namespace {

struct Form {
    QDialog dialog;
    QLineEdit *name = new QLineEdit(&dialog);
    QDateEdit *date = new QDateEdit(&dialog);
    QComboBox *pick = new QComboBox(&dialog);
    QLineEdit *amount = new QLineEdit(&dialog);
    QPushButton *ok = new QPushButton("OK", &dialog);

    Form()
    {
        auto *layout = new QVBoxLayout(&dialog);
        for (QWidget *w : std::initializer_list<QWidget *>{name, date, pick, amount, ok})
            layout->addWidget(w);
        pick->addItems({"a", "b"});
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    }
    void show()
    {
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
};

QColor baseOf(QWidget *w)
{
    return w->palette().color(QPalette::Base);
}

}  // namespace

TEST(InputBehaviour, FocusedFieldTurnsLightBlue)
{
    Form f;
    const QColor normal = baseOf(f.name);
    ASSERT_NE(normal, FocusColor());
    installFocusColor(&f.dialog);
    f.show();
    f.name->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(baseOf(f.name), FocusColor());
    EXPECT_EQ(baseOf(f.amount), normal);

    f.date->setFocus();  // the focus goes to the date field's inner line edit
    QApplication::processEvents();
    EXPECT_EQ(baseOf(f.date), FocusColor());
    EXPECT_EQ(baseOf(f.name), normal);

    // A field added later is covered as well.
    auto *late = new QLineEdit(&f.dialog);
    f.dialog.layout()->addWidget(late);
    late->show();
    late->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(baseOf(late), FocusColor());
    EXPECT_EQ(baseOf(f.date), normal);
    f.ok->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(baseOf(late), normal);

    // A field with a colour of its own gets it back.
    QPalette own = f.amount->palette();
    own.setColor(QPalette::Base, Qt::yellow);
    f.amount->setPalette(own);
    f.amount->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(baseOf(f.amount), FocusColor());
    f.name->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(baseOf(f.amount), QColor(Qt::yellow));
}

TEST(InputBehaviour, EnterMovesToTheNextField)
{
    Form f;
    installEnterAsTab(&f.dialog, true);
    f.show();
    f.name->setFocus();
    QTest::keyClick(f.name, Qt::Key_Return);
    EXPECT_TRUE(f.date->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    EXPECT_TRUE(f.pick->hasFocus());
    QTest::keyClick(f.pick, Qt::Key_Return);
    EXPECT_TRUE(f.amount->hasFocus());
    EXPECT_TRUE(f.dialog.isVisible());  // Enter did not accept the dialog
    QTest::keyClick(f.amount, Qt::Key_Return);
    EXPECT_TRUE(f.ok->hasFocus());
    QTest::keyClick(f.amount, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(f.dialog.result(), QDialog::Accepted);
}

TEST(InputBehaviour, EnterOnAFocusedButtonPressesItAndACheckBoxMovesOn)
{
    // Also a button that is no default one, as the dialogs make theirs.
    for (const bool autoDefault : {true, false}) {
        Form f;
        auto *check = new QCheckBox("aktív?", &f.dialog);
        f.dialog.layout()->addWidget(check);
        QWidget::setTabOrder(f.amount, check);
        QWidget::setTabOrder(check, f.ok);
        f.ok->setAutoDefault(autoDefault);
        int pressed = 0;
        QObject::connect(f.ok, &QPushButton::clicked, [&pressed] { ++pressed; });
        installEnterAsTab(&f.dialog);
        f.show();
        check->setFocus();
        QTest::keyClick(check, Qt::Key_Return);
        EXPECT_FALSE(check->isChecked());
        EXPECT_EQ(QApplication::focusWidget(), f.ok) << autoDefault;
        QTest::keyClick(f.ok, Qt::Key_Return);
        EXPECT_EQ(f.dialog.result(), QDialog::Accepted) << autoDefault;
        EXPECT_EQ(pressed, 1) << "pressed once: " << autoDefault;
    }
}

namespace {

class GlobalErrorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        seam::resetTestMode();
        MessageBox::clearLog();
        MessageBox::clearAnswers();
    }
};

// A line edit whose key handler fails half-way.
class FailingEdit : public QLineEdit {
public:
    int reachedEnd = 0;

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        QLineEdit::keyPressEvent(e);
        if (e->key() == Qt::Key_F5)
            throw std::runtime_error("Nem sikerült");
        ++reachedEnd;
    }
};

}  // namespace

TEST_F(GlobalErrorTest, ErrorInATimerEndsThatHandlerAndTheLoopGoesOn)
{
    ASSERT_NE(qobject_cast<ZorvaApplication *>(qApp), nullptr);
    bool afterThrow = false;
    bool laterTimerRan = false;
    QEventLoop loop;
    QTimer::singleShot(0, [&] {
        throw EmySQLDatabaseError::fromServer(1146, "Table 'zorva.x' doesn't exist");
        afterThrow = true;  // never reached
    });
    QTimer::singleShot(0, [] { throw std::runtime_error("Hibás érték!"); });
    QTimer::singleShot(20, [&] {
        laterTimerRan = true;
        loop.quit();
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);  // guard
    loop.exec();

    EXPECT_FALSE(afterThrow);
    EXPECT_TRUE(laterTimerRan);
    const auto log = MessageBox::log();
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(log[0].kind, MessageBox::Error);
    EXPECT_EQ(log[0].caption, "Zorva");
    EXPECT_EQ(log[0].text, "MySQL Error Code: (1146)\r\nTable 'zorva.x' doesn't exist.");
    EXPECT_EQ(log[1].text, "Hibás érték!");  // "!" is below "." in the code table
}

TEST_F(GlobalErrorTest, ErrorInAWidgetsEventHandler)
{
    FailingEdit edit;
    edit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    QTest::keyClick(&edit, Qt::Key_A);
    QTest::keyClick(&edit, Qt::Key_F5);
    QTest::keyClick(&edit, Qt::Key_B);
    EXPECT_EQ(edit.reachedEnd, 2);
    EXPECT_EQ(edit.text(), "ab");
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_EQ(MessageBox::log()[0].text, "Nem sikerült.");

    ApplicationTitle() = "Zorva - Otthon";
    showGlobalError(std::runtime_error("x)"));
    ApplicationTitle() = "Zorva";
    EXPECT_EQ(MessageBox::log()[1].caption, "Zorva - Otthon");
    EXPECT_EQ(MessageBox::log()[1].text, "x)");
    EXPECT_EQ(globalErrorText(std::runtime_error("")), "");
    EXPECT_EQ(globalErrorText(std::runtime_error("vége.")), "vége.");
    EXPECT_EQ(globalErrorText(std::runtime_error("hiba/")), "hiba/.");  // "/" follows "."
}

TEST(WindowPlace, DialogsAndListWindowsKeepTheirPlace)
{
    const QString savedIni = IniPath();
    const QRect savedArea = WorkArea();
    QTemporaryDir dir;
    IniPath() = dir.filePath("Zorva.ini");
    WorkArea() = QRect(0, 0, 1000, 700);
    beall().FontSize = 11;

    QWidget list;
    list.setObjectName("frm_TorzsKassza");
    list.resize(400, 300);
    restoreListBounds(&list);
    EXPECT_EQ(list.size(), QSize(400, 300));
    EXPECT_EQ(list.pos(), QPoint(10, 10));
    list.move(900, 50);
    list.resize(500, 320);
    storeListBounds(&list);
    QWidget again;
    again.setObjectName("frm_TorzsKassza");
    restoreListBounds(&again);
    EXPECT_EQ(QRect(again.pos(), again.size()), QRect(500, 50, 500, 320));  // kept on the work area

    QWidget dialog;
    dialog.setObjectName("frm_Szerkeszt");
    restoreDialogPos(&dialog);
    EXPECT_EQ(dialog.font().pointSize(), 11);
    dialog.move(33, 44);
    storeDialogPos(&dialog);
    QWidget dialog2;
    restoreDialogPos(&dialog2, "frm_Szerkeszt");
    EXPECT_EQ(dialog2.pos(), QPoint(33, 44));

    beall().FontSize = 9;
    IniPath() = savedIni;
    WorkArea() = savedArea;
}
