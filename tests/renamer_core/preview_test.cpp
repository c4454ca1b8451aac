#include "renamer/core/preview.h"
#include "renamer/core/rename_run.h"
#include "temp_env.h"
#include <gtest/gtest.h>

namespace {

using enum renamer::Mode;
QString q(const char* utf8) { return QString::fromUtf8(utf8); }

// The boxes with one of them filled in.
renamer::Boxes box(QString renamer::Boxes::*field, const char* text, bool check1 = false)
{
    renamer::Boxes boxes;
    boxes.*field = q(text);
    boxes.check1 = check1;
    return boxes;
}
using B = renamer::Boxes;

struct Row {
    const char* what;
    renamer::Mode mode;
    renamer::Boxes boxes;
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
        {"prefix", Prefix, box(&B::text6, "P_"), {q("写真1.jpg"), q("写真2.jpg"), q("setup.exe")},
         "写真1.jpg → P_写真1.jpg\n写真2.jpg → P_写真2.jpg\n1 件はそのまま（exe, bat, com, dll）"},
        {"more than five, every kind excluded", Prefix, box(&B::text6, "P_"),
         {"1", "2", "3", "a.exe", "4", "b.bat", "5", "c.com", "6", "d.dll", "7", "A.EXE"},
         "1 → P_1\n2 → P_2\n3 → P_3\n4 → P_4\n5 → P_5\nほか 3 件を変更／4 件はそのまま（exe, bat, com, dll）"},
        {"new name empty", DeleteBefore, box(&B::text11, "-", true), {q("a-"), q("b-c")},
         "b-c → c\n1 件は変更できない名前"},
        {"too long after the prefix", Prefix, box(&B::text6, "PPPPPP"), {longName}, "1 件は変更できない名前"},
        {"numbering skips the excluded", NumberFront, box(&B::text8, "1"), {q("x.exe"), q("a"), q("b")},
         "a → 01-a\nb → 02-b\n1 件はそのまま（exe, bat, com, dll）"},
        {"not in code page 932", Prefix, box(&B::text6, "P_"), {q("한.txt"), q("b.txt")}, "b.txt → P_b.txt\n1 件は変更できない名前"},
        {"listed twice", Prefix, box(&B::text6, "P_"), {q("a"), q("b"), q("a")}, "a → P_a\nb → P_b"},
        {"nothing to change", RemoveTag, {}, {q("a.txt")}, "変わるファイル名はありません"},
        {"parameter refused", Insert, box(&B::text2, "3x"), {q("a.txt")}, "N（挿入位置）には数を入れて下さい。"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const renamer::Preview preview = renamer::previewRun(row.mode, row.boxes, row.names);
        EXPECT_EQ(renamer::previewText(preview).toStdString(), row.text);
        auto prepared = renamer::prepareRun(row.mode, row.boxes, int(row.names.size()));
        if (!preview.refusal.isEmpty()) {
            EXPECT_EQ(std::get<QString>(prepared), preview.refusal);
            continue;
        }
        testsupport::TempWorkDir dir;
        for (const QString& name : row.names)
            dir.write(name);
        const renamer::RunReport report = renamer::runRename(row.names, std::get<renamer::PreparedRun>(prepared).transform, {});
        EXPECT_EQ(std::pair(report.renamed, report.failed() + report.unrepresentable + report.unusableNames()), std::pair(preview.changed, preview.unusable));
        for (const auto& [from, to] : preview.first)
            EXPECT_TRUE(dir.exists(to) && !dir.exists(from)) << to.toStdString();
    }
}
