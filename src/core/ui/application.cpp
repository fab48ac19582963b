#include "application.h"

#include "errors.h"
#include "messagebox.h"
#include "slotguard.h"
#include "windowplace.h"

namespace zorva {

ZorvaApplication::ZorvaApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool ZorvaApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        showGlobalError(e);
    } catch (...) {
        showGlobalError(std::runtime_error("Ismeretlen hiba"));
    }
    return true;
}

QString globalErrorText(const std::exception &error)
{
    QString text;
    if (const auto *db = dynamic_cast<const EmySQLDatabaseError *>(&error))
        text = db->message();
    else
        text = QString::fromUtf8(error.what());
    if (!text.isEmpty() && text.back().unicode() > u'.')
        text += QLatin1Char('.');
    return text;
}

void showGlobalError(const std::exception &error)
{
    MessageBox::show(nullptr, MessageBox::Error, ApplicationTitle(), globalErrorText(error), QMessageBox::Ok,
                     QMessageBox::Ok);
}

void reportSlotError(const std::exception &error)
{
    showGlobalError(error);
}

void reportUnknownSlotError()
{
    showGlobalError(std::runtime_error("Ismeretlen hiba"));
}

}  // namespace zorva
