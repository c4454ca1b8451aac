#include "renamer/ui/preview_text.h"

#include <QStringList>

namespace quillmere {

QString previewText(const renamer::Preview& preview)
{
    QStringList lines;
    for (const auto& [from, to] : preview.first)
        lines << from + QStringLiteral(" → ") + to;
    QStringList counts;
    if (const int rest = preview.changed - int(preview.first.size()); rest > 0)
        counts << QStringLiteral("ほか %1 件を変更").arg(rest);
    if (preview.excluded > 0)
        counts << QStringLiteral("%1 件はそのまま（exe, bat, com, dll）").arg(preview.excluded);
    if (preview.unusable > 0)
        counts << QStringLiteral("%1 件は変更できない名前").arg(preview.unusable);
    if (lines.isEmpty() && counts.isEmpty())
        counts << QStringLiteral("変わるファイル名はありません");
    if (!counts.isEmpty())
        lines << counts.join(u'／');
    return lines.join(u'\n');
}

} // namespace quillmere
