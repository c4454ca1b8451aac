#pragma once

#include <QListWidget>
#include <QString>

namespace quillmere {

// The folder list: the chain of folders from "/" down to the open folder
// (indented, the open folder highlighted), then the open folder's
// subfolders. Clicks and arrow keys only move the highlight; a double-click
// opens the entry.
class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent = nullptr);

    // The open folder.
    QString path() const { return path_; }
    // Opens folder. False, with the open folder kept and highlighted again,
    // when it is the open folder already or cannot be opened.
    bool setPath(const QString& folder);
    // Reads the chain and the subfolders again; highlights the open folder.
    void refresh();

    // The folder of the highlighted entry (the open folder when none is).
    QString highlightedPath() const;
    QString entryPath(int row) const;
    // The row of the open folder.
    int openRow() const { return openRow_; }

signals:
    void changed();       // the open folder changed
    void clicked();       // an entry was clicked
    void keyReleased();   // a key was released while the list had the focus
    void focusLost();     // the focus went to another control

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString path_;
    int openRow_ = 0;
};

} // namespace quillmere
