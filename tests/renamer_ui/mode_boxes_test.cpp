#include "renamer/ui/input_messages.h"
#include "renamer/ui/mode_boxes.h"
#include <gtest/gtest.h>
#include <limits>

namespace {

using enum quillmere::Mode;
namespace r = renamer;

r::NumberStart whole(const char* digits, bool negative = false) { return {true, negative, digits, 0}; }

// What each mode reads from which box, how, and each refusal word for word (which box is checked first).
TEST(ModeBoxes, ReadForTheMode)
{
    struct Row { quillmere::Mode mode; quillmere::BoxTexts boxes; r::ModeParams params; const char* refusal = nullptr; };
    const quillmere::BoxTexts all{"2", "3", "4", "5", "6", "7", "8", "9", "11", true};
    const int max = std::numeric_limits<int>::max();
    const Row rows[] = {
        {RemoveTag, all, r::RemoveTag{}}, {Prefix, all, r::Prefix{"6"}}, {Replace, all, r::Replace{"4", "5"}}, {Insert, all, r::Insert{1, "3"}},
        {DeleteAt, all, r::DeleteAt{6, 9}}, {NumberFront, all, r::Number{whole("8"), 1, false}},
        {NumberBehind, all, r::Number{whole("8"), 1, true}}, {DeleteBefore, all, r::DeleteBefore{"11", true}},
        // N - 1 rounds half to even; 0 leaves every name alone; blanks and full-width forms count.
        {Insert, {.text2 = "2.5"}, r::Insert{2, ""}}, {Insert, {.text2 = "1.5"}, r::Insert{0, ""}}, {Insert, {.text2 = "０．５"}, r::Insert{0, ""}},
        {Insert, {.text2 = "　３　"}, r::Insert{2, ""}}, {Insert, {.text2 = " 0 "}, r::Insert{{}, ""}}, {Insert, {.text2 = "2147483648"}, r::Insert{max, ""}},
        {Insert, {.text2 = "8abc"}, {}, "N（挿入位置）には数を入れて下さい。"}, {Insert, {}, {}, "N（挿入位置）には数を入れて下さい。"},
        {Insert, {.text2 = "0.4"}, {}, "N（挿入位置）には 0.5 以上の数を入れて下さい（0 のときは何も変えません）。"},
        {Insert, {.text2 = "2147483649"}, {}, "N（挿入位置）の数が大きすぎます。"},
        // n is read leniently: the number the text begins with, else 0.
        {DeleteAt, {.text7 = "１", .text9 = "２"}, r::DeleteAt{0, 2}}, {DeleteAt, {.text7 = "3", .text9 = "8abc"}, r::DeleteAt{2, 8}},
        {DeleteAt, {.text7 = "3"}, r::DeleteAt{2, 0}}, {DeleteAt, {.text7 = "0", .text9 = "1.5"}, r::DeleteAt{{}, 1.5}},
        {DeleteAt, {.text7 = "1", .text9 = "-2147483648"}, r::DeleteAt{0, -2147483648.0}},
        {DeleteAt, {.text9 = "1"}, {}, "N（削除する位置）には数を入れて下さい。"},
        {DeleteAt, {.text7 = "-3", .text9 = "2147483648"}, {}, "N（削除する位置）には 0.5 以上の数を入れて下さい（0 のときは何も変えません）。"},
        {DeleteAt, {.text7 = "99999999999", .text9 = "1"}, {}, "N（削除する位置）の数が大きすぎます。"},
        {DeleteAt, {.text7 = "0", .text9 = "2147483648"}, {}, "ｎ（削除する文字数）の数が大きすぎます。"},
        {DeleteAt, {.text7 = "1", .text9 = "-2147483649"}, {}, "ｎ（削除する文字数）の数が小さすぎます。"},
        // The start: 0 and no number give 1, blanks are ignored but counted, a whole start keeps its digits.
        {NumberFront, {}, r::Number{{}, 0}}, {NumberFront, {.text8 = "abc"}, r::Number{{}, 3}}, {NumberFront, {.text8 = "-0"}, r::Number{{}, 2}},
        {NumberFront, {.text8 = "0.00"}, r::Number{{}, 4}}, {NumberFront, {.text8 = "007"}, r::Number{whole("7"), 3}},
        {NumberFront, {.text8 = " 1 2"}, r::Number{whole("12"), 4}}, {NumberFront, {.text8 = "－５"}, r::Number{whole("5", true), 2}},
        {NumberFront, {.text8 = "1.50"}, r::Number{{false, false, {}, 1.5}, 4}},
        {NumberFront, {.text8 = "099999999999999999999"}, r::Number{whole("99999999999999999999"), 21}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(&row - rows);
        const auto read = quillmere::readBoxes(row.mode, row.boxes);
        if (const auto* refusal = std::get_if<quillmere::BoxRefusal>(&read))
            EXPECT_EQ(quillmere::refusalMessage(*refusal).toStdString(), row.refusal ? row.refusal : "<accepted>");
        else
            EXPECT_TRUE(!row.refusal && std::get<r::ModeParams>(read) == row.params);
    }
}

} // namespace
