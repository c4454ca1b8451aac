#include "renamer/core/preview.h"

#include "platform/name_length.h"
#include "platform/rename.h"
#include "renamer/core/rename_run.h"
#include "renamer/core/undo_check.h"

#include <QSet>

#include <algorithm>

namespace renamer {

Preview previewRun(Mode mode, const Boxes& boxes, const QStringList& workList)
{
    Preview preview;
    auto prepared = prepareRun(mode, boxes, int(workList.size()));
    if (QString* refusal = std::get_if<QString>(&prepared)) {
        preview.refusal = std::move(*refusal);
        return preview;
    }
    const Transform& transform = std::get<PreparedRun>(prepared).transform;
    // The run counter as the transforms see it: it counts every attempt,
    // so numbering goes on past a name that cannot be changed.
    int counter = 0;
    QSet<QString> renamed;
    renamed.reserve(workList.size());
    const qsizetype count = std::min<qsizetype>(workList.size(), kNameTableSize);
    for (qsizetype i = 0; i < count; ++i) {
        const QString& name = workList[i];
        if (isExcluded(name)) {
            ++preview.excluded;
            continue;
        }
        const TransformResult result = transform(name, counter);
        if (result.kind != TransformResult::Kind::NewName)
            continue;
        if (!encodedUndoLine(result.name, name)) {
            ++preview.unusable;
            continue;
        }
        ++counter;
        // No file of that name here, nothing to change, or a name listed
        // again whose file an earlier entry has renamed already.
        if (!platform::isBareFileName(name) || result.name == name || renamed.contains(name))
            continue;
        if (!platform::isBareFileName(result.name) || !platform::nameLengthFits(result.name)) {
            ++preview.unusable;
            continue;
        }
        renamed.insert(name);
        if (++preview.changed <= kPreviewShown)
            preview.first.emplace_back(name, result.name);
    }
    return preview;
}

QString previewText(const Preview& preview)
{
    if (!preview.refusal.isEmpty())
        return preview.refusal;
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

} // namespace renamer
