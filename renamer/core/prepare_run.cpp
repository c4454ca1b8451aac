#include "renamer/core/transforms.h"

#include "common/numbers.h"
#include "renamer/core/code_points.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace renamer {
namespace {

// What the run refuses; each text names the box as its label shows it.
struct PositionBox {
    const char16_t* notNumber;
    const char16_t* tooSmall;
    const char16_t* tooLarge;
};

// N - 1 rounds half to even, so 0.5 is the smallest usable N.
constexpr PositionBox kInsertPosition{
    u"N（挿入位置）には数を入れて下さい。",
    u"N（挿入位置）には 0.5 以上の数を入れて下さい（0 のときは何も変えません）。",
    u"N（挿入位置）の数が大きすぎます。",
};

constexpr PositionBox kDeletePosition{
    u"N（削除する位置）には数を入れて下さい。",
    u"N（削除する位置）には 0.5 以上の数を入れて下さい（0 のときは何も変えません）。",
    u"N（削除する位置）の数が大きすぎます。",
};

constexpr const char16_t* kDeleteCountTooLarge = u"ｎ（削除する文字数）の数が大きすぎます。";
constexpr const char16_t* kDeleteCountTooSmall = u"ｎ（削除する文字数）の数が小さすぎます。";

// A position box read strictly: N = 0 skips every entry, otherwise the
// 0-based index round(N - 1).
struct Position {
    bool skipAll = false;
    int index = 0;
};

std::variant<Position, QString> readPosition(const QString& text, const PositionBox& box)
{
    const std::optional<double> n = common::readStrict(text);
    if (!n)
        return QString::fromUtf16(box.notNumber);
    if (*n == 0)
        return Position{true, 0};
    const double k = common::roundHalfEven(*n - 1);
    if (k < 0)
        return QString::fromUtf16(box.tooSmall);
    const std::optional<int> index = common::toInt32(k);
    if (!index)
        return QString::fromUtf16(box.tooLarge);
    return Position{false, *index};
}

Transform skipEverything()
{
    return [](const QString&, int) { return TransformResult::skip(); };
}

int decimalDigits(int count)
{
    return int(QString::number(std::max(count, 0)).size());
}

} // namespace

std::variant<PreparedRun, QString> prepareRun(Mode mode, const Boxes& boxes, int workListCount)
{
    switch (mode) {
    case Mode::RemoveTag:
        return PreparedRun{[](const QString& name, int) { return removeTag(name); }, false};

    case Mode::Prefix:
        return PreparedRun{[a = boxes.text6](const QString& name, int) { return addPrefix(name, a); }, true};

    case Mode::Replace:
        return PreparedRun{[b = boxes.text4, c = boxes.text5](const QString& name, int) {
                               return replaceFirst(name, b, c);
                           },
                           false};

    case Mode::Insert: {
        auto position = readPosition(boxes.text2, kInsertPosition);
        if (auto* message = std::get_if<QString>(&position))
            return *message;
        const Position p = std::get<Position>(position);
        if (p.skipAll)
            return PreparedRun{skipEverything(), false};
        return PreparedRun{[k = p.index, d = boxes.text3](const QString& name, int) { return insertAt(name, k, d); },
                           false};
    }

    case Mode::DeleteAt: {
        auto position = readPosition(boxes.text7, kDeletePosition);
        if (auto* message = std::get_if<QString>(&position))
            return *message;
        // Past 32 bits the number of characters kept is not well defined.
        const double n = common::readLenient(boxes.text9);
        if (n > double(std::numeric_limits<int>::max()))
            return QString::fromUtf16(kDeleteCountTooLarge);
        if (n < double(std::numeric_limits<int>::min()))
            return QString::fromUtf16(kDeleteCountTooSmall);
        const Position p = std::get<Position>(position);
        if (p.skipAll)
            return PreparedRun{skipEverything(), true};
        return PreparedRun{[a = p.index, n](const QString& name, int) { return deleteAt(name, a, n); }, true};
    }

    case Mode::NumberFront:
    case Mode::NumberBehind: {
        const qsizetype textLength = cp::length(boxes.text8);
        const int width = int(std::min<qsizetype>(std::max<qsizetype>(textLength, decimalDigits(workListCount)),
                                                  std::numeric_limits<int>::max() - 1));
        const NumberStart start = numberStart(boxes.text8);
        if (mode == Mode::NumberFront)
            return PreparedRun{[start, width](const QString& name, int counter) {
                                   return numberFront(name, numberField(start, counter, width));
                               },
                               true};
        return PreparedRun{[start, width](const QString& name, int counter) {
                               return numberBehind(name, numberField(start, counter, width));
                           },
                           true};
    }

    case Mode::DeleteBefore:
        return PreparedRun{[t = boxes.text11, also = boxes.check1](const QString& name, int) {
                               return deleteBefore(name, t, also);
                           },
                           false};
    }
    return QString();
}

} // namespace renamer
