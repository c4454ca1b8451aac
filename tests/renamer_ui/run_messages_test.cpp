#include "renamer/ui/run_messages.h"
#include <gtest/gtest.h>

namespace {

// What the window says after a run, whole, for each way a run ends.
TEST(RunMessages, EveryReportInWholeWords)
{
    using Stop = renamer::RunReport::Stop;
    using R = platform::RenameStatus;
    struct Row { renamer::RunReport report; R refusal; const char* text; };
    const Row rows[] = {
        {{}, R::Failed, ""},
        {{.renamed = 2, .alreadyMoved = 1}, R::Failed, ""},
        {{.stop = Stop::Busy}, R::Failed, "このフォルダでは別の quillmere が名前を変更中です。終わってからもう一度押して下さい。"},
        {{.stop = Stop::ScriptNotCreated, .notFound = 1}, R::Failed, "modosu.bat を作成できないため、何も変更しませんでした。"},
        {{.stop = Stop::ScriptWriteFailed, .taken = 2}, R::Failed,
         "modosu.bat に書き込めなくなったため、途中で止めました。\n2 件は新しい名前のファイルがすでにあるため、変更できませんでした。"},
        {{.stop = Stop::ScriptReplaced, .rolledBack = 3}, R::Failed,
         "別の quillmere が modosu.bat を置き換えたため、途中で止めて、3 件の名前を元に戻しました。"},
        {{.stop = Stop::ScriptReplaced, .rolledBack = 0, .notRolledBack = 1}, R::Failed,
         "別の quillmere が modosu.bat を置き換えたため、途中で止めて、0 件の名前を元に戻しました。\n1 件は元に戻せませんでした。"},
        {{.refused = 2}, R::ReadOnly, "このフォルダでは名前を変更できません（読み取り専用のドライブです）。"},
        {{.renamed = 1, .refused = 1}, R::NotPermitted, "1 件は名前の変更を拒まれました（書き込みの権限がありません）。"},
        {{.taken = 1, .refused = 1}, R::BothNames,
         "1 件は新しい名前のファイルがすでにあるため、変更できませんでした。\n1 件は名前の変更を拒まれました（システムのエラーです）。"},
        {{.notFound = 1, .taken = 2, .refused = 3, .unrepresentable = 8, .ambiguous = 9, .tooShort = 10, .unusable = {4, 5, 6, 7}},
         R::NameRefused,
         "1 件は作業フォルダにファイルが見つかりませんでした（名前の変更は、起動したフォルダで行います）。\n"
         "2 件は新しい名前のファイルがすでにあるため、変更できませんでした。\n"
         "3 件は名前の変更を拒まれました（このドライブでは使えない名前です）。\n"
         "4 件は新しい名前が空になるため、変更しませんでした。\n"
         "5 件は新しい名前が「.」か「..」になるため、変更しませんでした。\n"
         "6 件は新しい名前に「/」が入るため、変更しませんでした。\n"
         "7 件は新しい名前が長すぎる（255 バイトを超える）ため、変更しませんでした。\n"
         "8 件は modosu.bat に書けない文字を含むため、変更しませんでした。\n"
         "9 件は modosu.bat で正しく元に戻せない名前のため、変更しませんでした。\n"
         "10 件はファイル名が短いため、変更しませんでした。"},
    };
    for (const Row& row : rows) {
        renamer::RunReport report = row.report;
        report.refusedWhy = row.refusal;
        EXPECT_EQ(quillmere::runMessage(report).toStdString(), row.text);
    }
}

} // namespace
