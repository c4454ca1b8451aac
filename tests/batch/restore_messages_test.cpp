#include "batch/restore_messages.h"
#include <gtest/gtest.h>

namespace {

// What the window and the undo program say after a restore, whole; the
// program names the script it was given.
TEST(RestoreMessages, EveryReportInWholeWords)
{
    using S = batch::RestoreReport::Status;
    using R = platform::RenameStatus;
    struct Row { batch::RestoreReport report; R refusal; const char *script, *text; };
    const Row rows[] = {
        {{.status = S::Missing}, R::Failed, "modosu.bat", "元に戻すためのファイル modosu.bat がありません。"},
        {{.status = S::Missing}, R::Failed, "sub/%1.bat", "元に戻すためのファイル sub/%1.bat がありません。"},
        {{.status = S::Unreadable}, R::Failed, "modosu.bat", "modosu.bat を読み込めませんでした（普通のファイルでないか、読み取りのエラーです）。"},
        {{.status = S::TooLarge}, R::Failed, "u.bat", "u.bat が大きすぎるため、実行しませんでした。"},
        {{.status = S::Foreign, .foreignLine = 7}, R::Failed, "%2.bat",
         "この %2.bat は quillmere が書いたものではないため、何も実行しませんでした（7 行目）。"},
        {{.status = S::Damaged}, R::Failed, "modosu.bat", "modosu.bat が壊れているため、何も実行しませんでした。"},
        {{.status = S::Busy}, R::Failed, "u.bat", "このフォルダでは別の quillmere が名前を変更中です。終わってからもう一度押して下さい。"},
        {{.restored = 3}, R::Failed, "modosu.bat", "3 件の名前を元に戻しました。"},
        {{.alreadyBack = 2}, R::Failed, "modosu.bat", "名前はすでに元に戻っています。"},
        {{.unchanged = 2}, R::Failed, "modosu.bat", "元に戻す名前はありませんでした。"},
        {{.cutShort = true}, R::Failed, "modosu.bat", "途中で切れた最後の行は実行しませんでした。"},
        {{.restored = 1, .alreadyBack = 2, .taken = 3, .missing = 4, .ambiguous = 5, .refused = 6, .cutShort = true}, R::NotPermitted,
         "modosu.bat",
         "1 件の名前を元に戻しました。\n2 件はすでに元の名前でした。\n3 件は元の名前のファイルがほかにあるため、戻せませんでした。\n"
         "4 件はファイルが見つからないため、戻せませんでした。\n5 件は行の読み方が一つに決まらないため、実行しませんでした。\n"
         "6 件は名前の変更を拒まれました（書き込みの権限がありません）。\n途中で切れた最後の行は実行しませんでした。"},
        {{.alreadyBack = 1, .refused = 1}, R::ReadOnly, "modosu.bat",
         "1 件はすでに元の名前でした。\n1 件は名前の変更を拒まれました（読み取り専用のドライブです）。"},
        {{.refused = 2}, R::NameRefused, "modosu.bat", "2 件は名前の変更を拒まれました（このドライブでは使えない名前です）。"},
        {{.refused = 1}, R::BothNames, "modosu.bat", "1 件は名前の変更を拒まれました（システムのエラーです）。"},
    };
    for (const Row& row : rows) {
        batch::RestoreReport report = row.report;
        report.refusedWhy = row.refusal;
        EXPECT_EQ(batch::restoreMessage(report, QString::fromUtf8(row.script)).toStdString(), row.text);
    }
}

} // namespace
