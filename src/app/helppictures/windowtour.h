// A walk through every window of the program on an open database: each window is opened
// the way the user opens it (or directly where the way needs a file or a server of its
// own), pictured with QWidget::grab() and closed again.  The manual's pictures come from
// it, and the manual's test checks the windows it meets against the manual's sections.
#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

class TmySQLDatabase;

namespace zorva {

struct TourPicture {
    QString windowClass;  // the window's section name ("Tfrm_TorzsKassza")
    QString file;         // the picture written, empty when the window did not come
    QSize size;           // the window's size when pictured
    QStringList actions;  // object names of the window's actions
    QString problem;      // why the window did not come
};

// The window classes the tour visits, in its order.
QStringList TourWindowClasses();

// Walks the windows over `db` (a database with the demo data, made the main connection
// for the walk) and writes "<class>.png" into `folder`.  Runs in the seams' test mode: no
// message box waits, no file dialog opens, nothing is started outside the program.
QList<TourPicture> RunWindowTour(TmySQLDatabase &db, const QString &folder);

}  // namespace zorva
