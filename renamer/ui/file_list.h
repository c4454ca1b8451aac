#pragma once

#include "renamer/core/listed_folder.h"

#include <QString>
#include <QStringList>

namespace quillmere {

// The window's never-shown file list: a folder and the names of its ordinary
// files, in name order. It only feeds the work list.
class FileList {
public:
    explicit FileList(QString folder = {});

    QString folder() const { return folder_; }
    // Sets the folder and reads it.
    void setFolder(const QString& folder);
    // Reads the folder again; a folder that cannot be read lists nothing.
    void refresh();
    // Reads it again only when its names may have changed since (a restore
    // renamed them back, another program made or removed a file).
    void refreshIfChanged();

    int count() const { return int(names().size()); }
    QString item(int index) const { return names().at(index); }
    const QStringList& names() const { return read_.files(); }
    // The folder as read, for a run in it.
    renamer::ListedFolder& asRead() { return read_; }

private:
    QString folder_;
    renamer::ListedFolder read_;
};

} // namespace quillmere
