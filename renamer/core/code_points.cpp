#include "renamer/core/code_points.h"

#include <QChar>

#include <algorithm>
#include <vector>

namespace renamer::cp {
namespace {

// Width in UTF-16 units of the code point starting at i.
qsizetype unitsAt(const QString& s, qsizetype i)
{
    return (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ? 2 : 1;
}

std::vector<char32_t> folded(const QString& s)
{
    std::vector<char32_t> out;
    out.reserve(size_t(s.size()));
    for (qsizetype i = 0; i < s.size();) {
        const qsizetype w = unitsAt(s, i);
        const char32_t c = w == 2 ? QChar::surrogateToUcs4(s[i], s[i + 1]) : char32_t(s[i].unicode());
        out.push_back(QChar::toCaseFolded(c));
        i += w;
    }
    return out;
}

} // namespace

qsizetype length(const QString& s)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < s.size(); i += unitsAt(s, i))
        ++n;
    return n;
}

qsizetype offsetOf(const QString& s, qsizetype index)
{
    qsizetype i = 0;
    for (; index > 0 && i < s.size(); --index)
        i += unitsAt(s, i);
    return i;
}

QString left(const QString& s, qsizetype count)
{
    return s.left(offsetOf(s, count));
}

QString right(const QString& s, qsizetype count)
{
    const qsizetype len = length(s);
    return count >= len ? s : from(s, len - count);
}

QString from(const QString& s, qsizetype index)
{
    return s.mid(offsetOf(s, index));
}

qsizetype findCaseBlind(const QString& s, const QString& needle)
{
    if (needle.isEmpty())
        return 0;
    const auto hay = folded(s);
    const auto pin = folded(needle);
    const auto it = std::search(hay.begin(), hay.end(), pin.begin(), pin.end());
    return it == hay.end() ? -1 : qsizetype(it - hay.begin());
}

} // namespace renamer::cp
