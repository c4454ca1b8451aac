#include "memorial/record.h"

#include "platform/cp932.h"
#include "platform/system_folder.h"

#include <QStringList>

namespace memorial {
namespace {

constexpr char kQuote = '"';

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

// What setup can write: a name of up to 32767 characters at two bytes each,
// quotes, and three short dates. Anything longer was not written by setup.
constexpr qint64 kMaxFileBytes = 128 * 1024;

// A value the reader would not get back whole when written bare.
bool needsQuotes(const QString& value)
{
    return value.contains(u',') || value.contains(QChar(kQuote)) || (!value.isEmpty() && isBlank(value.front()));
}

QString quoted(const QString& value)
{
    QString out = value;
    out.replace(QChar(kQuote), QStringLiteral("\"\""));
    return QChar(kQuote) + out + QChar(kQuote);
}

// Reads comma-delimited values the way the file has always been read; a
// value in quotes may hold commas, leading blanks and doubled quotes. It
// works on the bytes: the delimiters are ASCII, and code page 932 never uses
// them as the second byte of a character.
class FieldReader {
public:
    explicit FieldReader(const QByteArray& bytes) : bytes_(bytes) {}

    bool atEnd() const { return pos_ >= bytes_.size(); }

    QByteArray next()
    {
        while (!atEnd() && isBlank(at()))
            ++pos_;
        QByteArray value;
        if (!atEnd() && at() == kQuote) {
            ++pos_;
            while (!atEnd() && !isLineEnd(at())) {
                const char c = bytes_[pos_++];
                if (c != kQuote) {
                    value += c;
                } else if (!atEnd() && at() == kQuote) {
                    value += kQuote;
                    ++pos_;
                } else {
                    break;
                }
            }
        }
        // The rest up to the delimiter; quotes are never part of a value.
        while (!atEnd() && at() != ',' && !isLineEnd(at())) {
            const char c = bytes_[pos_++];
            if (c != kQuote)
                value += c;
        }
        skipDelimiter();
        return value;
    }

private:
    char at() const { return bytes_[pos_]; }

    void skipDelimiter()
    {
        if (atEnd())
            return;
        const char c = bytes_[pos_++];
        if (c == '\r' && !atEnd() && at() == '\n')
            ++pos_;
    }

    const QByteArray& bytes_;
    qsizetype pos_ = 0;
};

} // namespace

QString dataFilePath()
{
    return platform::systemFile(QStringLiteral("quillmere.ini"));
}

platform::WriteStatus writeRecord(const QString& path, const Record& record)
{
    QStringList lines;
    for (const QString* value : {&record.name, &record.date1, &record.date2, &record.date3}) {
        // One value per line: a line break inside a value cannot be read back.
        if (value->contains(u'\r') || value->contains(u'\n'))
            return platform::WriteStatus::NotRepresentable;
        lines << (needsQuotes(*value) ? quoted(*value) : *value);
    }
    return platform::writeLines(path, lines);
}

Record readRecord(const QString& path)
{
    Record record;
    // Never blocks, and refuses what is not a regular file of sensible size.
    const auto bytes = platform::readBytes(path, kMaxFileBytes);
    if (!bytes)
        return record;
    // Value by value: a byte the code page cannot read stops the reading
    // there, and whatever follows the fourth value is never looked at.
    FieldReader reader(*bytes);
    for (QString* value : {&record.name, &record.date1, &record.date2, &record.date3}) {
        if (reader.atEnd())
            break;
        const auto text = platform::decodeCp932(reader.next());
        if (!text)
            break;
        *value = *text;
    }
    return record;
}

} // namespace memorial
