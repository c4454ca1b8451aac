// The names a run never touches, and the new names no file can have.
#include "renamer/core/rename_run.h"

#include "batch/undo_line.h"
#include "platform/name_length.h"

namespace renamer {

bool isExcluded(const QString& name)
{
    // A file that is the undo script on a case-blind volume too.
    if (name.compare(QStringView(batch::kUndoScriptName), Qt::CaseInsensitive) == 0)
        return true;
    // The endings are ASCII, so four UTF-16 units are four characters here.
    if (name.size() < 4 || name[name.size() - 4] != u'.')
        return false;
    for (const char16_t* ending : {u".exe", u".bat", u".com", u".dll"}) {
        if (name.endsWith(QStringView(ending), Qt::CaseSensitive))
            return true;
    }
    return false;
}

std::optional<RunReport::Unusable> unusable(const QString& newName)
{
    if (newName.isEmpty())
        return RunReport::Empty;
    if (newName == u"." || newName == u"..")
        return RunReport::Dots;
    if (newName.contains(u'/'))
        return RunReport::Slash;
    if (!platform::nameLengthFits(newName))
        return RunReport::TooLong;
    return std::nullopt;
}

} // namespace renamer
