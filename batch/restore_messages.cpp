// What a restore tells the user.
#include "batch/undo_script.h"

#include <QStringList>

namespace batch {

QString busyFolderMessage()
{
    return QStringLiteral("このフォルダでは別の quillmere が名前を変更中です。終わってからもう一度押して下さい。");
}

QString refusalWords(platform::RenameStatus status)
{
    using platform::RenameStatus;
    switch (status) {
    case RenameStatus::NotPermitted:
        return QStringLiteral("書き込みの権限がありません");
    case RenameStatus::ReadOnly:
        return QStringLiteral("読み取り専用のドライブです");
    case RenameStatus::NameRefused:
        return QStringLiteral("このドライブでは使えない名前です");
    default:
        return QStringLiteral("システムのエラーです");
    }
}

bool restoreWentWrong(const RestoreReport& report)
{
    // No script at all is news, not a fault.
    return (report.status != RestoreReport::Status::Ran && report.status != RestoreReport::Status::Missing)
        || report.failures() > 0 || report.cutShort;
}

QString restoreMessage(const RestoreReport& r)
{
    using Status = RestoreReport::Status;
    switch (r.status) {
    case Status::Missing:
        return QStringLiteral("元に戻すためのファイル modosu.bat がありません。");
    case Status::Unreadable:
        return QStringLiteral("modosu.bat を読み込めませんでした（普通のファイルでないか、読み取りのエラーです）。");
    case Status::TooLarge:
        return QStringLiteral("modosu.bat が大きすぎるため、実行しませんでした。");
    case Status::Foreign:
        return QStringLiteral("この modosu.bat は quillmere が書いたものではないため、何も実行しませんでした（%1 行目）。")
            .arg(r.foreignLine);
    case Status::Damaged:
        return QStringLiteral("modosu.bat が壊れているため、何も実行しませんでした。");
    case Status::Busy:
        return busyFolderMessage();
    case Status::Ran:
        break;
    }
    QStringList lines;
    if (r.restored > 0)
        lines << QStringLiteral("%1 件の名前を元に戻しました。").arg(r.restored);
    else if (r.alreadyBack > 0 && r.failures() == 0)
        lines << QStringLiteral("名前はすでに元に戻っています。");
    else if (r.failures() == 0 && !r.cutShort)
        lines << QStringLiteral("元に戻す名前はありませんでした。");
    if (r.alreadyBack > 0 && (r.restored > 0 || r.failures() > 0))
        lines << QStringLiteral("%1 件はすでに元の名前でした。").arg(r.alreadyBack);
    if (r.taken > 0)
        lines << QStringLiteral("%1 件は元の名前のファイルがほかにあるため、戻せませんでした。").arg(r.taken);
    if (r.missing > 0)
        lines << QStringLiteral("%1 件はファイルが見つからないため、戻せませんでした。").arg(r.missing);
    if (r.ambiguous > 0)
        lines << QStringLiteral("%1 件は行の読み方が一つに決まらないため、実行しませんでした。").arg(r.ambiguous);
    if (r.refused > 0)
        lines << QStringLiteral("%1 件は名前の変更を拒まれました（%2）。").arg(r.refused).arg(r.refusedWhy);
    if (r.cutShort)
        lines << QStringLiteral("途中で切れた最後の行は実行しませんでした。");
    return lines.join(u'\n');
}

} // namespace batch
