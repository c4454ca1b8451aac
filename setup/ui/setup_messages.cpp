// What the installer tells the user.
#include "setup/ui/setup_messages.h"

#include "platform/today.h"
#include "setup/core/program_name.h"

namespace setup {

QString installMessage(const InstallResult& result)
{
    const QString head = QStringLiteral("セットアップできませんでした。\n");
    const QString& file = result.file;
    switch (result.status) {
    case InstallStatus::Ok:
        return {};
    case InstallStatus::ImageMissing:
        return head + QStringLiteral("%1 が見つかりません。").arg(file);
    case InstallStatus::NotRepresentable:
        return head + QStringLiteral("名前か日付に使えない文字があります。");
    case InstallStatus::NoSystemFolder:
        return head + QStringLiteral("フォルダ %1 を作れません。").arg(file);
    case InstallStatus::WriteFailed:
        return head + QStringLiteral("%1 に書き込めません。").arg(file);
    case InstallStatus::CopyFailed:
        return head + QStringLiteral("%1 を作れませんでした。").arg(file);
    }
    return head;
}

QString uninstallMessage(const UninstallResult& result)
{
    if (result.ok())
        return {};
    return QStringLiteral("次のファイルを削除できませんでした。\n") + result.notDeleted.join(u'\n');
}

QString unwritableMessage(const Unwritable& unwritable)
{
    const QString& character = unwritable.character;
    const QString code = QString::number(character.toUcs4().value(0), 16).toUpper().rightJustified(4, u'0');
    const QString where = unwritable.box.box == Box::Name ? QStringLiteral("名前") : QStringLiteral("日付");
    return QStringLiteral("%1の「%2」（U+%3）は記録できない文字です。別の文字にして下さい。").arg(where, character, code);
}

QString programNameLine()
{
    return programName() + QStringLiteral(" の");
}

QString dateLabelText(const QString& dateText)
{
    return dateText.mid(0, 4) + u'年' + dateText.mid(5, 2) + u'月' + dateText.mid(8, 2) + u'日';
}

QString todayLabelText()
{
    return dateLabelText(platform::todayText());
}

} // namespace setup
