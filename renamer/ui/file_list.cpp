#include "renamer/ui/file_list.h"

#include "platform/listing.h"

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
    names_ = folder_.isEmpty() ? QStringList() : platform::listFiles(folder_).value_or(QStringList());
}

} // namespace quillmere
