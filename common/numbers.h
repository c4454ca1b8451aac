#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <string>

// The two ways a parameter box is read as a number. Both take digits, an
// optional sign and an optional fraction with "."; the full-width digits,
// "＋", "－", "．" and blank U+3000 count as their ASCII twins.
namespace common {

// The whole text is the number; blanks around it are allowed. Anything else,
// the empty text included, is not a number.
std::optional<double> readStrict(QStringView text);

// The number the text begins with. Blanks (space, tab, U+3000) are ignored
// wherever they stand; reading stops at the first character that cannot
// continue the number; a text that does not begin with a number gives 0.
double readLenient(QStringView text);

// The number readLenient reads, with its digits as typed (ASCII), so that
// long whole numbers can be counted exactly.
struct DecimalText {
    bool negative = false;
    std::string whole;      // digits in front of the point; may be empty
    std::string fraction;   // digits behind it; may be empty, not both
    bool isWhole() const;   // no fraction, or only zeros
};
std::optional<DecimalText> readLenientDecimal(QStringView text);

// Nearest whole number, an exact half to the even neighbour.
double roundHalfEven(double value);

// value as an int when it is a whole number inside the 32-bit signed range.
std::optional<int> toInt32(double value);

} // namespace common
