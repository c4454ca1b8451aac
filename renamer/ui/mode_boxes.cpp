#include "renamer/ui/mode_boxes.h"

#include "common/numbers.h"
#include "renamer/core/code_points.h"

#include <limits>
#include <optional>
#include <string>

namespace quillmere {
namespace {

using Read = std::variant<renamer::ModeParams, BoxRefusal>;

struct PositionRefusals {
    BoxRefusal notNumber, tooSmall, tooLarge;
};
constexpr PositionRefusals kInsertAt{BoxRefusal::InsertAtNotNumber, BoxRefusal::InsertAtTooSmall,
                                     BoxRefusal::InsertAtTooLarge};
constexpr PositionRefusals kDeleteAt{BoxRefusal::DeleteAtNotNumber, BoxRefusal::DeleteAtTooSmall,
                                     BoxRefusal::DeleteAtTooLarge};

using Position = std::optional<int>;

// A position box read strictly: N = 0 leaves every name alone, otherwise the
// 0-based index round(N - 1). N - 1 rounds half to even, so 0.5 is the
// smallest usable N.
std::variant<Position, BoxRefusal> readPosition(const QString& text, const PositionRefusals& refusals)
{
    const std::optional<double> n = common::readStrict(text);
    if (!n)
        return refusals.notNumber;
    if (*n == 0)
        return Position();
    const double k = common::roundHalfEven(*n - 1);
    if (k < 0)
        return refusals.tooSmall;
    const std::optional<int> index = common::toInt32(k);
    if (!index)
        return refusals.tooLarge;
    return index;
}

// The start of a numbering run, read leniently: 0 and no number give 1.
renamer::NumberStart readNumberStart(const QString& text)
{
    renamer::NumberStart start;
    const auto number = common::readLenientDecimal(text);
    if (!number)
        return start;
    if (number->isWhole()) {
        const std::size_t first = number->whole.find_first_not_of('0');
        if (first != std::string::npos)
            start = {true, number->negative, number->whole.substr(first), 0};
        return start;
    }
    const double value = common::readLenient(text);
    if (value != 0)
        start = {false, false, {}, value};
    return start;
}

} // namespace

Read readBoxes(Mode mode, const BoxTexts& boxes)
{
    switch (mode) {
    case Mode::RemoveTag:
        return renamer::RemoveTag{};
    case Mode::Prefix:
        return renamer::Prefix{boxes.text6};
    case Mode::Replace:
        return renamer::Replace{boxes.text4, boxes.text5};
    case Mode::Insert: {
        const auto at = readPosition(boxes.text2, kInsertAt);
        if (const auto* refusal = std::get_if<BoxRefusal>(&at))
            return *refusal;
        return renamer::Insert{std::get<Position>(at), boxes.text3};
    }
    case Mode::DeleteAt: {
        const auto at = readPosition(boxes.text7, kDeleteAt);
        if (const auto* refusal = std::get_if<BoxRefusal>(&at))
            return *refusal;
        // Past 32 bits the number of characters kept is not well defined.
        const double n = common::readLenient(boxes.text9);
        if (n > double(std::numeric_limits<int>::max()))
            return BoxRefusal::DeleteCountTooLarge;
        if (n < double(std::numeric_limits<int>::min()))
            return BoxRefusal::DeleteCountTooSmall;
        return renamer::DeleteAt{std::get<Position>(at), n};
    }
    case Mode::NumberFront:
    case Mode::NumberBehind:
        return renamer::Number{readNumberStart(boxes.text8), renamer::cp::length(boxes.text8),
                               mode == Mode::NumberBehind};
    case Mode::DeleteBefore:
        return renamer::DeleteBefore{boxes.text11, boxes.check1};
    }
    return renamer::RemoveTag{};
}

} // namespace quillmere
