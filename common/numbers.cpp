#include "common/numbers.h"

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace common {
namespace {

// Input methods give full-width digits, signs, point and blank; each counts
// as its ASCII twin.
char16_t ascii(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0xFF10 && u <= 0xFF19)
        return char16_t(u'0' + (u - 0xFF10));
    switch (u) {
    case 0xFF0B: return u'+';
    case 0xFF0D: return u'-';
    case 0xFF0E: return u'.';
    case 0x3000: return u' ';
    }
    return u;
}

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Collects sign, digits and fraction from text at pos, skipping blanks when
// skipInnerBlanks is set. Nothing, with pos where it was, when no digit
// was seen.
std::optional<DecimalText> scanNumber(QStringView text, qsizetype& pos, bool skipInnerBlanks)
{
    const qsizetype begin = pos;
    auto at = [&] { return pos < text.size() ? ascii(text[pos]) : char16_t(0); };
    auto skip = [&] {
        while (skipInnerBlanks && pos < text.size() && isBlank(at()))
            ++pos;
    };
    DecimalText number;
    skip();
    if (at() == u'+' || at() == u'-') {
        number.negative = at() == u'-';
        ++pos;
        skip();
    }
    while (isDigit(at())) {
        number.whole += char(at());
        ++pos;
        skip();
    }
    if (at() == u'.') {
        const qsizetype dot = pos;
        ++pos;
        skip();
        while (isDigit(at())) {
            number.fraction += char(at());
            ++pos;
            skip();
        }
        if (number.fraction.empty() && number.whole.empty())
            pos = dot;
    }
    if (number.whole.empty() && number.fraction.empty()) {
        pos = begin;
        return std::nullopt;
    }
    return number;
}

double toDouble(const DecimalText& number)
{
    std::string text = number.negative ? "-" : "";
    text += number.whole.empty() ? "0" : number.whole;
    if (!number.fraction.empty())
        text += "." + number.fraction;
    return std::strtod(text.c_str(), nullptr);
}

} // namespace

bool DecimalText::isWhole() const
{
    return fraction.find_first_not_of('0') == std::string::npos;
}

std::optional<double> readStrict(QStringView text)
{
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(ascii(text[pos])))
        ++pos;
    const auto number = scanNumber(text, pos, false);
    if (!number)
        return std::nullopt;
    while (pos < text.size() && isBlank(ascii(text[pos])))
        ++pos;
    if (pos != text.size())
        return std::nullopt;
    return toDouble(*number);
}

std::optional<DecimalText> readLenientDecimal(QStringView text)
{
    qsizetype pos = 0;
    return scanNumber(text, pos, true);
}

double readLenient(QStringView text)
{
    const auto number = readLenientDecimal(text);
    return number ? toDouble(*number) : 0.0;
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
