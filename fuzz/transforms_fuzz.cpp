// Any mode, parameters and name: only mode 5 finds a name too short; a number field in front is W + 1 wide.
#include "renamer/core/transforms.h"
#include <fuzzer/FuzzedDataProvider.h>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <variant>

static void require(bool ok) { if (!ok) std::abort(); }

// Parameters as the window passes them on: positions from 0, counts within 32 bits, starts without leading zeros.
static renamer::ModeParams params(FuzzedDataProvider& in)
{
    const auto text = [&] { return QString::fromStdString(in.ConsumeRandomLengthString(24)); };
    const auto position = [&]() -> std::optional<int> {
        if (in.ConsumeBool())
            return std::nullopt;
        return in.ConsumeIntegralInRange<int>(0, std::numeric_limits<int>::max());
    };
    switch (in.ConsumeIntegralInRange<int>(0, 6)) {
    case 0: return renamer::RemoveTag{};
    case 1: return renamer::Prefix{text()};
    case 2: return renamer::Replace{text(), text()};
    case 3: return renamer::Insert{position(), text()};
    case 4: return renamer::DeleteAt{position(), in.ConsumeFloatingPointInRange<double>(std::numeric_limits<int>::min(),
                                                                                        std::numeric_limits<int>::max())};
    case 5: {
        renamer::Number number{{}, in.ConsumeIntegralInRange<int>(0, 30), in.ConsumeBool()};
        std::string digits;
        for (const char c : in.ConsumeRandomLengthString(30))
            if (const int d = static_cast<unsigned char>(c) % 10; d != 0 || !digits.empty())
                digits += char('0' + d);
        if (in.ConsumeBool())
            number.start = {false, false, {}, in.ConsumeFloatingPoint<double>()};
        else if (!digits.empty())
            number.start = {true, in.ConsumeBool(), digits, 0};
        return number;
    }
    default: return renamer::DeleteBefore{text(), in.ConsumeBool()};
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const int count = in.ConsumeIntegralInRange<int>(0, 20001), counter = in.ConsumeIntegralInRange<int>(0, count);
    const renamer::ModeParams p = params(in);
    const QString name = QString::fromStdString(in.ConsumeRandomLengthString(400));
    const renamer::TransformResult r = renamer::prepareRun(p, count).transform(name, counter);
    require(r.kind != renamer::TransformResult::Kind::TooShort || std::holds_alternative<renamer::DeleteAt>(p));
    const auto* number = std::get_if<renamer::Number>(&p);
    if (r.kind != renamer::TransformResult::Kind::NewName || !number || number->behindBase)
        return 0;
    // Digits and dots, W + 1 wide; past seven characters the field may be shorter.
    const qsizetype dash = r.name.size() - name.size() - 1;
    const qsizetype want = 1 + std::max(number->startLength, qsizetype(QString::number(count).size()));
    require(dash >= std::min<qsizetype>(want, 7) && dash <= want && r.name[dash] == u'-' && r.name.endsWith(name)
            && std::all_of(r.name.begin(), r.name.begin() + dash, [](QChar c) { return c.isDigit() || c == u'.'; }));
    return 0;
}
