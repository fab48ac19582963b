#include "helpkey.h"

#include "shell.h"

#include "core/folders.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace zorva {

namespace {

// Section id -> page file of the help folder, read once per folder.
const QHash<QString, QString> &sectionPages()
{
    static QString folder;
    static QHash<QString, QString> pages;
    const QString current = HelpFolder().isEmpty() ? QFileInfo(HelpFile()).absolutePath() : HelpFolder();
    if (current == folder)
        return pages;
    folder = current;
    pages.clear();
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("*.htm"), QStringLiteral("*.html")}, QDir::Files,
                                             QDir::Name)) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(f.readAll());
        for (qsizetype at = text.indexOf(QLatin1String(" id=\"")); at >= 0;
             at = text.indexOf(QLatin1String(" id=\""), at + 1)) {
            const qsizetype start = at + 5;
            const qsizetype end = text.indexOf(u'"', start);
            if (end > start && !pages.contains(text.mid(start, end - start)))
                pages.insert(text.mid(start, end - start), dir.filePath(name));
        }
    }
    return pages;
}

class HelpKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
            return false;
        OpenHelpFor(static_cast<QWidget *>(watched)->window());
        return true;
    }
};

}  // namespace

QString &HelpFolder()
{
    static QString folder;
    return folder;
}

QString contentsPage()
{
    return HelpFolder().isEmpty() ? HelpFile() : HelpFolder() + QStringLiteral("/index.htm");
}

QString HelpSectionOf(const QWidget *window)
{
    if (!window)
        return QString();
    const QVariant named = window->property("helpSection");
    if (named.isValid())
        return named.toString();
    const QString name = QString::fromLatin1(window->metaObject()->className());
    return name.mid(name.lastIndexOf(u':') + 1);
}

bool HasHelpSection(const QString &section)
{
    return sectionPages().contains(section);
}

QUrl HelpUrl(const QString &section)
{
    const QString page = sectionPages().value(section);
    if (page.isEmpty())
        return QUrl::fromLocalFile(contentsPage());
    QUrl url = QUrl::fromLocalFile(page);
    url.setFragment(section);
    return url;
}

void OpenHelpFor(const QWidget *window)
{
    for (const QWidget *w = window; w; w = w->parentWidget() ? w->parentWidget()->window() : nullptr) {
        const QString section = HelpSectionOf(w);
        if (HasHelpSection(section)) {
            Shell::openUrl(HelpUrl(section));
            return;
        }
    }
    Shell::openFile(contentsPage());
}

void InstallHelpKey(QCoreApplication *app)
{
    static QPointer<HelpKeyFilter> filter;
    if (!filter) {
        filter = new HelpKeyFilter(app);
        app->installEventFilter(filter);
    }
}

}  // namespace zorva
