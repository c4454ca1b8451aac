#pragma once

#include <QString>

namespace platform {

enum class EnterResult { Entered, Missing, NotAFolder, Refused };

// Makes folder the process's working directory; a relative folder is taken
// from the current one. Nothing changes unless the result is Entered.
EnterResult enterFolder(const QString& folder);

} // namespace platform
