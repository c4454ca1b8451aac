#pragma once
// The main window's controls as designed: kind, name, place in twips and
// design text. The window is built from this table and the tests read it.

#include <span>

class QWidget;

namespace quillmere {

class Form1;

struct Form1Control {
    enum class Kind {
        Label,         // fixed size; its text wraps inside it
        FittedLabel,   // takes the size of its text (width and height 0)
        Box,
        Button,
        ModeButton,    // a button that previews its mode in its tooltip
        CheckBox,
        FolderList,
        List,
        Line,          // one pixel wide: either width or height is 0
    };
    Kind kind;
    const char* name;
    int left, top, width, height;
    const char16_t* text;
    void (*bind)(Form1& form, QWidget* widget);   // sets the member of that name
};

std::span<const Form1Control> form1Layout();

} // namespace quillmere
