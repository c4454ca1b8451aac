#pragma once

#include <QString>

class QWidget;

namespace quillmere {

class Form5;

// The last step of the main window's start-up: reads the memorial data file
// and, on an anniversary, shows the greeting window beside mainWindow.
// Returns the window shown, or nullptr. today is "yyyy/mm/dd". The window
// is not modal, has no parent and deletes itself when it is closed.
Form5* greetIfDue(const QString& today, QWidget* mainWindow);

} // namespace quillmere
