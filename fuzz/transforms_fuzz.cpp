// Every mode on a fuzzed name with fuzzed boxes: only the position boxes can
// refuse a run, an insertion keeps the old name around it, and a number field
// is W + 1 characters wide.
#include "renamer/core/code_points.h"
#include "renamer/core/transforms.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <variant>

using renamer::Mode;

static void require(bool ok) { if (!ok) std::abort(); }

static QString take(FuzzedDataProvider& in, size_t max)
{
    const std::string s = in.ConsumeRandomLengthString(max);
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// Digits and dots, W + 1 wide; past seven characters the field may be shorter.
static bool isField(QStringView field, const QString& startText, int count)
{
    const qsizetype want = std::max(renamer::cp::length(startText), qsizetype(QString::number(count).size())) + 1;
    return field.size() <= want && field.size() >= std::min<qsizetype>(want, 7)
           && std::all_of(field.begin(), field.end(), [](QChar c) { return c.isDigit() || c == u'.'; });
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const Mode mode = static_cast<Mode>(in.ConsumeIntegralInRange<int>(0, 7));
    const int count = in.ConsumeIntegralInRange<int>(0, 20001);
    const int counter = in.ConsumeIntegralInRange<int>(0, count);
    renamer::Boxes b;
    b.check1 = in.ConsumeBool();
    for (QString* box : {&b.text2, &b.text3, &b.text4, &b.text5, &b.text6, &b.text7, &b.text8, &b.text9, &b.text11})
        *box = take(in, 24);
    const QString name = take(in, 400);

    const auto prepared = renamer::prepareRun(mode, b, count);
    if (const auto* message = std::get_if<QString>(&prepared)) {
        require((mode == Mode::Insert || mode == Mode::DeleteAt) && !message->isEmpty());
        return 0;
    }
    const renamer::TransformResult r = std::get<renamer::PreparedRun>(prepared).transform(name, counter);
    require(r.kind != renamer::TransformResult::Kind::TooShort || mode == Mode::DeleteAt);
    if (r.kind != renamer::TransformResult::Kind::NewName)
        return 0;
    const QString& out = r.name;
    require(out.isValidUtf16());   // never half a character
    if (mode == Mode::Insert) {
        bool kept = false;
        for (qsizetype p = 0; p <= name.size() && !kept; ++p)
            kept = out == name.left(p) + b.text3 + name.mid(p);
        require(kept);
    } else if (mode == Mode::NumberFront) {
        const qsizetype dash = out.size() - name.size() - 1;
        require(dash >= 1 && out[dash] == u'-' && out.endsWith(name) && isField(QStringView(out).left(dash), b.text8, count));
    } else if (mode == Mode::NumberBehind) {
        const qsizetype cut = name.contains(u'.') ? name.indexOf(u'.') : name.size();
        require(out.startsWith(QStringView(name).left(cut)) && out.endsWith(QStringView(name).mid(cut)));
        const QStringView middle = QStringView(out).mid(cut, out.size() - name.size());
        require(middle.size() >= 2 && middle[0] == u'-' && isField(middle.mid(1), b.text8, count));
    }
    return 0;
}
