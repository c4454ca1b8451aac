#pragma once

#include "renamer/core/rename_run.h"

#include <QString>

// The window's words for what a rename run did. The words for the boxes'
// parameters and the preview are kept beside these, in input_messages.
namespace quillmere {

// The short message the window shows after a run, or an empty text when
// there is nothing to tell beyond the count.
QString runMessage(const renamer::RunReport& report);

} // namespace quillmere
