#pragma once

#include <QString>

// The name every caption and file name of the installer is built from. The
// welcome page sets it once, from its hidden box, when it loads.
namespace setup {

const QString& programName();
void setProgramName(const QString& name);

} // namespace setup
