#include "platform/io_trace.h"
#include "platform/listing.h"
#include "renamer/core/rename_run.h"
#include "temp_env.h"
#include <QHash>
#include <gtest/gtest.h>

// Every rename of a real run comes after a sync that covers its undo line, and the lines reach the
// disk in groups, not one sync per line.
TEST(RenameRunDurability, EveryRenameFollowsTheSyncOfItsLine)
{
    constexpr int kFiles = 3000;
    testsupport::TempWorkDir dir;
    for (int i = 0; i < kFiles; ++i)
        dir.write(QStringLiteral("写真 %1.jpg").arg(i, 4, 10, QChar(u'0')));
    struct Event { platform::IoEvent kind; QString name; long long value; };
    std::vector<Event> events;
    platform::setIoRecorder([&](platform::IoEvent kind, const QString& name, long long value) { events.push_back({kind, name, value}); });
    const auto prefix = [](const QString& name, int) { return renamer::addPrefix(name, QStringLiteral("済_")); };
    const auto report = renamer::runRename(platform::listFiles(dir.path()).value(), prefix, {});
    platform::setIoRecorder({});
    ASSERT_EQ(report.renamed, kFiles);

    QHash<QString, long long> lineEnd;   // new name -> where its line ends in the script
    const QByteArray script = dir.read("modosu.bat");
    for (qsizetype at = 0, end; (end = script.indexOf("\r\n", at)) >= 0; at = end + 2)
        lineEnd[QStringLiteral("済_写真 %1.jpg").arg(lineEnd.size(), 4, 10, QChar(u'0'))] = end + 2;
    ASSERT_EQ(lineEnd.size(), kFiles);
    long long synced = 0;
    int syncs = 0, renames = 0;
    for (const Event& e : events) {
        if (e.kind == platform::IoEvent::Sync)
            synced = std::max(synced, e.value), ++syncs;
        if (e.kind == platform::IoEvent::Rename && (++renames, lineEnd.value(e.name, LLONG_MAX) > synced))
            ADD_FAILURE() << e.name.toStdString() << " renamed before its line was synced";
    }
    EXPECT_EQ(renames, kFiles);
    EXPECT_TRUE(syncs >= kFiles / 1024 + 1 && syncs <= kFiles / 10) << syncs << " syncs";
}
