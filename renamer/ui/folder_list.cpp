#include "renamer/ui/folder_list.h"

#include "platform/listing.h"

#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace quillmere {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kLevelRole = Qt::UserRole + 1;
constexpr int kIndent = 6;   // pixels per folder level

// Shifts each entry right by its depth, so the chain reads as a tree.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem shifted(option);
        shifted.rect.adjust(index.data(kLevelRole).toInt() * kIndent, 0, 0, 0);
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += index.data(kLevelRole).toInt() * kIndent;
        return size;
    }
};

QString displayName(const QString& folder)
{
    const QString name = QFileInfo(folder).fileName();
    return name.isEmpty() ? folder : name;
}

} // namespace

FolderList::FolderList(QWidget* parent)
    : QListWidget(parent)
    , path_(platform::workingDirectory())
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new IndentDelegate(this));
    connect(this, &QListWidget::itemClicked, this, [this] { emit clicked(); });
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { setPath(item->data(kPathRole).toString()); });
    refresh();
}

bool FolderList::setPath(const QString& folder)
{
    const QString clean = QDir::cleanPath(folder);
    if (clean == path_)
        return false;
    if (clean.isEmpty() || !platform::canOpenFolder(clean)) {
        refresh();   // the folder may have gone: show what is there now
        return false;
    }
    path_ = clean;
    refresh();
    emit changed();
    return true;
}

void FolderList::refresh()
{
    const QStringList chain = platform::folderChain(path_);
    const QStringList children = platform::subfolders(path_);
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);

    clear();
    auto add = [this](const QString& folder, int level, const QIcon& icon) {
        auto* item = new QListWidgetItem(icon, displayName(folder), this);
        item->setData(kPathRole, folder);
        item->setData(kLevelRole, level);
    };
    for (int i = 0; i < chain.size(); ++i)
        add(chain.at(i), i, openIcon);
    for (const QString& child : children)
        add(child, int(chain.size()), closedIcon);

    openRow_ = int(chain.size()) - 1;
    setCurrentRow(openRow_);
    scrollToItem(item(openRow_), QAbstractItemView::PositionAtCenter);
}

QString FolderList::highlightedPath() const
{
    const int row = currentRow();
    return entryPath(row >= 0 ? row : openRow_);
}

QString FolderList::entryPath(int row) const
{
    const QListWidgetItem* entry = item(row);
    return entry ? entry->data(kPathRole).toString() : path_;
}

void FolderList::keyReleaseEvent(QKeyEvent* event)
{
    QListWidget::keyReleaseEvent(event);
    emit keyReleased();
}

void FolderList::focusOutEvent(QFocusEvent* event)
{
    QListWidget::focusOutEvent(event);
    // Switching to another window or opening a popup is no move to another
    // control of this window.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit focusLost();
}

} // namespace quillmere
