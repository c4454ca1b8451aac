// What a restore tells the user.
#include "batch/restore_messages.h"

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

QString restoreMessage(const RestoreReport& r, const QString& scriptName)
{
    using Status = RestoreReport::Status;
    // One pass over the placeholders: a '%' in the script's name stays as it is.
    switch (r.status) {
    case Status::Missing:
        return QStringLiteral("元に戻すためのファイル %1 がありません。").arg(scriptName);
    case Status::Unreadable:
        return QStringLiteral("%1 を読み込めませんでした（普通のファイルでないか、読み取りのエラーです）。").arg(scriptName);
    case Status::TooLarge:
        return QStringLiteral("%1 が大きすぎるため、実行しませんでした。").arg(scriptName);
    case Status::Foreign:
        return QStringLiteral("この %1 は quillmere が書いたものではないため、何も実行しませんでした（%2 行目）。")
            .arg(scriptName, QString::number(r.foreignLine));
    case Status::Damaged:
        return QStringLiteral("%1 が壊れているため、何も実行しませんでした。").arg(scriptName);
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
        lines << QStringLiteral("%1 件は名前の変更を拒まれました（%2）。").arg(r.refused).arg(refusalWords(r.refusedWhy));
    if (r.cutShort)
        lines << QStringLiteral("途中で切れた最後の行は実行しませんでした。");
    return lines.join(u'\n');
}

} // namespace batch
