#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Code page 932 (Windows-31J), the encoding of every text file the two
// programs write or read. Only exact round trips are accepted: a text that
// would come back different (a character the code page cannot hold, or one
// it maps to another character, such as U+301C) is an error, never a "?".
namespace platform {

std::optional<QByteArray> encodeCp932(const QString& text);

// Bytes that are not valid code page 932, a lone lead byte at the end
// included, are an error.
std::optional<QString> decodeCp932(const QByteArray& bytes);

inline bool cp932HoldsExactly(const QString& text) { return encodeCp932(text).has_value(); }

// The converter alone, without the tables decodeCp932 reads by first; it
// has the last word wherever they fall short.
std::optional<QString> decodeCp932ByConverter(const QByteArray& bytes);

} // namespace platform
