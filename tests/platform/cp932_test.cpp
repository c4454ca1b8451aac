#include "platform/cp932.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp932, EncodesJapaneseExactly)
{
    EXPECT_EQ(platform::encodeCp932(QStringLiteral("たろう")), QByteArray("\x82\xBD\x82\xEB\x82\xA4"));
    EXPECT_EQ(platform::encodeCp932(QStringLiteral("ｱ a")), QByteArray("\xB1 a"));
}

TEST(Cp932, ControlCharactersKeepTheirWindowsBytes)
{
    const QString controls = QString(QChar(0x1A)) + QChar(0x1C) + QChar(0x7F) + QChar(0x01);
    EXPECT_EQ(platform::encodeCp932(controls), QByteArray("\x1A\x1C\x7F\x01"));
    EXPECT_EQ(platform::decodeCp932("\x1A\x1C\x7F\x01"), controls);
}

TEST(Cp932, RefusesWhatWouldNotComeBack)
{
    const char* cases[] = {
        "\u301C",       // wave dash: the code page maps it to U+FF5E
        "caf\u00e9",    // no Latin-1 letters
        "\U0001F600",   // no emoji
        "\uFFFD",       // what an undecodable file name turns into
    };
    for (const char* text : cases)
        EXPECT_FALSE(platform::encodeCp932(QString::fromUtf8(text))) << text;
    EXPECT_TRUE(platform::encodeCp932(QString::fromUtf8("\uFF5E①髙")));
}

TEST(Cp932, DecodingRefusesBrokenBytes)
{
    EXPECT_EQ(platform::decodeCp932("\x82\xBD"), QStringLiteral("た"));
    EXPECT_FALSE(platform::decodeCp932("abc\x82"));      // lone lead byte at the end
    EXPECT_EQ(platform::decodeCp932(""), QString());
}

} // namespace
