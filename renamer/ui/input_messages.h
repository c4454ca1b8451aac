#pragma once

#include "renamer/ui/mode_boxes.h"

#include <QString>

namespace quillmere {

// The short Japanese message for a box the run refuses, naming the box as
// its label shows it.
QString refusalMessage(BoxRefusal refusal);

} // namespace quillmere
