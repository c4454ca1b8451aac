#pragma once

#include <QString>

#include <functional>
#include <utility>
#include <vector>

// The one line the rename run writes into modosu.bat, and how the restore
// reads it back. The run and the restore both come through here, so the run
// can judge a line exactly as the restore will.
namespace batch {

// The undo script every run writes in its folder, and the restore runs.
inline constexpr char16_t kUndoScriptName[] = u"modosu.bat";

// Bytes no line may hold: they would end the line early, or make the
// restore take the script for another program's. Code page 932's second
// bytes are 0x40 and above, so none of them stands inside a character.
constexpr bool isForeignByte(char c)
{
    return c == '\r' || c == '\n' || c == '\0' || c == '\t';
}

// "ren    " + newName + "    " + oldName: renames newName back to oldName.
QString undoLine(const QString& newName, const QString& oldName);

using Reading = std::pair<QString, QString>;   // (from, to): new name, old name
using Exists = std::function<bool(const QString&)>;

// How a reading's names are made: copied from the line, or borrowed from
// the text the line stands in, which must then outlive them (the script's
// parse keeps that text; its 40,000 names then cost no allocation).
enum class Names { Copied, Borrowed };

// The ways a "ren" line can be read as (from, to). A name may hold runs of
// four blanks itself, so a line can have more than one reading; they come
// in order of the split position. Empty when the line is not a "ren" line.
std::vector<Reading> renReadings(QStringView line, Names names = Names::Copied);

// The readings a rename could carry out: both names bare file names.
std::vector<Reading> usableReadings(QStringView line, Names names = Names::Copied);

struct Choice {
    enum class Kind {
        Rename,      // exactly one reading can be carried out now
        Nothing,     // the reading names one file twice and that file is there
        Ambiguous,   // more than one reading could be carried out now
        None,        // no reading can be carried out now
    };
    Kind kind = Kind::None;
    Reading reading;   // with Rename
};

// What the restore does with a line of these readings, exists telling which
// names the working directory holds.
Choice choose(const std::vector<Reading>& readings, const Exists& exists);

} // namespace batch
