#include "common/numbers.h"

#include <gtest/gtest.h>

namespace {

struct StrictCase { const char* text; std::optional<double> value; };

TEST(Numbers, StrictReaderTakesOnlyAWholeNumber)
{
    const StrictCase cases[] = {
        {" 3 ", 3}, {"\t2.5", 2.5}, {"-3", -3}, {"0.0", 0}, {".5", 0.5}, {"7.", 7},
        {"", std::nullopt}, {"8abc", std::nullopt}, {"3 4", std::nullopt}, {"1e3", std::nullopt},
        {".", std::nullopt}, {"３", 3}, {"　－１２．５　", -12.5}, {"＋７", 7}, {"３　４", std::nullopt}, {"３ａ", std::nullopt},
        {"－", std::nullopt}, {"．", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(common::readStrict(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(Numbers, LenientReaderTakesTheLeadingNumber)
{
    const std::pair<const char*, double> cases[] = {
        {"8abc", 8}, {"", 0}, {"abc", 0}, {" 1 2 ", 12}, {"1.5", 1.5}, {"- 5", -5},
        {"007", 7}, {"1.2.3", 1.2}, {"１", 1}, {".", 0}, {"12e3", 12}, {"２ａ", 2}, {"－　１　２", -12}, {"１．５．", 1.5},
        {"＋．５", 0.5},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(common::readLenient(QString::fromUtf8(text)), value) << text;
}

// The digits as typed, for exact counting; "" for no number.
TEST(Numbers, LenientDecimalKeepsEveryDigit)
{
    const std::pair<const char*, const char*> cases[] = {
        {"１２３４５６７８９０１２３４５６７x", "+12345678901234567."}, {"- 0 7.50", "-07.50"}, {".5", "+.5"}, {"abc", ""}, {"-", ""},
    };
    for (const auto& [text, digits] : cases) {
        const auto d = common::readLenientDecimal(QString::fromUtf8(text));
        EXPECT_EQ(d ? (d->negative ? "-" : "+") + d->whole + "." + d->fraction : "", digits) << text;
    }
}

} // namespace
