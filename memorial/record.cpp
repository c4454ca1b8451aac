#include "memorial/record.h"

#include "platform/cp932.h"
#include "platform/system_folder.h"

#include <QStringList>

namespace memorial {
namespace {

const QChar kQuote = u'"';

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

// A value the reader would not get back whole when written bare.
bool needsQuotes(const QString& value)
{
    return value.contains(u',') || value.contains(kQuote) || (!value.isEmpty() && isBlank(value.front()));
}

QString quoted(const QString& value)
{
    QString out = value;
    out.replace(kQuote, QStringLiteral("\"\""));
    return kQuote + out + kQuote;
}

// Reads comma-delimited values the way the file has always been read; a
// value in quotes may hold commas, leading blanks and doubled quotes.
class FieldReader {
public:
    explicit FieldReader(const QString& text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }

    QString next()
    {
        while (!atEnd() && isBlank(text_[pos_]))
            ++pos_;
        QString value;
        if (!atEnd() && text_[pos_] == kQuote) {
            ++pos_;
            while (!atEnd() && !isLineEnd(text_[pos_])) {
                const QChar c = text_[pos_++];
                if (c != kQuote) {
                    value += c;
                } else if (!atEnd() && text_[pos_] == kQuote) {
                    value += kQuote;
                    ++pos_;
                } else {
                    break;
                }
            }
        }
        // The rest up to the delimiter; quotes are never part of a value.
        while (!atEnd() && text_[pos_] != u',' && !isLineEnd(text_[pos_])) {
            const QChar c = text_[pos_++];
            if (c != kQuote)
                value += c;
        }
        skipDelimiter();
        return value;
    }

private:
    void skipDelimiter()
    {
        if (atEnd())
            return;
        const QChar c = text_[pos_++];
        if (c == u'\r' && !atEnd() && text_[pos_] == u'\n')
            ++pos_;
    }

    const QString& text_;
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
    // Four short values; anything longer was not written by setup.
    const auto bytes = platform::readBytes(path, 64 * 1024);
    if (!bytes)
        return record;
    const auto text = platform::decodeCp932(*bytes);
    if (!text)
        return record;
    FieldReader reader(*text);
    for (QString* value : {&record.name, &record.date1, &record.date2, &record.date3}) {
        if (reader.atEnd())
            break;
        *value = reader.next();
    }
    return record;
}

} // namespace memorial
