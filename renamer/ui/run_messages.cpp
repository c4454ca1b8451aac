// What a run tells the user.
#include "renamer/ui/run_messages.h"

#include "batch/restore_messages.h"

#include <QStringList>

#include <utility>

namespace quillmere {

QString runMessage(const renamer::RunReport& report)
{
    using renamer::RunReport;
    QStringList lines;
    switch (report.stop) {
    case RunReport::Stop::Busy:
        return batch::busyFolderMessage();
    case RunReport::Stop::ScriptNotCreated:
        return QStringLiteral("modosu.bat を作成できないため、何も変更しませんでした。");
    case RunReport::Stop::ScriptWriteFailed:
        lines << QStringLiteral("modosu.bat に書き込めなくなったため、途中で止めました。");
        break;
    case RunReport::Stop::ScriptReplaced:
        lines << QStringLiteral("別の quillmere が modosu.bat を置き換えたため、途中で止めて、%1 件の名前を元に戻しました。")
                     .arg(report.rolledBack);
        if (report.notRolledBack > 0)
            lines << QStringLiteral("%1 件は元に戻せませんでした。").arg(report.notRolledBack);
        break;
    case RunReport::Stop::None:
        break;
    }
    if (report.notFound > 0)
        lines << QStringLiteral("%1 件は作業フォルダにファイルが見つかりませんでした（名前の変更は、起動したフォルダで行います）。")
                     .arg(report.notFound);
    if (report.taken > 0)
        lines << QStringLiteral("%1 件は新しい名前のファイルがすでにあるため、変更できませんでした。").arg(report.taken);
    const QString why = batch::refusalWords(report.refusedWhy);
    if (report.refused > 0 && report.renamed == 0 && report.taken == 0)
        lines << QStringLiteral("このフォルダでは名前を変更できません（%1）。").arg(why);
    else if (report.refused > 0)
        lines << QStringLiteral("%1 件は名前の変更を拒まれました（%2）。").arg(report.refused).arg(why);
    const std::pair<RunReport::Unusable, QString> unusableWhy[] = {
        {RunReport::Empty, QStringLiteral("%1 件は新しい名前が空になるため、変更しませんでした。")},
        {RunReport::Dots, QStringLiteral("%1 件は新しい名前が「.」か「..」になるため、変更しませんでした。")},
        {RunReport::Slash, QStringLiteral("%1 件は新しい名前に「/」が入るため、変更しませんでした。")},
        {RunReport::TooLong, QStringLiteral("%1 件は新しい名前が長すぎる（255 バイトを超える）ため、変更しませんでした。")},
    };
    for (const auto& [kind, text] : unusableWhy)
        if (report.unusable[kind] > 0)
            lines << text.arg(report.unusable[kind]);
    if (report.unrepresentable > 0)
        lines << QStringLiteral("%1 件は modosu.bat に書けない文字を含むため、変更しませんでした。")
                     .arg(report.unrepresentable);
    if (report.ambiguous > 0)
        lines << QStringLiteral("%1 件は modosu.bat で正しく元に戻せない名前のため、変更しませんでした。")
                     .arg(report.ambiguous);
    if (report.tooShort > 0)
        lines << QStringLiteral("%1 件はファイル名が短いため、変更しませんでした。").arg(report.tooShort);
    return lines.join(u'\n');
}

} // namespace quillmere
