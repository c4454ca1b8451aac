#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

namespace renamer {

// A set of file names as the file system spells them, for the run's checks
// of thousands of names. Each name's hash is taken once by the caller and
// used for every set it meets; open addressing keeps one allocation for the
// whole table.
class NameSet {
public:
    static quint64 hashOf(QByteArrayView name);

    bool contains(QByteArrayView name, quint64 hash) const;
    void insert(const QByteArray& name, quint64 hash);
    void remove(QByteArrayView name, quint64 hash);
    // Empties the set and keeps its room.
    void clear();
    qsizetype size() const { return size_; }

private:
    enum class State : quint8 { Empty, Full, Gone };
    struct Slot {
        QByteArray name;
        quint64 hash = 0;
        State state = State::Empty;
    };
    // The slot holding name, or the empty slot where the search ended.
    std::size_t find(QByteArrayView name, quint64 hash) const;
    void grow();

    std::vector<Slot> slots_;
    qsizetype size_ = 0;
    qsizetype used_ = 0;   // full and gone slots: what the probing has to walk past
};

} // namespace renamer
