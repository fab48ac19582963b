// Shared pieces of the dialog tests: a temporary settings file, and driving a modal
// dialog from inside its own event loop.
#pragma once

#include "support/testserver.h"

#include <QPushButton>
#include <QWidget>

#include <functional>

namespace dialogtest {

// Runs `action` on the modal dialog that opens next (polled from a timer, so it runs
// inside the dialog's event loop).  `action` must close the dialog.
void onNextModal(std::function<void(QWidget *)> action);
// The same for the next modal dialog of that object name (a dialog opened over another).
void onModal(const QString &objectName, std::function<void(QWidget *)> action);

// Types the text into `w` key by key; letters outside ASCII are sent as text alone
// (QTest::keyClicks cannot map them to keys).
void typeText(QWidget *w, const QString &text);

// Finds the push button with the caption among the dialog's children; nullptr if none.
QPushButton *buttonOf(QWidget *dialog, const QString &caption);

// Settings file in a temporary folder for the whole test; the font size back to 9.
class SettingsFile {
public:
    SettingsFile();
    ~SettingsFile();

private:
    testsupport::TempFolder m_folder;
};

}  // namespace dialogtest
