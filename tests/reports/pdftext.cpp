#include "pdftext.h"

#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace reporttest {

QStringList pdfPages(const QString &pdfFile)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                          QStringLiteral("UTF-8"), pdfFile, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed on " << pdfFile.toStdString() << ": "
                      << p.readAllStandardError().toStdString();
        return {};
    }
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QStringList squeezedLines(const QString &page)
{
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    QStringList out;
    for (QString line : page.split(QLatin1Char('\n'))) {
        line = line.replace(spaces, QStringLiteral(" ")).trimmed();
        if (!line.isEmpty())
            out << line;
    }
    return out;
}

}  // namespace reporttest
