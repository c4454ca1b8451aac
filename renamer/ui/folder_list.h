#pragma once

#include <QListWidget>
#include <QSet>
#include <QString>
#include <QTimer>

namespace quillmere {

// The folder list: the chain of folders from "/" down to the open folder
// (indented, the open folder highlighted), then the open folder's
// subfolders. Clicks and arrow keys only move the highlight; a double-click
// opens the entry.
class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent = nullptr);

    // How long a release waits for the press that would mark it as a
    // repeat of a held key.
    static constexpr int kRepeatWaitMs = 60;

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
    // A key was let go in the list: pressed here (or the Tab that brought
    // the focus here) and not merely repeating.
    void keyReleased();
    void focusLost();     // the focus went to another control

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void releaseNow();

    QString path_;
    int openRow_ = 0;
    QSet<int> pressed_;         // keys whose press reached the list
    QTimer releaseWait_;
    int pendingKey_ = 0;
    quint64 pendingTime_ = 0;
};

} // namespace quillmere
