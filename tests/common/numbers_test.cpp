#include "common/numbers.h"

#include <gtest/gtest.h>

namespace {

struct StrictCase { const char* text; std::optional<double> value; };

TEST(Numbers, StrictReaderTakesOnlyAWholeNumber)
{
    const StrictCase cases[] = {
        {" 3 ", 3}, {"\t2.5", 2.5}, {"-3", -3}, {"0.0", 0}, {".5", 0.5}, {"7.", 7},
        {"", std::nullopt}, {"8abc", std::nullopt}, {"3 4", std::nullopt}, {"1e3", std::nullopt},
        {".", std::nullopt}, {"３", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(common::readStrict(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(Numbers, LenientReaderTakesTheLeadingNumber)
{
    const std::pair<const char*, double> cases[] = {
        {"8abc", 8}, {"", 0}, {"abc", 0}, {" 1 2 ", 12}, {"1.5", 1.5}, {"- 5", -5},
        {"007", 7}, {"1.2.3", 1.2}, {"１", 0}, {".", 0}, {"12e3", 12},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(common::readLenient(QString::fromUtf8(text)), value) << text;
}

TEST(Numbers, RoundingGoesHalfToEven)
{
    const std::pair<double, double> cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-1.5, -2}, {2.6, 3},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(common::roundHalfEven(in), out) << in;
}

} // namespace
