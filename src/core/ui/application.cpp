#include "application.h"

#include "helpkey.h"
#include "messagebox.h"
#include "slotguard.h"
#include "windowplace.h"
#include "db/errors.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zorva {

namespace {

// Texts of Qt's own dialogs that its Hungarian catalogue leaves in English.
class QtTextsInHungarian : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        Q_UNUSED(disambiguation)
        Q_UNUSED(n)
        struct Text {
            const char *context, *source, *hungarian;
        };
        static const Text texts[] = {
            {"QPlatformTheme", "&Yes", "&Igen"},
            {"QPlatformTheme", "&No", "&Nem"},
            {"QPlatformTheme", "Cancel", "Mégse"},
            {"QPlatformTheme", "OK", "OK"},
        };
        for (const Text &t : texts) {
            if (qstrcmp(context, t.context) == 0 && qstrcmp(sourceText, t.source) == 0)
                return QString::fromUtf8(t.hungarian);
        }
        return {};
    }
};

}  // namespace

bool installQtTranslations(QCoreApplication *app)
{
    // Translators are searched newest first: Qt's catalogue, then the program's own
    // texts for what the catalogue lacks.
    app->installTranslator(new QtTextsInHungarian(app));
    auto *qt = new QTranslator(app);
    if (!qt->load(QLocale(QLocale::Hungarian, QLocale::Hungary), QStringLiteral("qtbase"),
                  QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qt;
        return false;
    }
    app->installTranslator(qt);
    return true;
}

ZorvaApplication::ZorvaApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    installQtTranslations(this);
    InstallHelpKey(this);
}

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
