#pragma once

#include "renamer/core/mode_params.h"

#include <QString>

#include <variant>

// The one place where the window reads a mode's boxes: numbers are checked
// here, so the run gets only parameters it can use.
namespace quillmere {

// The mode buttons; mode 6 has two.
enum class Mode {
    RemoveTag,      // 1, Command2
    Prefix,         // 2, Command6
    Replace,        // 3, Command5
    Insert,         // 4, Command1
    DeleteAt,       // 5, Command7
    NumberFront,    // 6, Command8
    NumberBehind,   // 6, Command9
    DeleteBefore,   // 7, Command10
};
inline constexpr int kModes = 8;   // one per button

// The parameter boxes' texts as the user left them; any left out are empty.
struct BoxTexts {
    QString text2{}, text3{}, text4{}, text5{}, text6{}, text7{}, text8{}, text9{}, text11{};
    bool check1 = false;
};

// A box holding a number the mode cannot use.
enum class BoxRefusal {
    InsertAtNotNumber,    // N of mode 4 (Text2)
    InsertAtTooSmall,
    InsertAtTooLarge,
    DeleteAtNotNumber,    // N of mode 5 (Text7)
    DeleteAtTooSmall,
    DeleteAtTooLarge,
    DeleteCountTooLarge,  // n of mode 5 (Text9)
    DeleteCountTooSmall,
};

// The mode's parameters from its own boxes, or why the run cannot start.
std::variant<renamer::ModeParams, BoxRefusal> readBoxes(Mode mode, const BoxTexts& boxes);

} // namespace quillmere
