#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The two ways a parameter box is read as a number. Both take ASCII digits
// only, an optional sign and an optional fraction with ".".
namespace common {

// The whole text is the number; blanks around it are allowed. Anything else,
// the empty text included, is not a number.
std::optional<double> readStrict(QStringView text);

// The number the text begins with. Blanks (space, tab) are ignored wherever
// they stand; reading stops at the first character that cannot continue the
// number; a text that does not begin with a number gives 0.
double readLenient(QStringView text);

// Nearest whole number, an exact half to the even neighbour.
double roundHalfEven(double value);

// value as an int when it is a whole number inside the 32-bit signed range.
std::optional<int> toInt32(double value);

} // namespace common
