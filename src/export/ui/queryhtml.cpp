#include "queryhtml.h"

#include "grid2html.h"
#include "core/folders.h"
#include "core/globals.h"
#include "core/texthelpers.h"
#include "core/ui/application.h"
#include "core/ui/shell.h"
#include "core/ui/windowplace.h"
#include "export/exporterror.h"
#include "export/htmlpage.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSaveFile>

namespace zorva {

namespace {

QDateTime &fixedTime()
{
    static QDateTime t;
    return t;
}

QDateTime exportTime()
{
    return fixedTime().isValid() ? fixedTime() : QDateTime::currentDateTime();
}

void writeFile(TDataSet &data, const HtmlPageSetup &setup, const QString &file)
{
    const QFileInfo info(file);
    if (!QDir().mkpath(info.absolutePath()))
        throw ExportError(QStringLiteral("A(z) %1 mappa nem hozható létre.").arg(info.absolutePath()));
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        throw ExportError(QStringLiteral("A(z) %1 fájl nem írható: %2").arg(file, out.errorString()));
    HtmlPageWriter writer(setup);
    writer.write(data, out, [](int) { QApplication::processEvents(); });
    if (!out.commit())
        throw ExportError(QStringLiteral("A(z) %1 fájl nem írható: %2").arg(file, out.errorString()));
}

}  // namespace

bool ExportQueryHtml(TDataSet &data, const QString &title, const QString &subtitle,
                     const QStringList &columns, const QString &targetFile, QWidget *parent)
{
    ExportColumns cols = columnsFromDescriptions(columns);
    for (ExportColumn &c : cols)
        if (const TField *f = data.findField(c.fieldName))
            c.alignment = fieldAlignment(*f);
    bool written = false;
    if (targetFile.isEmpty()) {
        Tfrm_Grid2Html dlg(data, cols, 100, title, subtitle, QString(), parent);
        dlg.setRowCountLine(false);
        if (fixedTime().isValid())
            dlg.setExportTime(fixedTime());
        QString folder = DocumentsFolder();
        if (folder.isEmpty())
            folder = QDir::homePath();
        dlg.pathEdit()->setText(QDir(folder).filePath(SafeFileName(title) + QStringLiteral(".htm")));
        written = dlg.exec() == QDialog::Accepted;
    } else {
        HtmlPageSetup setup;
        setup.title = title;
        setup.subtitle = subtitle;
        setup.applicationTitle = ApplicationTitle();
        setup.exportedAt = exportTime();
        setup.columns = cols;
        setup.gridWidth = 100;
        setup.withRowCount = false;
        try {
            writeFile(data, setup, targetFile);
            written = true;
        } catch (const std::exception &e) {
            showGlobalError(e);
        }
        if (written)
            Shell::openFile(QFileInfo(targetFile).absoluteFilePath());
    }
    if (data.isActive())
        data.first();
    return written;
}

namespace queryhtml {

void setExportTime(const QDateTime &t)
{
    fixedTime() = t;
}

}  // namespace queryhtml

}  // namespace zorva
