#include "common/numbers.h"

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace common {
namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Collects sign, digits and fraction from text, skipping blanks when
// skipInnerBlanks is set. Returns the characters consumed as a C locale
// number text, or an empty string when no digit was seen.
std::string scanNumber(QStringView text, qsizetype& pos, bool skipInnerBlanks)
{
    std::string out;
    auto skip = [&] {
        while (skipInnerBlanks && pos < text.size() && isBlank(text[pos]))
            ++pos;
    };
    skip();
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        if (text[pos] == u'-')
            out += '-';
        ++pos;
        skip();
    }
    bool digits = false;
    while (pos < text.size() && isDigit(text[pos])) {
        out += char(text[pos].unicode());
        digits = true;
        ++pos;
        skip();
    }
    if (pos < text.size() && text[pos] == u'.') {
        qsizetype dot = pos;
        ++pos;
        skip();
        bool fraction = false;
        std::string frac;
        while (pos < text.size() && isDigit(text[pos])) {
            frac += char(text[pos].unicode());
            fraction = true;
            ++pos;
            skip();
        }
        if (fraction) {
            out += '.';
            out += frac;
            digits = true;
        } else if (!digits) {
            pos = dot;
        }
    }
    return digits ? out : std::string();
}

} // namespace

std::optional<double> readStrict(QStringView text)
{
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    std::string number = scanNumber(text, pos, false);
    if (number.empty())
        return std::nullopt;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    if (pos != text.size())
        return std::nullopt;
    return std::strtod(number.c_str(), nullptr);
}

double readLenient(QStringView text)
{
    qsizetype pos = 0;
    std::string number = scanNumber(text, pos, true);
    if (number.empty())
        return 0.0;
    return std::strtod(number.c_str(), nullptr);
}

double roundHalfEven(double value)
{
    // nearbyint follows the current rounding mode; the default is half to
    // even, but do not rely on whoever ran before us.
    const int old = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    std::fesetround(old);
    return r;
}

std::optional<int> toInt32(double value)
{
    if (!std::isfinite(value) || value != std::floor(value))
        return std::nullopt;
    if (value < double(std::numeric_limits<int>::min()) || value > double(std::numeric_limits<int>::max()))
        return std::nullopt;
    return int(value);
}

} // namespace common
