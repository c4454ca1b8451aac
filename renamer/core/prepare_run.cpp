#include "renamer/core/transforms.h"

#include <algorithm>
#include <limits>

namespace renamer {
namespace {

Transform skipEverything()
{
    return [](const QString&, int) { return TransformResult::skip(); };
}

int decimalDigits(int count)
{
    return int(QString::number(std::max(count, 0)).size());
}

// Each mode's transform, with its parameters bound once for the whole run.
struct Prepare {
    int workListCount;

    PreparedRun operator()(const RemoveTag&) const
    {
        return {[](const QString& name, int) { return removeTag(name); }, false};
    }

    PreparedRun operator()(const Prefix& p) const
    {
        return {[a = p.text](const QString& name, int) { return addPrefix(name, a); }, true};
    }

    PreparedRun operator()(const Replace& p) const
    {
        return {[b = p.find, c = p.with](const QString& name, int) { return replaceFirst(name, b, c); }, false};
    }

    PreparedRun operator()(const Insert& p) const
    {
        if (!p.at)
            return {skipEverything(), false};
        return {[k = *p.at, d = p.text](const QString& name, int) { return insertAt(name, k, d); }, false};
    }

    PreparedRun operator()(const DeleteAt& p) const
    {
        if (!p.at)
            return {skipEverything(), true};
        return {[a = *p.at, n = p.count](const QString& name, int) { return deleteAt(name, a, n); }, true};
    }

    PreparedRun operator()(const Number& p) const
    {
        const int width = int(std::min<qsizetype>(std::max<qsizetype>(p.startLength, decimalDigits(workListCount)),
                                                  std::numeric_limits<int>::max() - 1));
        if (p.behindBase)
            return {[start = p.start, width](const QString& name, int counter) {
                        return numberBehind(name, numberField(start, counter, width));
                    },
                    true};
        return {[start = p.start, width](const QString& name, int counter) {
                    return numberFront(name, numberField(start, counter, width));
                },
                true};
    }

    PreparedRun operator()(const DeleteBefore& p) const
    {
        return {[t = p.text, also = p.alsoText](const QString& name, int) { return deleteBefore(name, t, also); },
                false};
    }
};

} // namespace

PreparedRun prepareRun(const ModeParams& params, int workListCount)
{
    return std::visit(Prepare{workListCount}, params);
}

} // namespace renamer
