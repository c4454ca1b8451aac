#include "setup/core/program_name.h"
#include "setup/ui/setup_messages.h"
#include <gtest/gtest.h>
#include <functional>

using namespace setup;

// What the installer says, whole, for each result it can be given.
TEST(SetupMessages, EveryResultInWholeWords)
{
    const std::pair<std::function<QString()>, const char*> rows[] = {
        {[] { return installMessage(InstallResult{}); }, ""},
        {[] { return installMessage(InstallResult{InstallStatus::ImageMissing, "q.$_$"}); }, "セットアップできませんでした。\nq.$_$ が見つかりません。"},
        {[] { return installMessage(InstallResult{InstallStatus::NotRepresentable, {}}); }, "セットアップできませんでした。\n名前か日付に使えない文字があります。"},
        {[] { return installMessage(InstallResult{InstallStatus::NoSystemFolder, "/h/%1"}); }, "セットアップできませんでした。\nフォルダ /h/%1 を作れません。"},
        {[] { return installMessage(InstallResult{InstallStatus::WriteFailed, "cpy.bat"}); }, "セットアップできませんでした。\ncpy.bat に書き込めません。"},
        {[] { return installMessage(InstallResult{InstallStatus::CopyFailed, "q.exe"}); }, "セットアップできませんでした。\nq.exe を作れませんでした。"},
        {[] { return uninstallMessage({}); }, ""},
        {[] { return uninstallMessage(UninstallResult{{"q.exe", "readme.txt"}}); }, "次のファイルを削除できませんでした。\nq.exe\nreadme.txt"},
        {[] { return unwritableMessage(Unwritable{{Box::Name, 0}, "〜"}); }, "名前の「〜」（U+301C）は記録できない文字です。別の文字にして下さい。"},
        {[] { return unwritableMessage(Unwritable{{Box::Day, 2}, "𠀋"}); }, "日付の「𠀋」（U+2000B）は記録できない文字です。別の文字にして下さい。"},
        {[] { return unwritableMessage(Unwritable{{Box::Year, 0}, "é"}); }, "日付の「é」（U+00E9）は記録できない文字です。別の文字にして下さい。"},
        {[] { return setProgramName("quillmere"), programNameLine(); }, "quillmere の"},
        {[] { return dateLabelText("2026/12/06"); }, "2026年12月06日"},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(text().toStdString(), expected);
}
