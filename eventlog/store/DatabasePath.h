#pragma once

#include <QString>

// Where the event database lies: "Data.gdb" in the program's own folder, or,
// when that folder is not writable (an installed program), in
// $XDG_DATA_HOME/dorvel (default ~/.local/share/dorvel), which is created.
QString DatabasePath();
QString DatabasePathFor(const QString& programFolder);
