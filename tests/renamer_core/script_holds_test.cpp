// The undo script holds exactly the renames that happened: none left behind
// for one that failed, and every line is one the restore reads back the same.
// (No line for a rename that cannot happen: rows of the run's own table.)
#include "batch/undo_script.h"
#include "platform/cp932.h"
#include "platform/io_trace.h"
#include "platform/rename.h"
#include "renamer/core/rename_run.h"
#include "renamer/core/transforms.h"
#include "renamer/core/undo_check.h"
#include "renamer/ui/run_messages.h"
#include "temp_env.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using renamer::TransformResult;

QString q(const char* utf8) { return QString::fromUtf8(utf8); }

// Every name with a prefix.
renamer::Transform prefix(const char* p)
{
    return [p](const QString& name, int) { return TransformResult::to(p + name); };
}

// Another program takes a new name, before the run or after the line of
// that rename reached the disk: the rename is refused, and the finished
// script holds no line for it. Restoring after the listed file went away
// never moves the file that took its name.
TEST(RenameRun, ScriptHoldsOnlyTheRenamesThatHappened)
{
    for (const bool afterItsLine : {false, true}) {
        SCOPED_TRACE(afterItsLine);
        testsupport::TempWorkDir dir;
        for (const char* name : {"a", "b", "c"})
            dir.write(name, name);
        const auto takeTheName = [] {
            QFile f("X_b");
            f.open(QIODevice::WriteOnly), f.write("other");
        };
        if (!afterItsLine)
            takeTheName();
        bool taken = !afterItsLine;
        platform::setIoRecorder([&](platform::IoEvent event, const QString&, long long) {
            if (event == platform::IoEvent::Sync && !std::exchange(taken, true))
                takeTheName();
        });
        const renamer::RunReport report = renamer::runRename({"a", "b", "c"}, prefix("X_"), {});
        platform::setIoRecorder({});
        EXPECT_EQ(std::pair(report.renamed, report.taken), std::pair(2, 1));
        EXPECT_EQ(dir.read("modosu.bat"), "ren    X_a    a\r\nren    X_c    c\r\n");
        QFile::remove("b");
        const batch::RestoreReport restore = batch::runUndoScript("modosu.bat");
        EXPECT_EQ(std::pair(restore.restored, restore.failures()), std::pair(2, 0));
        EXPECT_EQ(dir.namesButScript().join(u' '), "X_b a c");
        EXPECT_EQ(dir.read("X_b"), "other");
    }
}

// A second window through another path to the folder holds no common lock
// and puts its own script in place: this run stops and takes its renames
// back, since their lines went with its script.
TEST(RenameRun, StopsAndTakesBackWhenAnotherRunReplacesItsScript)
{
    for (const int after : {1, 300}) {   // renames before the other script comes: the first, the last
        SCOPED_TRACE(after);
        testsupport::TempWorkDir dir;
        QStringList names;
        for (int i = 0; i < 300; ++i)
            names << QStringLiteral("f%1").arg(i, 3, 10, QChar(u'0')), dir.write(names.back(), names.back().toUtf8());
        int renames = 0;
        platform::setIoRecorder([&](platform::IoEvent event, const QString&, long long) {
            if (event == platform::IoEvent::Rename && ++renames == after) {
                QFile other(".other");
                other.open(QIODevice::WriteOnly), other.write("ren    Q_x    x\r\n"), other.close();
                QFile::remove("modosu.bat"), QFile::rename(".other", "modosu.bat");
            }
        });
        const renamer::RunReport report = renamer::runRename(names, prefix("P_"), {});
        platform::setIoRecorder({});
        EXPECT_EQ(report.stop, renamer::RunReport::Stop::ScriptReplaced);
        EXPECT_TRUE(report.rolledBack >= after && report.notRolledBack == 0 && report.renamed == 0) << report.rolledBack;
        EXPECT_TRUE(quillmere::runMessage(report).contains(q("別の quillmere が modosu.bat を置き換えた")));
        EXPECT_EQ(dir.namesButScript().join(u' '), names.join(u' '));
        EXPECT_EQ(dir.read("modosu.bat"), "ren    Q_x    x\r\n");
    }
}

// Every byte value inside a name: a line the run writes is one the restore
// reads back to the same names, and a line the restore accepts names files
// the run would write a line for. (Some characters have two spellings in the
// code page; the run writes the usual one.)
TEST(UndoScript, WriterAndReaderAgreeOnEveryByte)
{
    const auto readsAs = [](const QByteArray& line, const QString& name) {
        const batch::ParsedScript parsed = batch::parseUndoScript(line + "\r\n");
        return parsed.status == batch::ParsedScript::Status::Ok && parsed.readings.size() == 1
            && parsed.readings[0] == std::vector{batch::Reading{name, "old"}};
    };
    int written = 0;
    for (int byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(byte);
        const QByteArray raw = QByteArray("a") + char(byte) + "b";
        const auto name = platform::decodeCp932(raw);
        // The run writes lines only for bare names ("a/b" is refused before).
        const auto line = name && platform::isBareFileName(*name) ? renamer::encodedUndoLine(*name, "old") : std::nullopt;
        if (line) {
            ++written;
            EXPECT_TRUE(readsAs(*line, *name));
        }
        EXPECT_EQ(name && readsAs("ren    " + raw + "    old", *name), line.has_value());
    }
    EXPECT_GT(written, 150);
}

} // namespace
