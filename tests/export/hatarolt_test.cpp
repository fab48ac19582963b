// The delimited-text and worksheet export window.
#include "dialogfixture.h"
#include "memdata.h"
#include "core/folders.h"
#include "core/ui/filedialog.h"
#include "core/ui/messagebox.h"
#include "core/ui/shell.h"
#include "export/ui/hatarolt.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

using namespace zorva;

namespace {

class Hatarolt : public exporttest::WindowTest {
protected:
    std::unique_ptr<TkbmMemTable> data = exporttest::makeTable(
        {{QStringLiteral("id"), TFieldType::ftInteger},
         {QStringLiteral("nev"), TFieldType::ftString, 40},
         {QStringLiteral("megj"), TFieldType::ftMemo}},
        {{1, QStringLiteral("Ödön"), QStringLiteral("a;b")}, {2, QStringLiteral("x"), QVariant()}});
};

}  // namespace

TEST_F(Hatarolt, OpensWithEveryFieldTickedAndTheUsualChoices)
{
    Tfrm_Hatarolt w(*data, QString());
    ASSERT_EQ(w.fieldList()->count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(w.fieldList()->item(i)->checkState(), Qt::Checked);
    EXPECT_EQ(w.delimiterGroup()->checkedId(), 0);
    EXPECT_EQ(w.qualifierGroup()->checkedId(), 2);
    EXPECT_TRUE(w.writeMemos()->isChecked());
    EXPECT_FALSE(w.useFieldNames()->isChecked());
    EXPECT_FALSE(w.noHeader()->isChecked());
    EXPECT_FALSE(w.openAfterExport()->isChecked());
    EXPECT_FALSE(w.stopButton()->isEnabled());
    EXPECT_EQ(w.fileEdit()->text(), QDir(DocumentsFolder().isEmpty() ? QDir::homePath() : DocumentsFolder())
                                        .filePath(QStringLiteral("File001.csv")));
    EXPECT_EQ(Tfrm_Hatarolt(*data, QStringLiteral("Bevételek időszakra.csv")).fileEdit()->text(),
              QStringLiteral("Bevételek időszakra.csv"));
}

TEST_F(Hatarolt, DelimitedExportWritesTheFileAndSaysSo)
{
    Tfrm_Hatarolt w(*data, file(QStringLiteral("ki.csv")));
    w.qualifierGroup()->button(0)->click();
    w.delimiterGroup()->button(3)->click();
    w.useFieldNames()->setChecked(true);
    w.openAfterExport()->setChecked(true);
    w.startButton()->click();
    EXPECT_EQ(readAll(file(QStringLiteral("ki.csv"))),
              QByteArray("\"id\"|\"nev\"|\"megj\"\r\n\"1\"|\"\xD6"
                         "d\xF6n\"|\"a;b\"\r\n\"2\"|\"x\"|\"\"\r\n"));
    EXPECT_EQ(messages(), QStringList{file(QStringLiteral("ki.csv")) + QStringLiteral(" file kész.")});
    EXPECT_EQ(MessageBox::log()[0].kind, MessageBox::Information);
    ASSERT_EQ(Shell::log().size(), 1);
    EXPECT_EQ(Shell::log()[0].url, QUrl::fromLocalFile(file(QStringLiteral("ki.csv"))));
    EXPECT_FALSE(w.stopButton()->isEnabled());
}

TEST_F(Hatarolt, UntickingEveryFieldWritesEmptyLines)
{
    Tfrm_Hatarolt w(*data, file(QStringLiteral("ures.txt")));
    w.findChild<QPushButton *>(QStringLiteral("btnEgyikSem"))->click();
    w.startButton()->click();
    EXPECT_EQ(readAll(file(QStringLiteral("ures.txt"))), QByteArray("\r\n\r\n\r\n"));
}

TEST_F(Hatarolt, XmlIsRefusedInAnyCaseAndNothingIsOpened)
{
    Tfrm_Hatarolt w(*data, file(QStringLiteral("lap.XmL")));
    w.openAfterExport()->setChecked(true);
    w.startButton()->click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Ebben a verzióban ez nem támogatott.")});
    EXPECT_EQ(MessageBox::log()[0].kind, MessageBox::Error);
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("lap.XmL"))));
    EXPECT_TRUE(Shell::log().isEmpty());
}

TEST_F(Hatarolt, WorksheetOfTickedFieldsAndAnEmptyDatasetLeavesAnEmptyFile)
{
    Tfrm_Hatarolt w(*data, file(QStringLiteral("lap.xls")));
    w.fieldList()->item(2)->setCheckState(Qt::Unchecked);
    w.startButton()->click();
    const QByteArray xls = readAll(file(QStringLiteral("lap.xls")));
    EXPECT_TRUE(xls.startsWith(QByteArray("\x09\x00\x04\x00\x02\x00\x0A\x00", 8)));
    EXPECT_TRUE(xls.contains(QByteArray("\x04\x00\x0B\x00\x00\x00\x01\x00\x00\x80\x00\x03nev", 14)));
    EXPECT_FALSE(xls.contains("megj"));
    EXPECT_TRUE(xls.endsWith(QByteArray("\x0A\x00\x00\x00", 4)));
    EXPECT_TRUE(messages().isEmpty());

    auto empty = exporttest::makeTable({{QStringLiteral("id"), TFieldType::ftInteger}}, {});
    Tfrm_Hatarolt e(*empty, file(QStringLiteral("ures.xls")));
    e.openAfterExport()->setChecked(true);
    e.startButton()->click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Cannot perform this operation on an empty dataset.")});
    ASSERT_TRUE(QFile::exists(file(QStringLiteral("ures.xls"))));
    EXPECT_EQ(QFileInfo(file(QStringLiteral("ures.xls"))).size(), 0);
    EXPECT_TRUE(Shell::log().isEmpty());
}

TEST_F(Hatarolt, WorksheetTooLongForTheSheetLeavesAnExistingFileAlone)
{
    QList<QVariantList> rows;
    for (int i = 0; i < 65536; ++i)
        rows.append(QVariantList{i});
    auto big = exporttest::makeTable({{QStringLiteral("id"), TFieldType::ftInteger}}, rows);
    {
        QFile f(file(QStringLiteral("regi.xls")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("korabbi tartalom");
    }
    Tfrm_Hatarolt w(*big, file(QStringLiteral("regi.xls")));
    w.startButton()->click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains(QStringLiteral("65535"))) << messages()[0].toStdString();
    EXPECT_EQ(readAll(file(QStringLiteral("regi.xls"))), QByteArray("korabbi tartalom"));
}

TEST_F(Hatarolt, StopEndsARunningExportAndKeepsWhatWasWritten)
{
    QList<QVariantList> rows;
    for (int i = 0; i < 300000; ++i)
        rows.append({i, QStringLiteral("sor"), QVariant()});
    auto big = exporttest::makeTable({{QStringLiteral("id"), TFieldType::ftInteger},
                                      {QStringLiteral("nev"), TFieldType::ftString, 10},
                                      {QStringLiteral("megj"), TFieldType::ftMemo}},
                                     rows);
    Tfrm_Hatarolt w(*big, file(QStringLiteral("nagy.csv")));
    bool wasEnabled = false;
    QTimer::singleShot(0, &w, [&w, &wasEnabled] {
        wasEnabled = w.stopButton()->isEnabled() && w.running();
        w.stopButton()->click();
    });
    w.startButton()->click();
    EXPECT_TRUE(wasEnabled);
    const QByteArray text = readAll(file(QStringLiteral("nagy.csv")));
    const qsizetype lines = text.count("\r\n");
    EXPECT_GT(lines, 1);
    EXPECT_LT(lines, 300001);
    EXPECT_TRUE(text.endsWith("sor;\r\n")) << "whole lines only";
    EXPECT_EQ(messages(), QStringList{file(QStringLiteral("nagy.csv")) + QStringLiteral(" file kész.")});
    EXPECT_FALSE(w.stopButton()->isEnabled());
    EXPECT_FALSE(w.running());
}

TEST_F(Hatarolt, EmptyFileNameAsksAndFailuresAreShownWithTheirPrefix)
{
    Tfrm_Hatarolt w(*data, QString());
    w.fileEdit()->clear();
    FileDialog::setNextFileName(QString());  // cancelled: nothing happens
    w.startButton()->click();
    ASSERT_EQ(FileDialog::log().size(), 1);
    EXPECT_TRUE(FileDialog::log()[0].filter.startsWith(QStringLiteral("Excel munkalap (*.xls)|*.xls|")));
    EXPECT_TRUE(messages().isEmpty());

    FileDialog::setNextFileName(file(QStringLiteral("nincs/ilyen/mappa/ki.csv")));
    w.startButton()->click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(QStringLiteral("Hiba: "))) << messages()[0].toStdString();
    EXPECT_EQ(w.fileEdit()->text(), file(QStringLiteral("nincs/ilyen/mappa/ki.csv")));
}
