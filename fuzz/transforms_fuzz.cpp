// Any mode, name and boxes: only the position boxes refuse a run; a number field in front is W + 1 wide.
#include "renamer/core/code_points.h"
#include "renamer/core/transforms.h"
#include <fuzzer/FuzzedDataProvider.h>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <variant>

static void require(bool ok) { if (!ok) std::abort(); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const auto mode = static_cast<renamer::Mode>(in.ConsumeIntegralInRange<int>(0, 7));
    const int count = in.ConsumeIntegralInRange<int>(0, 20001), counter = in.ConsumeIntegralInRange<int>(0, count);
    renamer::Boxes b{.check1 = in.ConsumeBool()};
    QString name;
    for (QString* box : {&b.text2, &b.text3, &b.text4, &b.text5, &b.text6, &b.text7, &b.text8, &b.text9, &b.text11, &name})
        *box = QString::fromStdString(in.ConsumeRandomLengthString(box == &name ? 400 : 24));
    const auto prepared = renamer::prepareRun(mode, b, count);
    if (const auto* message = std::get_if<QString>(&prepared)) {
        require((mode == renamer::Mode::Insert || mode == renamer::Mode::DeleteAt) && !message->isEmpty());
        return 0;
    }
    const renamer::TransformResult r = std::get<renamer::PreparedRun>(prepared).transform(name, counter);
    require(r.kind != renamer::TransformResult::Kind::TooShort || mode == renamer::Mode::DeleteAt);
    if (r.kind != renamer::TransformResult::Kind::NewName || mode != renamer::Mode::NumberFront)
        return 0;
    // Digits and dots, W + 1 wide; past seven characters the field may be shorter.
    const qsizetype dash = r.name.size() - name.size() - 1;
    const qsizetype want = 1 + std::max(renamer::cp::length(b.text8), qsizetype(QString::number(count).size()));
    require(dash >= std::min<qsizetype>(want, 7) && dash <= want && r.name[dash] == u'-' && r.name.endsWith(name)
            && std::all_of(r.name.begin(), r.name.begin() + dash, [](QChar c) { return c.isDigit() || c == u'.'; }));
    return 0;
}
