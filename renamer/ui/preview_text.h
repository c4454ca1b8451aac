#pragma once

#include "renamer/core/preview.h"

#include <QString>

namespace quillmere {

// A mode button's preview as the window shows it: one line per rename
// shown, then the counts.
QString previewText(const renamer::Preview& preview);

} // namespace quillmere
