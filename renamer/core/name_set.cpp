#include "renamer/core/name_set.h"

namespace renamer {

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
        } else if (slot.hash == hash && slot.name == name) {
            return i;
        }
    }
}

bool NameSet::contains(QByteArrayView name, quint64 hash) const
{
    if (size_ == 0)
        return false;
    const Slot& slot = slots_[find(name, hash)];
    return slot.state == State::Full && slot.hash == hash && slot.name == name;
}

void NameSet::insert(const QByteArray& name, quint64 hash)
{
    if (std::size_t(used_ + 1) * 4 >= slots_.size() * 3)
        grow();
    Slot& slot = slots_[find(name, hash)];
    if (slot.state == State::Full)
        return;
    if (slot.state == State::Empty)
        ++used_;
    slot = {name, hash, State::Full};
    ++size_;
}

void NameSet::remove(QByteArrayView name, quint64 hash)
{
    if (size_ == 0)
        return;
    Slot& slot = slots_[find(name, hash)];
    if (slot.state != State::Full || slot.hash != hash || slot.name != name)
        return;
    slot.name = QByteArray();
    slot.state = State::Gone;
    --size_;
}

void NameSet::clear()
{
    if (used_ == 0)
        return;
    for (Slot& slot : slots_)
        slot = Slot();
    size_ = used_ = 0;
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
    for (Slot& slot : old)
        if (slot.state == State::Full)
            insert(slot.name, slot.hash);
}

} // namespace renamer
