#include "renamer/core/name_set.h"

#include <algorithm>
#include <cstring>

namespace renamer {
namespace {
constexpr qsizetype kBlockBytes = 64 * 1024;
}

quint64 NameSet::hashOf(QByteArrayView name)
{
    // FNV-1a: names are short, and no one picks them to collide.
    quint64 h = 14695981039346656037ULL;
    for (const char c : name) {
        h ^= quint8(c);
        h *= 1099511628211ULL;
    }
    return h;
}

std::size_t NameSet::find(QByteArrayView name, quint64 hash) const
{
    const std::size_t mask = slots_.size() - 1;
    std::size_t gone = slots_.size();
    for (std::size_t i = std::size_t(hash) & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.state == State::Empty)
            return gone < slots_.size() ? gone : i;
        if (slot.state == State::Gone) {
            if (gone == slots_.size())
                gone = i;
        } else if (slot.hash == hash && slot.name() == name) {
            return i;
        }
    }
}

bool NameSet::contains(QByteArrayView name, quint64 hash) const
{
    if (size_ == 0)
        return false;
    const Slot& slot = slots_[find(name, hash)];
    return slot.state == State::Full && slot.hash == hash && slot.name() == name;
}

void NameSet::insert(QByteArrayView name, quint64 hash)
{
    if (std::size_t(used_ + 1) * 4 >= slots_.size() * 3)
        grow();
    Slot& slot = slots_[find(name, hash)];
    if (slot.state == State::Full)
        return;
    if (slot.state == State::Empty)
        ++used_;
    slot = {keep(name), name.size(), hash, State::Full};
    ++size_;
}

void NameSet::remove(QByteArrayView name, quint64 hash)
{
    if (size_ == 0)
        return;
    Slot& slot = slots_[find(name, hash)];
    if (slot.state != State::Full || slot.hash != hash || slot.name() != name)
        return;
    slot.state = State::Gone;
    --size_;
}

void NameSet::clear()
{
    if (used_ == 0)
        return;
    std::fill(slots_.begin(), slots_.end(), Slot());
    size_ = used_ = 0;
    blocks_.clear();
    blockUsed_ = blockSize_ = 0;
}

void NameSet::grow()
{
    std::vector<Slot> old = std::move(slots_);
    // Twice the names it holds, and never less than a group's worth.
    std::size_t room = 4096;
    while (room < std::size_t(size_ + 1) * 4)
        room *= 2;
    slots_.assign(room, Slot());
    size_ = used_ = 0;
    // The names stay where they are kept.
    for (const Slot& slot : old) {
        if (slot.state == State::Full) {
            Slot& to = slots_[find(slot.name(), slot.hash)];
            to = slot;
            ++size_, ++used_;
        }
    }
}

const char* NameSet::keep(QByteArrayView name)
{
    if (name.isEmpty())
        return "";
    if (blockUsed_ + name.size() > blockSize_) {
        blockSize_ = std::max(kBlockBytes, name.size());
        blocks_.push_back(std::make_unique<char[]>(std::size_t(blockSize_)));
        blockUsed_ = 0;
    }
    char* at = blocks_.back().get() + blockUsed_;
    std::memcpy(at, name.data(), std::size_t(name.size()));
    blockUsed_ += name.size();
    return at;
}

} // namespace renamer
