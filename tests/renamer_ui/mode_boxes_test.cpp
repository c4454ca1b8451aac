#include "renamer/core/transforms.h"
#include <gtest/gtest.h>

namespace {

using enum renamer::Mode;

// Each refusal word for word, and which box is checked first.
TEST(ModeBoxes, RefusalsNameTheBox)
{
    const std::tuple<renamer::Mode, const char*, const char*, const char*> rows[] = {
        {Insert, "8abc", "X", "N（挿入位置）には数を入れて下さい。"},
        {Insert, "0.4", "X", "N（挿入位置）には 0.5 以上の数を入れて下さい（0 のときは何も変えません）。"},
        {Insert, "2147483649", "X", "N（挿入位置）の数が大きすぎます。"},
        {DeleteAt, "", "1", "N（削除する位置）には数を入れて下さい。"},
        {DeleteAt, "-3", "2147483648", "N（削除する位置）には 0.5 以上の数を入れて下さい（0 のときは何も変えません）。"},
        {DeleteAt, "99999999999", "1", "N（削除する位置）の数が大きすぎます。"},
        {DeleteAt, "0", "2147483648", "ｎ（削除する文字数）の数が大きすぎます。"},
        {DeleteAt, "1", "-2147483649", "ｎ（削除する文字数）の数が小さすぎます。"},
    };
    for (const auto& [mode, position, second, text] : rows) {
        renamer::Boxes b;
        b.text2 = b.text7 = QString::fromUtf8(position);
        b.text3 = b.text9 = QString::fromUtf8(second);
        const auto run = renamer::prepareRun(mode, b, 1);
        EXPECT_EQ(std::get<QString>(run).toStdString(), text) << position << "|" << second;
    }
}

} // namespace
