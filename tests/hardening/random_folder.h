#pragma once

#include "renamer/core/transforms.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <random>

// Random names and parameter boxes that go after the corners of the rename
// run: Japanese, blanks (runs of four too), brackets, dots, letter case,
// characters the undo script cannot hold, excluded extensions.
namespace hardening {

class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(engine_); }
    template <class T, std::size_t N>
    const T& pick(const T (&items)[N]) { return items[below(int(N))]; }
    std::mt19937_64& engine() { return engine_; }

private:
    std::mt19937_64 engine_;
};

// A name the file system takes (it may still be one the script cannot hold).
QString randomName(Random& random);

// The name with the case of some letters turned round.
QString caseVariant(const QString& name, Random& random);

// Not empty, no "/" or NUL, not "." or "..", at most 255 bytes, and not the
// undo script's own name.
bool usableFileName(const QString& name);

renamer::Mode randomMode(Random& random);

// Boxes for the mode, valid or not; refusable tells whether the run must be
// refused. Search texts are sometimes cut from the given names.
renamer::Boxes randomBoxes(renamer::Mode mode, const QStringList& names, Random& random, bool& refusable);

} // namespace hardening
