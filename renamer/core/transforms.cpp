#include "renamer/core/transforms.h"

#include "common/numbers.h"
#include "renamer/core/code_points.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace renamer {
namespace {

// |value| written out in plain decimal: whole numbers with all their
// digits, fractions with a point and at most fifteen significant digits,
// never an exponent.
QString plainDecimal(double value)
{
    value = std::fabs(value);
    if (!std::isfinite(value))
        return QStringLiteral("0");
    int decimals = 0;
    if (value != std::floor(value)) {
        const int magnitude = int(std::floor(std::log10(value)));
        decimals = std::clamp(14 - magnitude, 0, 340);
    }
    std::string text(512, '\0');
    const int n = std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    if (n < 0)
        return QStringLiteral("0");
    if (size_t(n) >= text.size()) {
        text.resize(size_t(n) + 1);
        std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    }
    text.resize(size_t(n));
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// Decimal digit strings without leading zeros ("0" for zero).
std::string withoutLeadingZeros(const std::string& digits)
{
    const size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

bool lessThan(const std::string& a, const std::string& b)
{
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

std::string sum(const std::string& a, const std::string& b)
{
    std::string out;
    int carry = 0;
    for (size_t i = 0; i < a.size() || i < b.size() || carry; ++i) {
        const int d = carry + (i < a.size() ? a[a.size() - 1 - i] - '0' : 0) + (i < b.size() ? b[b.size() - 1 - i] - '0' : 0);
        out += char('0' + d % 10);
        carry = d / 10;
    }
    return withoutLeadingZeros(std::string(out.rbegin(), out.rend()));
}

// a - b for a >= b.
std::string difference(const std::string& a, const std::string& b)
{
    std::string out;
    int borrow = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        int d = a[a.size() - 1 - i] - '0' - borrow - (i < b.size() ? b[b.size() - 1 - i] - '0' : 0);
        borrow = d < 0;
        out += char('0' + d + 10 * borrow);
    }
    return withoutLeadingZeros(std::string(out.rbegin(), out.rend()));
}

} // namespace

TransformResult removeTag(const QString& name)
{
    // Both marks are ASCII, so UTF-16 offsets are character boundaries here.
    const qsizetype open = name.indexOf(u'[');
    const qsizetype close = name.indexOf(u"].");
    if (open < 0 || close < 0)
        return TransformResult::skip();
    return TransformResult::to(name.left(open) + name.mid(close + 1));
}

TransformResult addPrefix(const QString& name, const QString& a)
{
    return TransformResult::to(a + name);
}

TransformResult replaceFirst(const QString& name, const QString& b, const QString& c)
{
    const qsizetype p = cp::findCaseBlind(name, b);
    if (p < 0)
        return TransformResult::skip();
    const qsizetype start = cp::offsetOf(name, p);
    const qsizetype end = cp::offsetOf(name, p + cp::length(b));
    return TransformResult::to(name.left(start) + c + name.mid(end));
}

TransformResult insertAt(const QString& name, int k, const QString& d)
{
    const qsizetype at = cp::offsetOf(name, k);
    return TransformResult::to(name.left(at) + d + name.mid(at));
}

TransformResult deleteAt(const QString& name, int a, double n)
{
    const qsizetype length = cp::length(name);
    const qsizetype headLength = std::min<qsizetype>(std::max(a, 0), length);
    const double k = common::roundHalfEven(double(length - headLength) - n);
    if (!(k >= 0))
        return {TransformResult::Kind::TooShort, {}};
    const QString head = name.left(cp::offsetOf(name, headLength));
    if (k >= double(length))
        return TransformResult::to(head + name);
    return TransformResult::to(head + cp::from(name, length - qsizetype(k)));
}

TransformResult deleteBefore(const QString& name, const QString& t, bool alsoText)
{
    const qsizetype p = cp::findCaseBlind(name, t);
    if (p < 0)
        return TransformResult::skip();
    return TransformResult::to(cp::from(name, alsoText ? p + cp::length(t) : p));
}

QString numberField(const NumberStart& start, int counter, int width)
{
    QString digits;
    if (start.exact) {
        // The field drops the sign: only the magnitude of start + counter.
        const std::string c = std::to_string(std::max(counter, 0));
        std::string magnitude;
        if (!start.negative)
            magnitude = sum(start.digits, c);
        else if (lessThan(start.digits, c))
            magnitude = difference(c, start.digits);
        else
            magnitude = difference(start.digits, c);
        digits = QString::fromLatin1(magnitude.data(), qsizetype(magnitude.size()));
    } else {
        digits = plainDecimal(start.value + counter);
    }
    const QString padded = QStringLiteral("000000") + digits;
    // Only ASCII here: units are characters.
    return padded.right(qsizetype(width) + 1);
}

TransformResult numberFront(const QString& name, const QString& field)
{
    return TransformResult::to(field + u'-' + name);
}

TransformResult numberBehind(const QString& name, const QString& field)
{
    const qsizetype dot = name.indexOf(u'.');
    if (dot < 0)
        return TransformResult::to(name + u'-' + field);
    return TransformResult::to(name.left(dot) + u'-' + field + name.mid(dot));
}

} // namespace renamer
