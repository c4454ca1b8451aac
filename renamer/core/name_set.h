#pragma once

#include <QByteArrayView>

#include <memory>
#include <vector>

namespace renamer {

// A set of file names as the file system spells them, for the run's checks
// of thousands of names. Each name's hash is taken once by the caller and
// used for every set it meets; open addressing, and names copied into large
// blocks, keep allocations to a handful for the whole table.
class NameSet {
public:
    static quint64 hashOf(QByteArrayView name);

    bool contains(QByteArrayView name, quint64 hash) const;
    void insert(QByteArrayView name, quint64 hash);
    void remove(QByteArrayView name, quint64 hash);
    // Empties the set and keeps its room.
    void clear();
    qsizetype size() const { return size_; }

private:
    enum class State : quint8 { Empty, Full, Gone };
    struct Slot {
        const char* data = nullptr;
        qsizetype size = 0;
        quint64 hash = 0;
        State state = State::Empty;
        QByteArrayView name() const { return {data, size}; }
    };
    // The slot holding name, or the empty slot where the search ended.
    std::size_t find(QByteArrayView name, quint64 hash) const;
    void grow();
    const char* keep(QByteArrayView name);

    std::vector<Slot> slots_;
    qsizetype size_ = 0;
    qsizetype used_ = 0;   // full and gone slots: what the probing has to walk past
    // The names' bytes, in blocks; a removed name's stay until clear().
    std::vector<std::unique_ptr<char[]>> blocks_;
    qsizetype blockUsed_ = 0;
    qsizetype blockSize_ = 0;
};

} // namespace renamer
