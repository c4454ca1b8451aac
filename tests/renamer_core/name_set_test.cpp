#include "renamer/core/name_set.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace {

// Removed names leave their slots to later probes: a name inserted after many
// removals, or again after its own, is found, and removed ones never are.
TEST(NameSet, RemovalKeepsEveryOtherNameFound)
{
    renamer::NameSet set;
    const auto name = [](int i) { return QByteArray("写真 ") + QByteArray::number(i); };
    const auto has = [&](int i) { return set.contains(name(i), renamer::NameSet::hashOf(name(i))); };
    for (int round = 0; round < 2; ++round) {   // the second after clear(), in the room kept
        for (int i = 0; i < 5000; ++i)
            set.insert(name(i), renamer::NameSet::hashOf(name(i)));
        for (int i = 0; i < 5000; i += 2)
            set.remove(name(i), renamer::NameSet::hashOf(name(i)));
        for (int i = 0; i < 1000; i += 4)   // back again
            set.insert(name(i), renamer::NameSet::hashOf(name(i)));
        int wrong = 0;
        for (int i = 0; i < 5000; ++i)
            wrong += has(i) != (i % 2 == 1 || (i < 1000 && i % 4 == 0));
        EXPECT_EQ(wrong, 0) << round;
        EXPECT_EQ(set.size(), 2500 + 250) << round;
        EXPECT_FALSE(has(5000));
        set.clear();
        EXPECT_TRUE(set.size() == 0 && !has(1));
    }
}

} // namespace
