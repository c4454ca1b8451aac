#include "renamer/core/rename_run.h"
#include "renamer/ui/preview_text.h"
#include "temp_env.h"
#include <gtest/gtest.h>

namespace {

using namespace renamer;
QString q(const char* utf8) { return QString::fromUtf8(utf8); }

struct Row {
    const char* what;
    ModeParams params;
    QStringList names;
    const char* text;
};

} // namespace

// Each row's preview, then the real run over the same names in a folder:
// the preview must have told what the run does.
TEST(Preview, TellsWhatTheRunWouldDo)
{
    const QString longName = QString(250, u'a') + q(".txt");
    const Row rows[] = {
        {"more than five, every kind excluded", Prefix{"P_"},
         {"1", "2", "3", "a.exe", "4", "b.bat", "5", "c.com", "6", "d.dll", "7", "A.EXE"},
         "1 → P_1\n2 → P_2\n3 → P_3\n4 → P_4\n5 → P_5\nほか 3 件を変更／4 件はそのまま（exe, bat, com, dll）"},
        {"new name empty", DeleteBefore{"-", true}, {q("a-"), q("b-c")},
         "b-c → c\n1 件は変更できない名前"},
        {"too long after the prefix", Prefix{"PPPPPP"}, {longName}, "1 件は変更できない名前"},
        {"numbering skips the excluded", Number{{}, 1}, {q("x.exe"), q("a"), q("b")},
         "a → 01-a\nb → 02-b\n1 件はそのまま（exe, bat, com, dll）"},
        {"not in code page 932", Prefix{"P_"}, {q("한.txt"), q("b.txt")}, "b.txt → P_b.txt\n1 件は変更できない名前"},
        {"listed twice", Prefix{"P_"}, {q("a"), q("b"), q("a")}, "a → P_a\nb → P_b"},
        {"nothing to change", RemoveTag{}, {q("a.txt")}, "変わるファイル名はありません"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Preview preview = previewRun(row.params, row.names);
        EXPECT_EQ(quillmere::previewText(preview).toStdString(), row.text);
        testsupport::TempWorkDir dir;
        for (const QString& name : row.names)
            dir.write(name);
        const RunReport report = runRename(row.names, prepareRun(row.params, int(row.names.size())).transform, {});
        EXPECT_EQ(std::pair(report.renamed, report.failed() + report.unrepresentable + report.unusableNames()), std::pair(preview.changed, preview.unusable));
        for (const auto& [from, to] : preview.first)
            EXPECT_TRUE(dir.exists(to) && !dir.exists(from)) << to.toStdString();
    }
}
