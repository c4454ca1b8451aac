#include "renamer/ui/file_list.h"

#include <utility>

namespace quillmere {

FileList::FileList(QString folder)
    : folder_(std::move(folder))
{
    refresh();
}

void FileList::setFolder(const QString& folder)
{
    folder_ = folder;
    refresh();
}

void FileList::refresh()
{
    read_ = folder_.isEmpty() ? renamer::ListedFolder() : renamer::ListedFolder(folder_);
}

void FileList::refreshIfChanged()
{
    if (read_.mayHaveChanged(folder_))
        refresh();
}

} // namespace quillmere
