// System folders.
#pragma once

#include <QString>

namespace zorva {

// The folder for the program's shared data (the settings file lives in its "Zorva"
// subfolder when none sits beside the program).  On XDG systems the user's data home
// ($XDG_DATA_HOME, ~/.local/share), because the settings file must be writable.
// Empty when the system cannot tell.
QString CommonAppDataFolder();
// The user's documents folder; empty when the system cannot tell.
QString DocumentsFolder();
// The help page: ProgramDir + "/Help/index.htm" when it is there (the build folder), else
// the installed one under the prefix, ProgramDir + "/../share/zorva/Help/index.htm".
QString HelpFile();

}  // namespace zorva
