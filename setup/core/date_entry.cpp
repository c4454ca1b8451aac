#include "setup/core/date_entry.h"

#include "common/numbers.h"
#include "platform/cp932.h"

namespace setup {
namespace {

// The last n code points of text (all of it when shorter).
QString lastCharacters(const QString& text, int n)
{
    qsizetype start = text.size();
    for (int taken = 0; taken < n && start > 0; ++taken) {
        --start;
        if (start > 0 && text[start].isLowSurrogate() && text[start - 1].isHighSurrogate())
            --start;
    }
    return text.mid(start);
}

// The checks read full-width digits as numbers; the file must hold ASCII
// ones, or the date would never equal today's.
QString asciiDigits(QString text)
{
    for (QChar& c : text) {
        if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19)
            c = QChar(u'0' + (c.unicode() - 0xFF10));
    }
    return text;
}

double value(const QString& text)
{
    return common::readLenient(text);
}

bool outside(double v, double low, double high)
{
    return v > high || v < low;
}

std::optional<QString> firstUnwritableCharacter(const QString& text)
{
    if (platform::cp932HoldsExactly(text))
        return std::nullopt;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype units = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QString character = text.mid(i, units);
        if (!platform::cp932HoldsExactly(character))
            return character;
        i += units;
    }
    return std::nullopt;
}

} // namespace

std::optional<BoxRef> firstRejectedBox(const DateEntry& entry)
{
    if (entry.name.isEmpty())
        return BoxRef{Box::Name, 0};

    for (int row = 0; row < 3; ++row) {
        const DateRow& r = entry.rows[row];
        if (r.year.isEmpty())
            continue;
        if (outside(value(r.month), 1, 12))
            return BoxRef{Box::Month, row};
        if (outside(value(r.day), 1, 31))
            return BoxRef{Box::Day, row};
    }

    // A month or a day without a usable year.
    for (int row = 0; row < 3; ++row) {
        const DateRow& r = entry.rows[row];
        const double sum = value(r.year) + value(r.month) + value(r.day);
        if (sum < 50 && sum != 0)
            return BoxRef{Box::Year, row};
    }
    return std::nullopt;
}

std::optional<Unwritable> firstUnwritable(const DateEntry& entry)
{
    if (const auto c = firstUnwritableCharacter(entry.name))
        return Unwritable{BoxRef{Box::Name, 0}, *c};
    // What gets written is the padded text; the part padding cuts off does not matter.
    const DateEntry written = padded(entry);
    for (int row = 0; row < 3; ++row) {
        const DateRow& r = written.rows[row];
        for (const auto& [box, text] : {std::pair(Box::Year, &r.year), std::pair(Box::Month, &r.month), std::pair(Box::Day, &r.day)}) {
            if (const auto c = firstUnwritableCharacter(*text))
                return Unwritable{BoxRef{box, row}, *c};
        }
    }
    return std::nullopt;
}

QString padYear(const QString& year)
{
    return lastCharacters(QStringLiteral("00000") + asciiDigits(year), 4);
}

QString padMonthOrDay(const QString& text)
{
    return lastCharacters(QStringLiteral("000") + asciiDigits(text), 2);
}

DateEntry padded(const DateEntry& entry)
{
    DateEntry out = entry;
    for (DateRow& r : out.rows) {
        r.year = padYear(r.year);
        r.month = padMonthOrDay(r.month);
        r.day = padMonthOrDay(r.day);
    }
    return out;
}

DateEntry withZerosEmptied(const DateEntry& entry)
{
    DateEntry out = entry;
    for (DateRow& r : out.rows) {
        if (r.year == u"0000")
            r.year.clear();
        if (r.month == u"00")
            r.month.clear();
        if (r.day == u"00")
            r.day.clear();
    }
    return out;
}

QString dateLine(const DateRow& row)
{
    return row.year + u'/' + row.month + u'/' + row.day;
}

} // namespace setup
