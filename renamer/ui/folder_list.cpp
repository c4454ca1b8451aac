#include "renamer/ui/folder_list.h"

#include "platform/listing.h"

#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
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
    releaseWait_.setSingleShot(true);
    releaseWait_.setInterval(kRepeatWaitMs);
    connect(&releaseWait_, &QTimer::timeout, this, &FolderList::releaseNow);
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

// A held key repeats as release + press pairs under X, and Qt flags only
// some of them as repeats; the pair shares one timestamp. So a release counts
// once no press of its key follows at the same moment.
void FolderList::keyPressEvent(QKeyEvent* event)
{
    if (releaseWait_.isActive()) {
        const quint64 gap = event->timestamp() > pendingTime_ ? event->timestamp() - pendingTime_
                                                              : pendingTime_ - event->timestamp();
        if (event->key() == pendingKey_ && gap <= 5)
            releaseWait_.stop();   // the key is still held
        else
            releaseNow();
    }
    if (!event->isAutoRepeat())
        pressed_.insert(event->key());
    QListWidget::keyPressEvent(event);
}

void FolderList::keyReleaseEvent(QKeyEvent* event)
{
    QListWidget::keyReleaseEvent(event);
    // A key pressed elsewhere, such as the Enter that closed a message box,
    // is not released "in" the list.
    if (event->isAutoRepeat() || !pressed_.contains(event->key()))
        return;
    if (releaseWait_.isActive())
        releaseNow();
    pendingKey_ = event->key();
    pendingTime_ = event->timestamp();
    releaseWait_.start();
}

void FolderList::releaseNow()
{
    releaseWait_.stop();
    pressed_.remove(pendingKey_);
    emit keyReleased();
}

void FolderList::focusInEvent(QFocusEvent* event)
{
    QListWidget::focusInEvent(event);
    pressed_.clear();
    // Tab moves the focus on its press; its release lands here.
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        pressed_ << Qt::Key_Tab << Qt::Key_Backtab;
}

void FolderList::focusOutEvent(QFocusEvent* event)
{
    // A release still waiting belongs before whatever takes the focus.
    if (releaseWait_.isActive())
        releaseNow();
    QListWidget::focusOutEvent(event);
    // Switching to another window or opening a popup is no move to another
    // control of this window.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit focusLost();
}

} // namespace quillmere
