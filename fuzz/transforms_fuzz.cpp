// Every mode on a fuzzed name with fuzzed boxes: only the position boxes can
// refuse a run, and each new name keeps what the mode promises (the old
// characters around an insertion, a prefix and a suffix of the old name
// after a deletion, a number field of W + 1 characters).
#include "renamer/core/code_points.h"
#include "renamer/core/transforms.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QSet>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <variant>

namespace {

using renamer::Mode;

void require(bool ok)
{
    if (!ok)
        std::abort();
}

QString take(FuzzedDataProvider& in, size_t max)
{
    const std::string s = in.ConsumeRandomLengthString(max);
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// old == head + tail for a prefix head and a suffix tail of name.
bool prefixThenSuffix(const QString& name, const QString& out)
{
    for (qsizetype i = 0; i <= out.size() && i <= name.size(); ++i) {
        if (i > 0 && out[i - 1] != name[i - 1])
            break;
        if (name.endsWith(QStringView(out).mid(i)))
            return true;
    }
    return false;
}

bool insertedOnce(const QString& name, const QString& d, const QString& out)
{
    if (out.size() != name.size() + d.size())
        return false;
    for (qsizetype p = 0; p <= name.size(); ++p)
        if (QStringView(out).left(p) == QStringView(name).left(p) && QStringView(out).mid(p, d.size()) == d
            && QStringView(out).mid(p + d.size()) == QStringView(name).mid(p))
            return true;
    return false;
}

bool isField(QStringView field, qsizetype width)
{
    const qsizetype want = width + 1;
    if (field.size() > want || (want <= 7 && field.size() != want) || (want > 7 && field.size() < 7))
        return false;
    return std::all_of(field.begin(), field.end(), [](QChar c) { return c.isDigit() || c == u'.'; });
}

qsizetype widthOf(const QString& startText, int count)
{
    return std::max(renamer::cp::length(startText), qsizetype(QString::number(count).size()));
}

} // namespace

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
        require(mode == Mode::Insert || mode == Mode::DeleteAt);
        require(!message->isEmpty());
        return 0;
    }
    const renamer::TransformResult r = std::get<renamer::PreparedRun>(prepared).transform(name, counter);
    if (r.kind == renamer::TransformResult::Kind::TooShort) {
        require(mode == Mode::DeleteAt);
        return 0;
    }
    if (r.kind == renamer::TransformResult::Kind::Skip) {
        require(mode == Mode::RemoveTag || mode == Mode::Replace || mode == Mode::Insert || mode == Mode::DeleteAt
                || mode == Mode::DeleteBefore);
        if (mode == Mode::RemoveTag)
            require(!name.contains(u'[') || !name.contains(QStringLiteral("].")));
        return 0;
    }
    const QString& out = r.name;
    // Never half a character, and nothing the old name and the boxes did not hold.
    require(out.isValidUtf16());
    QSet<QChar> allowed(name.begin(), name.end());
    for (const QString* box : {&b.text3, &b.text5, &b.text6})
        allowed.unite(QSet<QChar>(box->begin(), box->end()));
    for (const QChar c : QStringLiteral("0123456789.-"))
        allowed.insert(c);
    for (const QChar c : out)
        require(allowed.contains(c));

    switch (mode) {
    case Mode::RemoveTag: {
        const qsizetype open = name.indexOf(u'[');
        require(out.size() < name.size() && out.left(open) == name.left(open) && name.endsWith(out.mid(open)));
        require(out.mid(open).isEmpty() || out[open] == u'.');
        break;
    }
    case Mode::Prefix:
        require(out == b.text6 + name);
        break;
    case Mode::Replace:
        require(renamer::cp::length(out)
                == renamer::cp::length(name) - renamer::cp::length(b.text4) + renamer::cp::length(b.text5));
        require(out.contains(b.text5));
        break;
    case Mode::Insert:
        require(insertedOnce(name, b.text3, out));
        break;
    case Mode::DeleteAt:
        // Positions N to N + n - 1 gone; a negative n repeats the name behind its head.
        require(prefixThenSuffix(name, out)
                || (out.endsWith(name) && name.startsWith(QStringView(out).left(out.size() - name.size()))));
        break;
    case Mode::NumberFront: {
        const qsizetype dash = out.size() - name.size() - 1;
        require(dash >= 1 && out[dash] == u'-' && out.endsWith(name));
        require(isField(QStringView(out).left(dash), widthOf(b.text8, count)));
        break;
    }
    case Mode::NumberBehind: {
        const qsizetype dot = name.indexOf(u'.');
        const qsizetype cut = dot < 0 ? name.size() : dot;
        require(out.startsWith(QStringView(name).left(cut)) && out.endsWith(QStringView(name).mid(cut)));
        const QStringView middle = QStringView(out).mid(cut, out.size() - name.size());
        require(middle.size() >= 2 && middle[0] == u'-' && isField(middle.mid(1), widthOf(b.text8, count)));
        break;
    }
    case Mode::DeleteBefore:
        require(name.endsWith(out));
        if (!b.check1)
            require(renamer::cp::findCaseBlind(out, b.text11) == 0);
        break;
    }
    return 0;
}
