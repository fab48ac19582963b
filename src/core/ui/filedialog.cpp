#include "filedialog.h"

#include "testseam.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QQueue>

namespace zorva {

namespace {

QQueue<QString> &names()
{
    static QQueue<QString> q;
    return q;
}

QList<FileDialog::Asked> &askedLog()
{
    static QList<FileDialog::Asked> l;
    return l;
}

QQueue<QColor> &colors()
{
    static QQueue<QColor> q;
    return q;
}

// The queued answer, or whether the real dialog must be shown.
bool takeQueued(QString &name)
{
    if (!names().isEmpty()) {
        name = names().dequeue();
        return true;
    }
    if (seam::testMode()) {
        name.clear();
        return true;
    }
    return false;
}

QString withSuffix(const QString &name, const QString &suffix)
{
    if (name.isEmpty() || suffix.isEmpty() || !QFileInfo(name).suffix().isEmpty())
        return name;
    return name + QLatin1Char('.') + (suffix.startsWith(QLatin1Char('.')) ? suffix.mid(1) : suffix);
}

}  // namespace

QString FileDialog::qtFilter(const QString &filter)
{
    if (!filter.contains(QLatin1Char('|')))
        return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i);
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the parentheses: keep them only once.
        if (!description.contains(QLatin1Char('(')))
            description += QStringLiteral(" (") + patterns + QLatin1Char(')');
        else if (!description.contains(patterns))
            description = description.left(description.indexOf(QLatin1Char('('))).trimmed() +
                          QStringLiteral(" (") + patterns + QLatin1Char(')');
        out << description;
    }
    return out.join(QStringLiteral(";;"));
}

QString FileDialog::getSaveFileName(QWidget *parent, const QString &caption, const QString &fileName,
                                    const QString &filter, const QString &defaultSuffix)
{
    askedLog().append({QStringLiteral("save"), caption, fileName, filter});
    QString name;
    if (takeQueued(name))
        return withSuffix(name, defaultSuffix);
    QFileDialog dialog(parent, caption, QString(), qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(defaultSuffix.startsWith(QLatin1Char('.')) ? defaultSuffix.mid(1)
                                                                           : defaultSuffix);
    const QFileInfo proposal(fileName);
    if (!fileName.isEmpty()) {
        if (proposal.isAbsolute())
            dialog.setDirectory(proposal.absolutePath());
        dialog.selectFile(proposal.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString FileDialog::getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter)
{
    askedLog().append({QStringLiteral("open"), caption, dir, filter});
    QString name;
    if (takeQueued(name))
        return name;
    return QFileDialog::getOpenFileName(parent, caption, dir, qtFilter(filter));
}

QString FileDialog::getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir)
{
    askedLog().append({QStringLiteral("folder"), caption, dir, QString()});
    QString name;
    if (takeQueued(name))
        return name;
    return QFileDialog::getExistingDirectory(parent, caption, dir);
}

void FileDialog::setNextFileName(const QString &name)
{
    names().enqueue(name);
}

void FileDialog::clearFileNames()
{
    names().clear();
}

QList<FileDialog::Asked> FileDialog::log()
{
    return askedLog();
}

void FileDialog::clearLog()
{
    askedLog().clear();
}

QColor ColorDialog::getColor(const QColor &initial, QWidget *parent)
{
    if (!colors().isEmpty())
        return colors().dequeue();
    if (seam::testMode())
        return QColor();
    return QColorDialog::getColor(initial, parent);
}

void ColorDialog::setNextColor(const QColor &color)
{
    colors().enqueue(color);
}

void ColorDialog::clearColors()
{
    colors().clear();
}

}  // namespace zorva
