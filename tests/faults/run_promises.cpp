#include "run_promises.h"

#include "batch/undo_line.h"
#include "platform/cp932.h"
#include "platform/io_trace.h"
#include "renamer/core/transforms.h"
#include "renamer/ui/run_messages.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <atomic>

namespace faults {

const QString kScript = QStringLiteral("modosu.bat");

renamer::TransformResult prefix(const QString& name, int)
{
    return renamer::addPrefix(name, QStringLiteral("X_"));
}

RunSeen watchedRun(const QStringList& workList, const renamer::RunOptions& options)
{
    RunSeen seen;
    std::atomic<long long> synced{0};
    platform::setIoRecorder([&](platform::IoEvent event, const QString& name, long long value) {
        if (event == platform::IoEvent::Sync)
            synced = value;
        else if (event == platform::IoEvent::Rename)
            seen.renames.emplace_back(name, synced.load());
    });
    seen.report = renamer::runRename(workList, prefix, options);
    platform::setIoRecorder({});
    return seen;
}

QByteArray readScript()
{
    QFile f(kScript);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void expectPromisesKept(const Folder& before, const RunSeen& seen, const std::string& what, int allRenamed, bool crashed)
{
    Folder after = folder();
    const QByteArray script = readScript();
    after.erase(kScript);
    if (crashed) {
        for (const QString& temp : tempsBeside(after, kScript))
            after.erase(temp), QFile::remove(temp);   // a crash between naming and placing
    }
    EXPECT_TRUE(tempsBeside(after, kScript).isEmpty()) << what;
    const auto all = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
    EXPECT_TRUE(QDir("..").entryList(all) == QStringList({"data", "work"}) && QDir("../data").entryList(all).isEmpty())
        << "written outside the working folder: " << what;
    EXPECT_TRUE(files(after) == files(before)) << "a file lost or replaced: " << what;
    EXPECT_FALSE(script.contains('\0')) << "zero bytes in the script: " << what;
    std::map<QString, qsizetype> lineEnds;   // new name -> where its line ends in the script
    QByteArrayList foreign;
    for (qsizetype start = 0, end; (end = script.indexOf("\r\n", start)) >= 0; start = end + 2) {
        const auto line = platform::decodeCp932(script.mid(start, end - start));
        const auto readings = batch::renReadings(line.value_or(QString()));
        if (readings.size() == 1 && prefix(readings[0].second, 0).name == readings[0].first
            && before.count(readings[0].second))
            lineEnds[readings[0].first] = end + 2;
        else
            foreign << script.mid(start, end - start);
    }
    // A second name only where the old one could not be removed after the
    // link, and with its line, so that the restore takes it away again.
    qsizetype doubled = 0;
    for (const auto& [name, entry] : after)
        doubled += entry.links > 1 && lineEnds.count(name);
    EXPECT_EQ(after.size() - doubled, before.size()) << "a file under two names: " << what;
    EXPECT_TRUE(foreign.isEmpty()) << foreign.size() << " lines not of this run, " << foreign.value(0).toStdString()
                                   << " first: " << what;
    QStringList unlined, unsynced;
    int renamed = 0;
    for (const auto& [name, entry] : after) {
        if (before.count(name) && before.at(name).inode == entry.inode)
            continue;
        ++renamed;
        if (!lineEnds.count(name))
            unlined << name;
    }
    for (const auto& [name, safe] : seen.renames)
        if (!lineEnds.count(name) || lineEnds[name] > safe)
            unsynced << name;
    EXPECT_TRUE(unlined.isEmpty()) << unlined.size() << " renamed without a line, " << unlined.value(0).toStdString()
                                   << " first: " << what;
    EXPECT_TRUE(unsynced.isEmpty()) << unsynced.size() << " renamed before their lines were synced, "
                                    << unsynced.value(0).toStdString() << " first: " << what;
    if (!crashed && renamed < allRenamed) {
        EXPECT_TRUE(renamer::runWentWrong(seen.report) && !quillmere::runMessage(seen.report).isEmpty())
            << renamed << " of " << allRenamed << " renamed, and success reported: " << what;
    }
}

QString firstDifference(const Folder& before, const Folder& now)
{
    for (const auto& [name, entry] : before)
        if (!now.count(name) || !(now.at(name) == entry))
            return name + (now.count(name) ? " changed" : " missing");
    return now.size() == before.size() ? QString() : QStringLiteral("a name more");
}

} // namespace faults
