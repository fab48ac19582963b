// A worksheet written by the program, read back by LibreOffice's own
// spreadsheet import (headless conversion to CSV), value by value.
#include "memdata.h"
#include "export/datatoxls.h"
#include "support/testserver.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

// The converted sheet as rows of cells; fails the test when LibreOffice is missing
// (scripts/install-deps.sh installs it unless ZORVA_SKIP_OPTIONAL=1).
void convertWithLibreOffice(const QString &xls, const QString &outDir, QList<QStringList> &rows)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        if (qEnvironmentVariable("ZORVA_SKIP_OPTIONAL") == QLatin1String("1"))
            GTEST_SKIP() << "LibreOffice was left out (ZORVA_SKIP_OPTIONAL=1)";
        ADD_FAILURE() << "soffice not found: run scripts/install-deps.sh";
        return;
    }
    QProcess p;
    p.start(soffice,
            {QStringLiteral("-env:UserInstallation=file://") + outDir + QStringLiteral("/profile"),
             QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
             QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"), QStringLiteral("--outdir"), outDir,
             xls});
    EXPECT_TRUE(p.waitForFinished(180000)) << "soffice did not finish";
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    QFile csv(QDir(outDir).filePath(QFileInfo(xls).completeBaseName() + QStringLiteral(".csv")));
    EXPECT_TRUE(csv.open(QIODevice::ReadOnly))
        << "no CSV written: " << p.readAllStandardOutput().toStdString();
    for (const QByteArray &line : csv.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        QStringList cells;
        for (const QString &c : QString::fromUtf8(line).trimmed().split(QLatin1Char(',')))
            cells << (c.startsWith(u'"') && c.endsWith(u'"') && c.size() >= 2 ? c.mid(1, c.size() - 2) : c);
        rows << cells;
    }
}

}  // namespace

TEST(XlsReadBack, LibreOfficeReadsHeaderNumbersTextsAndBlanks)
{
    testsupport::TempFolder tmp;
    QList<QVariantList> data = {{1, QStringLiteral("alma"), 12.5, 70000},
                                {QVariant(), QStringLiteral("körte fa"), -3.25, -1},
                                {65535, QString(), 0.125, 2}};
    for (int i = 0; i < 3000; ++i)
        data.append({i, QStringLiteral("sor%1").arg(i), i * 0.5, i * 100});
    auto t = exporttest::makeTable({{QStringLiteral("id"), TFieldType::ftInteger},
                                    {QStringLiteral("nev"), TFieldType::ftString, 40},
                                    {QStringLiteral("osszeg"), TFieldType::ftFloat},
                                    {QStringLiteral("nagy"), TFieldType::ftLargeint}},
                                   data);
    const QString file = tmp.file(QStringLiteral("lap.xls"));
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        TDataToXLS x(t.get());
        x.saveToDevice(out);
    }
    QList<QStringList> rows;
    convertWithLibreOffice(file, tmp.path(), rows);
    if (::testing::Test::IsSkipped() || ::testing::Test::HasFailure())
        return;
    ASSERT_EQ(rows.size(), data.size() + 1) << "every row, past the DIMENSIONS record's 1025 as well";
    EXPECT_EQ(rows[0], (QStringList{"id", "nev", "osszeg", "nagy"}));
    EXPECT_EQ(rows[1], (QStringList{"1", "alma", "12.5", "70000"}));
    EXPECT_EQ(rows[2], (QStringList{"", QString::fromUtf8("k\xC3\xB6rte fa"), "-3.25", "-1"}));
    EXPECT_EQ(rows[3], (QStringList{"65535", "", "0.125", "2"}));
    EXPECT_EQ(rows.last(), (QStringList{"2999", "sor2999", "1499.5", "299900"}));
}

TEST(XlsReadBack, HungarianLettersNeedTheDeclaredCodePage)
{
    testsupport::TempFolder tmp;
    auto t = exporttest::makeTable({{QStringLiteral("nev"), TFieldType::ftString, 40}},
                                   {{QString::fromUtf8("Sz\xC5\x91ke \xC5\xB0rsula t\xC5\xB1z \xC5\x90")}});
    const auto write = [&t](const QString &file, bool declare) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        TDataToXLS x(t.get());
        x.setDeclareCodePage(declare);
        x.saveToDevice(out);
    };
    write(tmp.file(QStringLiteral("plain.xls")), false);
    write(tmp.file(QStringLiteral("declared.xls")), true);
    QList<QStringList> plain, declared;
    convertWithLibreOffice(tmp.file(QStringLiteral("plain.xls")), tmp.path(), plain);
    convertWithLibreOffice(tmp.file(QStringLiteral("declared.xls")), tmp.path(), declared);
    if (::testing::Test::IsSkipped() || ::testing::Test::HasFailure())
        return;
    ASSERT_EQ(declared.size(), 2);
    EXPECT_EQ(declared[1].value(0), QString::fromUtf8("Szőke Űrsula tűz Ő"));
    ASSERT_EQ(plain.size(), 2);
    EXPECT_NE(plain[1].value(0), declared[1].value(0)) << "without the record LibreOffice reads Windows-1252";
}
