#include "setup/core/date_entry.h"
#include "setup/core/install.h"
#include "setup/core/program_name.h"
#include "setup/core/uninstall.h"
#include <gtest/gtest.h>
#include <functional>

using namespace setup;

// What the installer says, whole, for each result it can be given.
TEST(SetupMessages, EveryResultInWholeWords)
{
    const std::pair<std::function<QString()>, const char*> rows[] = {
        {[] { return InstallResult{}.message(); }, ""},
        {[] { return InstallResult{InstallStatus::ImageMissing, "q.$_$"}.message(); }, "セットアップできませんでした。\nq.$_$ が見つかりません。"},
        {[] { return InstallResult{InstallStatus::NotRepresentable}.message(); }, "セットアップできませんでした。\n名前か日付に使えない文字があります。"},
        {[] { return InstallResult{InstallStatus::NoSystemFolder, "/h/%1"}.message(); }, "セットアップできませんでした。\nフォルダ /h/%1 を作れません。"},
        {[] { return InstallResult{InstallStatus::WriteFailed, "cpy.bat"}.message(); }, "セットアップできませんでした。\ncpy.bat に書き込めません。"},
        {[] { return InstallResult{InstallStatus::CopyFailed, "q.exe"}.message(); }, "セットアップできませんでした。\nq.exe を作れませんでした。"},
        {[] { return UninstallResult{}.message(); }, ""},
        {[] { return UninstallResult{{"q.exe", "readme.txt"}}.message(); }, "次のファイルを削除できませんでした。\nq.exe\nreadme.txt"},
        {[] { return Unwritable{{Box::Name, 0}, "〜"}.message(); }, "名前の「〜」（U+301C）は記録できない文字です。別の文字にして下さい。"},
        {[] { return Unwritable{{Box::Day, 2}, "𠀋"}.message(); }, "日付の「𠀋」（U+2000B）は記録できない文字です。別の文字にして下さい。"},
        {[] { return Unwritable{{Box::Year, 0}, "é"}.message(); }, "日付の「é」（U+00E9）は記録できない文字です。別の文字にして下さい。"},
        {[] { return setProgramName("quillmere"), programNameLine(); }, "quillmere の"},
        {[] { return dateLabelText("2026/12/06"); }, "2026年12月06日"},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(text().toStdString(), expected);
}
