#include "memorial/anniversary.h"

#include "common/numbers.h"

#include <array>

namespace memorial {
namespace {

struct DateParts {
    QString year, month, day;
};

// Code points [from, from + count) of text; fewer, or none, when the text is
// shorter.
QString slice(const QList<uint>& points, qsizetype from, qsizetype count)
{
    QString out;
    for (qsizetype i = from; i < points.size() && i < from + count; ++i) {
        const char32_t c = points[i];
        if (QChar::requiresSurrogates(c)) {
            out += QChar(QChar::highSurrogate(c));
            out += QChar(QChar::lowSurrogate(c));
        } else {
            out += QChar(c);
        }
    }
    return out;
}

DateParts split(const QString& date)
{
    const QList<uint> points = date.toUcs4();
    return {slice(points, 0, 4), slice(points, 5, 2), slice(points, 8, 2)};
}

} // namespace

std::optional<Anniversary> findAnniversary(const Record& record, const QString& today)
{
    const DateParts now = split(today);
    // A today text without a full month and day would match empty dates.
    if (now.month.size() != 2 || now.day.size() != 2)
        return std::nullopt;
    for (const QString* date : std::array{&record.date1, &record.date2, &record.date3}) {
        const DateParts parts = split(*date);
        if (parts.month != now.month || parts.day != now.day)
            continue;
        // At most four characters a side, so the difference is small; double
        // keeps a fraction for the rounding.
        const double years = common::readLenient(now.year) - common::readLenient(parts.year);
        return Anniversary{record.name, static_cast<long long>(common::roundHalfEven(years))};
    }
    return std::nullopt;
}

} // namespace memorial
