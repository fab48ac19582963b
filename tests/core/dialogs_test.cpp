#include "core/ui/filedialog.h"
#include "core/ui/inputtext.h"
#include "core/ui/messagebox.h"
#include "core/ui/shell.h"
#include "core/ui/testseam.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMenu>

#include <gtest/gtest.h>
#include <memory>

using namespace zorva;

namespace {

class SeamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        seam::resetTestMode();
        MessageBox::clearAnswers();
        MessageBox::clearLog();
        FileDialog::clearFileNames();
        FileDialog::clearLog();
        Shell::clearLog();
        clearInputTexts();
    }
    void TearDown() override { SetUp(); }
};

// Runs `action` on the first modal dialog that opens, from inside its event loop.
void onNextModal(std::function<void(QWidget *)> action)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            action(modal);
        }
    });
    poll->start(10);
}

}  // namespace

TEST_F(SeamTest, MessageBoxesRecordAndAnswerWithoutBlocking)
{
    ASSERT_TRUE(MessageBox::testMode());  // offscreen platform
    ShowError("Hibás dátum!");
    ShowWarning("Figyelem");
    ShowInfo("Kész");
    EXPECT_TRUE(AskYesNo("Valóban töröljem a sort?", "Megerősítés"));  // the default button
    MessageBox::setNextAnswer(QMessageBox::No);
    MessageBox::setNextAnswer(QMessageBox::Yes);
    EXPECT_FALSE(AskYesNo("Első?", "Kérdés"));
    EXPECT_TRUE(AskYesNo("Második?", "Kérdés"));

    const auto log = MessageBox::log();
    ASSERT_EQ(log.size(), 6);
    EXPECT_EQ(log[0].kind, MessageBox::Error);
    EXPECT_EQ(log[0].caption, "Hiba");
    EXPECT_EQ(log[0].text, "Hibás dátum!");
    EXPECT_EQ(log[1].caption, "Figyelmeztetés");
    EXPECT_EQ(log[1].kind, MessageBox::Warning);
    EXPECT_EQ(log[2].caption, "Üzenet");
    EXPECT_EQ(log[2].kind, MessageBox::Information);
    EXPECT_EQ(log[3].caption, "Megerősítés");
    EXPECT_EQ(log[3].kind, MessageBox::Question);
    EXPECT_EQ(log[4].answer, QMessageBox::No);
}

TEST_F(SeamTest, RealMessageBoxShowsAndAnswers)
{
    MessageBox::setTestMode(false);
    QWidget owner;
    owner.show();
    onNextModal([](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "Megerősítés");
        EXPECT_EQ(box->text(), "Valóban töröljem a sort?");
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        // Qt's own texts are Hungarian too
        EXPECT_EQ(box->button(QMessageBox::Yes)->text().remove('&'), "Igen");
        EXPECT_EQ(box->button(QMessageBox::No)->text().remove('&'), "Nem");
        box->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(AskYesNo("Valóban töröljem a sort?", "Megerősítés", &owner));
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_EQ(MessageBox::log()[0].answer, QMessageBox::No);
}

TEST_F(SeamTest, FileDialogsAndShell)
{
    FileDialog::setNextFileName("/tmp/mentes");
    FileDialog::setNextFileName("/tmp/mentes.zip");
    FileDialog::setNextFileName("");
    const QString filter = QString::fromUtf8("SQL file (*.sql)|*.sql|Tömörített SQL file (*.zip)|*.zip");
    EXPECT_EQ(FileDialog::getSaveFileName(nullptr, "Biztonsági mentés készítés", "zorva-x", filter, ".sql"),
              "/tmp/mentes.sql");
    EXPECT_EQ(FileDialog::getSaveFileName(nullptr, "c", "", filter, "sql"), "/tmp/mentes.zip");
    EXPECT_EQ(FileDialog::getOpenFileName(nullptr, "c", "", filter), "");   // cancelled
    EXPECT_EQ(FileDialog::getExistingDirectory(nullptr, "c", "/tmp"), "");  // nothing queued
    ASSERT_EQ(FileDialog::log().size(), 4);
    EXPECT_EQ(FileDialog::log()[0].caption, "Biztonsági mentés készítés");
    EXPECT_EQ(FileDialog::log()[0].proposal, "zorva-x");
    EXPECT_EQ(FileDialog::log()[3].kind, "folder");

    EXPECT_EQ(FileDialog::qtFilter(filter),
              QString::fromUtf8("SQL file (*.sql);;Tömörített SQL file (*.zip)"));
    EXPECT_EQ(FileDialog::qtFilter("Minden|*.*"), "Minden (*.*)");
    EXPECT_EQ(FileDialog::qtFilter("mysqldump.exe|mysqldump.exe"), "mysqldump.exe (mysqldump.exe)");
    EXPECT_EQ(FileDialog::qtFilter("Képek (*.png *.bmp)"), "Képek (*.png *.bmp)");

    ColorDialog::setNextColor(QColor(10, 20, 30));
    EXPECT_EQ(ColorDialog::getColor(Qt::white), QColor(10, 20, 30));
    EXPECT_FALSE(ColorDialog::getColor(Qt::white).isValid());

    EXPECT_TRUE(Shell::openFile("/tmp/x/index.htm"));
    EXPECT_TRUE(Shell::openUrl(QUrl("mailto:a@b.hu")));
    EXPECT_TRUE(Shell::startDetached("/bin/sh", {"Mentes.cmd"}, "/tmp"));
    ASSERT_EQ(Shell::log().size(), 3);
    EXPECT_EQ(Shell::log()[0].url, QUrl::fromLocalFile("/tmp/x/index.htm"));
    EXPECT_EQ(Shell::log()[2].workingDirectory, "/tmp");
}

TEST(MulDiv, RoundsHalfAwayFromZero)
{
    EXPECT_EQ(MulDiv(180, 7, 4), 315);
    EXPECT_EQ(MulDiv(8, 13, 8), 13);
    EXPECT_EQ(MulDiv(50, 5, 4), 63);  // 62.5
    EXPECT_EQ(MulDiv(14, 3, 8), 5);   // 5.25
    EXPECT_EQ(MulDiv(-50, 5, 4), -63);
    EXPECT_EQ(MulDiv(38, 6, 4), 57);
}

TEST_F(SeamTest, InputTextGeometryInDialogUnits)
{
    QWidget parentWithFont;
    QFont f = parentWithFont.font();
    f.setPointSize(12);
    parentWithFont.setFont(f);
    InputTextDialog d("Keresés", "Adja meg a keresett szöveget:", "", "alma", &parentWithFont);
    const QFontMetrics fm(d.font());
    const int hu = fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52;
    const int vu = fm.height();
    EXPECT_EQ(d.horizontalUnit(), hu);
    EXPECT_EQ(d.verticalUnit(), vu);
    EXPECT_EQ(d.windowTitle(), "Keresés");
    EXPECT_EQ(d.width(), MulDiv(180, hu, 4));
    EXPECT_EQ(d.promptLabel()->x(), MulDiv(8, hu, 4));
    EXPECT_EQ(d.promptLabel()->y(), MulDiv(8, vu, 8));
    EXPECT_LE(d.promptLabel()->width(), MulDiv(164, hu, 4));
    EXPECT_TRUE(d.promptLabel()->wordWrap());
    EXPECT_EQ(d.edit()->x(), MulDiv(8, hu, 4));
    EXPECT_EQ(d.edit()->y(), d.promptLabel()->y() + d.promptLabel()->height() + 5);
    EXPECT_EQ(d.edit()->width(), MulDiv(164, hu, 4));
    EXPECT_EQ(d.edit()->maxLength(), 255);
    EXPECT_EQ(d.edit()->selectedText(), "alma");
    const int buttonTop = d.edit()->y() + d.edit()->height() + 15;
    EXPECT_EQ(d.okButton()->geometry(),
              QRect(MulDiv(38, hu, 4), buttonTop, MulDiv(50, hu, 4), MulDiv(14, vu, 8)));
    EXPECT_EQ(d.cancelButton()->geometry(),
              QRect(MulDiv(92, hu, 4), buttonTop, MulDiv(50, hu, 4), MulDiv(14, vu, 8)));
    EXPECT_EQ(d.okButton()->text(), "OK");
    EXPECT_TRUE(d.okButton()->isDefault());
    EXPECT_EQ(d.cancelButton()->text(), "Mégsem");
    EXPECT_EQ(d.height(), buttonTop + MulDiv(14, vu, 8) + 13);

    // A long prompt wraps within the width and pushes the field down.
    InputTextDialog wrapped("K", QString(40, 'x').replace(4, 1, ' ') + QString(" szó").repeated(30), "", "",
                            &parentWithFont);
    EXPECT_LE(wrapped.promptLabel()->width(), MulDiv(164, hu, 4));
    EXPECT_GT(wrapped.promptLabel()->height(), 2 * vu);
    EXPECT_EQ(wrapped.edit()->y(), wrapped.promptLabel()->y() + wrapped.promptLabel()->height() + 5);
}

TEST_F(SeamTest, InputTextReturnsTheTypedValueOrFalse)
{
    QString value = "x";
    setNextInputText("201003");
    EXPECT_TRUE(InputText("Időszak", "Időszak:", "0000.00;0;_", value));
    EXPECT_EQ(value, "201003");
    setNextInputCancel();
    EXPECT_FALSE(InputText("Időszak", "Időszak:", "", value));
    EXPECT_FALSE(InputText("Időszak", "Időszak:", "", value));  // test run, nothing queued
    EXPECT_EQ(value, "201003");

    // The real dialog with the period mask: the dot is shown but not kept.
    seam::setTestMode(false);
    onNextModal([](QWidget *modal) {
        auto *d = qobject_cast<InputTextDialog *>(modal);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->edit()->displayText(), "2009.12");
        d->edit()->selectAll();
        QTest::keyClicks(d->edit(), "201003");
        EXPECT_EQ(d->edit()->displayText(), "2010.03");
        d->okButton()->click();
    });
    value = "200912";
    EXPECT_TRUE(InputText("Időszak", "Időszak:", "0000.00;0;_", value));
    EXPECT_EQ(value, "201003");

    onNextModal([](QWidget *modal) {
        auto *d = qobject_cast<InputTextDialog *>(modal);
        ASSERT_NE(d, nullptr);
        QTest::keyClicks(d->edit(), "abc");
        d->cancelButton()->click();
    });
    value = "régi";
    EXPECT_FALSE(InputText("Szöveg", "Szöveg:", "", value));
    EXPECT_EQ(value, "régi");
}

TEST(EditMask, QtMaskAndValue)
{
    EXPECT_EQ(qtInputMask("0000.00;0;_"), "9999.99;_");
    EXPECT_EQ(qtInputMask("99/LL;1; "), "00/AA; ");
    EXPECT_EQ(maskedValue("0000.00;0;_", "2010.03"), "201003");
    EXPECT_EQ(maskedValue("0000.00;1;_", "2010.03"), "2010.03");
    EXPECT_EQ(maskedValue("0000.00;0;_", "2010.__"), "2010");
    EXPECT_EQ(maskedValue("", " a "), " a ");
}

TEST(QtTexts, FileDialogAndTextFieldMenuAreHungarian)
{
    QFileDialog dialog(nullptr, "Megnyitás");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const auto *buttons = dialog.findChild<QDialogButtonBox *>();
    ASSERT_NE(buttons, nullptr);
    QStringList texts;
    for (QAbstractButton *b : buttons->buttons())
        texts << b->text().remove('&');
    texts.sort();
    EXPECT_EQ(texts, QStringList({"Megnyitás", "Mégse"}));

    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList items;
    for (QAction *a : menu->actions())
        if (!a->isSeparator())
            items << a->text().section('\t', 0, 0).remove('&');
    EXPECT_TRUE(items.contains("Beillesztés")) << items.join(", ").toStdString();
    EXPECT_FALSE(items.contains("Paste"));
}
