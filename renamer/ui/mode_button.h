#pragma once

#include <QPushButton>

namespace quillmere {

// A button that starts a rename mode. A class of its own only so that a
// screen reader's interface for it can be told apart: the description it
// reads is the window's preview of the mode.
class ModeButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    // Lets screen readers find the preview; once per program.
    static void offerPreviewsToScreenReaders();
};

} // namespace quillmere
