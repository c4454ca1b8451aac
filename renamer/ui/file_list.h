#pragma once

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

    int count() const { return int(names_.size()); }
    QString item(int index) const { return names_.at(index); }
    const QStringList& names() const { return names_; }

private:
    QString folder_;
    QStringList names_;
};

} // namespace quillmere
