// File open/save and folder dialogs behind a seam: tests queue the chosen names.
#pragma once

#include <QColor>
#include <QList>
#include <QString>

class QWidget;

namespace zorva {

class FileDialog {
public:
    // Filters may be written the Qt way ("SQL file (*.sql);;Minden (*)") or as
    // description|pattern pairs ("SQL file (*.sql)|*.sql|Tömörített SQL file (*.zip)|*.zip").
    // A chosen name without an extension gets `defaultSuffix` (without the dot).
    // An empty result means the user cancelled.
    static QString getSaveFileName(QWidget *parent, const QString &caption, const QString &fileName,
                                   const QString &filter, const QString &defaultSuffix = QString());
    static QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                   const QString &filter);
    static QString getExistingDirectory(QWidget *parent, const QString &caption, const QString &dir);

    // "A|*.a|B|*.b" -> "A (*.a);;B (*.b)"; a Qt filter comes back unchanged.
    static QString qtFilter(const QString &filter);

    // --- test hooks (test mode as for message boxes): queued names are used first in
    // first out; an empty queued name is a cancel; without one a test run cancels.
    static void setNextFileName(const QString &name);
    static void clearFileNames();
    struct Asked {
        QString kind;  // "save", "open", "folder"
        QString caption;
        QString proposal;  // initial file name or folder
        QString filter;
    };
    static QList<Asked> log();
    static void clearLog();
};

// The colour dialog; an invalid colour when cancelled.
class ColorDialog {
public:
    static QColor getColor(const QColor &initial, QWidget *parent = nullptr);
    static void setNextColor(const QColor &color);  // an invalid colour is a cancel
    static void clearColors();
};

}  // namespace zorva
