#pragma once

#include <QString>

// The folder both programs keep their shared files in (the memorial data
// file, the installer's scratch files): $XDG_DATA_HOME/quillmere, or
// ~/.local/share/quillmere when XDG_DATA_HOME is unset or not absolute.
namespace platform {

QString systemFolder();

// systemFolder() + "/" + name.
QString systemFile(const QString& name);

// Creates the system folder when it is missing. False when it cannot be made.
bool ensureSystemFolder();

// A path as the scripts write it: a leading "c:\windows\" (any letter case)
// stands for the system folder. Other paths are returned unchanged.
QString mapScriptPath(const QString& path);

} // namespace platform
