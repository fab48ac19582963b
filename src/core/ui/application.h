// The application object and the global error display: an error that no window caught
// ends the user's current action, is shown in an error box and the program goes on.
#pragma once

#include <QApplication>

#include <exception>

namespace zorva {

class ZorvaApplication : public QApplication {
    Q_OBJECT
public:
    ZorvaApplication(int &argc, char **argv);
    // Delivers the event; a database error or any std::exception thrown by its handler
    // is shown by showGlobalError and the event counts as handled.
    bool notify(QObject *receiver, QEvent *event) override;
};

// Qt's own texts (the buttons of message boxes, the file, folder, colour and print
// preview dialogs, the context menus of text fields) in Hungarian: Qt's catalogue
// "qtbase_hu" from its translations folder, and the program's own Hungarian for the few
// texts it lacks.  The ZorvaApplication does it when it starts; false when Qt's
// catalogue is not installed.
bool installQtTranslations(QCoreApplication *app);

// The error box of uncaught errors: error icon, ApplicationTitle() as caption, the
// message with a full stop appended when its last character's code is above that of ".".
void showGlobalError(const std::exception &error);
// The text that box shows.
QString globalErrorText(const std::exception &error);

}  // namespace zorva
