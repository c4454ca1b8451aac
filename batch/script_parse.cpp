// Reading an undo script: which lines it holds and how each can be read.
#include "batch/undo_script.h"

#include "batch/undo_line.h"
#include "platform/cp932.h"

#include <QStringList>

#include <algorithm>

namespace batch {
namespace {

bool hasForeignByte(QByteArrayView line)
{
    return std::any_of(line.begin(), line.end(), isForeignByte);
}

// Decodes whole lines (each ended by CR LF, with no other CR or LF) and
// takes their readings; a line that is not code page 932 or has no reading
// of bare names makes the script foreign.
void decodeLines(QByteArrayView bytes, ParsedScript& parsed)
{
    const auto refuse = [&](int line) {
        parsed.status = ParsedScript::Status::Foreign;
        parsed.foreignLine = line;
    };
    auto text = platform::decodeCp932(bytes.toByteArray());
    if (!text) {
        // Find the line that is not code page 932.
        const QList<QByteArray> raw = bytes.toByteArray().split('\n');
        for (qsizetype i = 0; i < raw.size(); ++i)
            if (!platform::decodeCp932(raw[i]))
                return refuse(int(i) + 1);
        return refuse(1);
    }
    // Each line is read where it stands. No trail byte of the code page is
    // CR or LF, so every LF in the text is a line's end, after its CR.
    parsed.text = std::move(*text);
    const QStringView all(parsed.text);
    for (qsizetype pos = 0, end = 0; (end = all.indexOf(u'\n', pos)) >= 0; pos = end + 1) {
        parsed.readings.push_back(usableReadings(all.sliced(pos, end - 1 - pos), Names::Borrowed));
        if (parsed.readings.back().empty())
            return refuse(int(parsed.readings.size()));
    }
}

} // namespace

ParsedScript parseUndoScript(const QByteArray& bytes)
{
    ParsedScript parsed;
    auto refuse = [&](int line, ParsedScript::Status status = ParsedScript::Status::Foreign) {
        parsed.status = status;
        parsed.foreignLine = line;
        parsed.readings.clear();
        return parsed;
    };
    // A power cut can leave the end of a file as zero bytes that were never
    // written: like a cut last line, such an end is skipped. Zero bytes
    // anywhere else mean the file is damaged.
    qsizetype size = bytes.size();
    while (size > 0 && bytes[size - 1] == '\0')
        --size;
    parsed.cutShort = size < bytes.size();
    if (QByteArrayView(bytes).first(size).contains('\0'))
        return refuse(0, ParsedScript::Status::Damaged);
    // Whole lines are checked byte by byte, then decoded at once.
    qsizetype whole = 0;   // where the whole lines end
    int count = 0;
    const char* const data = bytes.constData();
    for (qsizetype pos = 0; pos < size; pos = whole) {
        // Nearly every line ends with CR LF at its first byte no name
        // holds, found in one pass; any other line is looked at whole.
        const char* const stop = std::find_if(data + pos, data + size, isForeignByte);
        const bool plainEnd = stop + 1 < data + size && stop[0] == '\r' && stop[1] == '\n';
        const qsizetype end = plainEnd ? stop - data : bytes.indexOf("\r\n", pos);
        if (end < 0) {
            // A run cut short leaves a last line without its end; other
            // line ends mean another program wrote the file.
            // A write cut between CR and LF leaves the CR alone at the end.
            const QByteArrayView rest = QByteArrayView(bytes).sliced(pos, size - pos);
            if (rest.chopped(rest.endsWith('\r') ? 1 : 0).contains('\r') || rest.contains('\n'))
                return refuse(count + 1);
            parsed.cutShort = true;
            break;
        }
        if (++count > kMaxUndoLines)
            return refuse(count, ParsedScript::Status::TooManyLines);
        if (!plainEnd && hasForeignByte(QByteArrayView(bytes).sliced(pos, end - pos)))
            return refuse(count);
        whole = end + 2;
    }
    // Nothing but a cut line is no script a run leaves.
    if (count == 0 && parsed.cutShort)
        return refuse(0, ParsedScript::Status::Damaged);
    parsed.readings.reserve(std::size_t(count));
    decodeLines(QByteArrayView(bytes).first(whole), parsed);
    if (parsed.status == ParsedScript::Status::Foreign)
        return refuse(parsed.foreignLine);
    return parsed;
}

} // namespace batch
