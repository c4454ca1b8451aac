#include "common/numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct StrictCase { const char* text; std::optional<double> value; };

TEST(Numbers, StrictReaderTakesOnlyAWholeNumber)
{
    const StrictCase cases[] = {
        {"3", 3}, {" 3 ", 3}, {"\t2.5", 2.5}, {"-3", -3}, {"+4", 4}, {"0.0", 0},
        {".5", 0.5}, {"7.", 7},
        {"", std::nullopt}, {"   ", std::nullopt}, {"8abc", std::nullopt}, {"3 4", std::nullopt},
        {"1e3", std::nullopt}, {".", std::nullopt}, {"-", std::nullopt}, {"３", std::nullopt},
        {"0x10", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(common::readStrict(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(Numbers, LenientReaderTakesTheLeadingNumber)
{
    const std::pair<const char*, double> cases[] = {
        {"8", 8}, {"8abc", 8}, {"2abc", 2}, {"", 0}, {"abc", 0}, {" 1 2 ", 12},
        {"1.5", 1.5}, {"-5", -5}, {"- 5", -5}, {"007", 7}, {"1.2.3", 1.2}, {"１", 0},
        {".", 0}, {"+", 0}, {"12e3", 12},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(common::readLenient(QString::fromUtf8(text)), value) << text;
}

TEST(Numbers, HugeTextsDoNotOverflowTheReader)
{
    const QString digits(400, u'9');
    EXPECT_TRUE(std::isinf(common::readLenient(digits)));
    EXPECT_FALSE(common::toInt32(*common::readStrict(digits)).has_value());
}

TEST(Numbers, RoundingGoesHalfToEven)
{
    const std::pair<double, double> cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {0.4, 0}, {2.6, 3}, {7, 7},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(common::roundHalfEven(in), out) << in;
}

} // namespace
