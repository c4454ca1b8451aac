#pragma once

#include <QString>

// A name counts characters as Unicode code points, while QString indexes
// UTF-16 units. These helpers translate between the two without copying the
// name; an unpaired surrogate counts as one character.
namespace renamer::cp {

qsizetype length(const QString& s);

// UTF-16 offset where code point `index` starts; s.size() when index is at
// or beyond the end, 0 when it is 0 or below.
qsizetype offsetOf(const QString& s, qsizetype index);

// The first `count` code points (all of s when count >= length).
QString left(const QString& s, qsizetype count);
// The last `count` code points (all of s when count >= length).
QString right(const QString& s, qsizetype count);
// From code point `index` (0-based) to the end.
QString from(const QString& s, qsizetype index);

// 0-based code point position of the first occurrence of needle in s under
// simple Unicode case folding, compared code point by code point; -1 when
// absent, 0 for an empty needle.
qsizetype findCaseBlind(const QString& s, const QString& needle);

} // namespace renamer::cp
