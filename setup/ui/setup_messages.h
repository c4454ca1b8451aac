#pragma once

#include "setup/core/date_entry.h"
#include "setup/core/install.h"
#include "setup/core/uninstall.h"

#include <QString>

// The installer's words for what its steps did.
namespace setup {

// A short message for the user; empty when the step went well.
QString installMessage(const InstallResult& result);
QString uninstallMessage(const UninstallResult& result);

// Names the character the memorial data file cannot hold, and where it is.
QString unwritableMessage(const Unwritable& unwritable);

// programName() + " の", the first line of several pages.
QString programNameLine();

// "yyyy年mm月dd日" from a date text that begins with yyyy/mm/dd; today's.
QString dateLabelText(const QString& dateText);
QString todayLabelText();

} // namespace setup
