#pragma once

// What the hardening tests look at in a folder, and their random source.
#include "batch/script.h"
#include "platform/cp932.h"
#include "renamer/core/transforms.h"

#include <QDir>
#include <QSet>

#include <gtest/gtest.h>

#include <random>

namespace hardening {

struct Random : std::mt19937_64 {
    using std::mt19937_64::mt19937_64;
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(*this); }
    bool chance(double p) { return std::bernoulli_distribution(p)(*this); }
    template <class T, std::size_t N> const T& pick(const T (&items)[N]) { return items[below(int(N))]; }
};

inline std::uint64_t envNumber(const char* name, std::uint64_t fallback)
{
    return qEnvironmentVariableIsSet(name) ? qgetenv(name).toULongLong() : fallback;
}

// name -> content; folders and links are noted, never read (a link may lead to /dev/full).
using Snapshot = QHash<QString, QByteArray>;
inline Snapshot snapshot(const QString& folder, bool withoutScript = false)
{
    Snapshot files;
    for (const QFileInfo& i : QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        QFile f(i.absoluteFilePath());
        files[i.fileName()] = i.isSymLink() ? "-> " + QFile::encodeName(i.symLinkTarget()) : i.isDir() ? QByteArray("<dir>")
            : f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    files.remove(withoutScript ? "modosu.bat" : "");
    return files;
}

inline std::string difference(const Snapshot& got, const Snapshot& want)
{
    std::string out;
    for (const QString& k : QSet<QString>(got.keyBegin(), got.keyEnd()) + QSet<QString>(want.keyBegin(), want.keyEnd()))
        if (got.value(k, "<none>") != want.value(k, "<none>") && out.size() < 2000)
            out += "\n  \"" + k.toStdString() + "\": " + got.value(k, "<none>").toStdString() + ", wanted "
                + want.value(k, "<none>").toStdString();
    return out;
}

// The boxes a mode reads, filled from two texts.
inline renamer::Boxes boxes(renamer::Mode mode, const QString& a, const QString& b = {})
{
    using renamer::Mode;
    renamer::Boxes x;
    switch (mode) {
    case Mode::Replace: x.text4 = a, x.text5 = b; break;
    case Mode::Insert: x.text2 = a, x.text3 = b; break;
    case Mode::DeleteAt: x.text7 = a, x.text9 = b; break;
    case Mode::NumberFront: case Mode::NumberBehind: x.text8 = a; break;
    case Mode::DeleteBefore: x.text11 = a; break;
    default: x.text6 = a; break;
    }
    return x;
}

// Checks a folder after a run against the one before (without a script):
// no content changed or doubled, and every file away from its name
// traceable through the undo lines, which are returned. moved counts those files.
inline QStringList checkRun(const Snapshot& before, const Snapshot& after, const std::string& what, int& moved)
{
    const auto text = platform::decodeCp932(after.value("modosu.bat", "\xFF"));
    EXPECT_TRUE(text) << "no readable script\n" << what;
    QStringList lines = text.value_or(QString()).split(QStringLiteral("\r\n"));
    if (lines.back().isEmpty())
        lines.removeLast();
    QMultiHash<QString, QString> moves;
    for (const QString& line : lines)
        for (const auto& [from, to] : batch::renReadings(line))
            moves.insert(from, to);
    QHash<QByteArray, QString> oldNameOf;
    for (auto it = before.begin(); it != before.end(); ++it)
        oldNameOf[it.value()] = it.key();
    EXPECT_EQ(after.size(), before.size() + 1) << difference(after, before) << "\n" << what;
    QSet<QByteArray> seen;
    moved = 0;
    for (auto it = after.begin(); it != after.end(); ++it) {
        const QString old = oldNameOf.value(it.value());
        if (it.key() == u"modosu.bat")
            continue;
        EXPECT_TRUE(!old.isEmpty() && !seen.contains(it.value())) << "changed or doubled: " << it.key().toStdString() << "\n" << what;
        seen << it.value();
        if (old.isEmpty() || old == it.key())
            continue;
        ++moved;   // a file may move more than once when the work list names it again
        QSet<QString> reached{it.key()};
        for (QStringList todo{it.key()}; !todo.isEmpty() && !reached.contains(old);)
            for (const QString& next : moves.values(todo.takeLast()))
                if (!reached.contains(next))
                    reached << next, todo << next;
        EXPECT_TRUE(reached.contains(old)) << old.toStdString() << " became " << it.key().toStdString() << " without its undo line\n" << what;
    }
    return lines;
}

} // namespace hardening
