#include "random_folder.h"

#include <QFile>

namespace hardening {
namespace {

const char* const kPieces[] = {
    "a", "b", "Aa", "abc", "ABC", "x", "memo", "IMG_", "2008", "01", "9",
    "写真", "メモ", "あ", "漢字", "ファイル", "ｆｕｌｌ", "\xEF\xBD\x9E",   // U+FF5E, which the code page holds
    " ", "  ", "    ", "     ",
    "[", "]", "[1]", "[tag]", "].", ".", "..", "-", "_", "(1)", ":", "\xCE\xA3", "\xCF\x82",   // Σ ς
    "ａ", "．", "＿",
};

// Characters the undo script cannot hold, and case folding corners; drawn
// now and then.
const char* const kRarePieces[] = {
    "\xE3\x80\x9C",           // U+301C, comes back from code page 932 as U+FF5E
    "\xC3\xA9",               // é
    "\xF0\x9F\x98\x80",       // an emoji, outside the basic plane
    "\xC3\x9F", "\xC4\xB0",   // ß İ
    "\n",
};

const char* const kExtensions[] = {
    "", "", "", ".txt", ".txt", ".TXT", ".jpg", ".eee", ".tar.gz",
    ".exe", ".EXE", ".bat", ".com", ".dll",
};

const char* const kTexts[] = {
    "", "", "A", "a", "X", "-", ".", " ", "    ", "写真", "ａ", "txt", "TXT", "01_", "[", "]", "].",
    "x    y", ":", "\xC3\xA9", "\xE3\x80\x9C", "\xF0\x9F\x98\x80", "/", "\n", "\xC3\x9F",
};

struct NumberText {
    const char* text;
    bool usable;
};

// Position boxes read strictly: 0 skips everything; round(N - 1) must lie in
// 0 .. 2^31 - 1.
const NumberText kPositions[] = {
    {"1", true}, {"2", true}, {"3", true}, {" 3 ", true}, {"2.5", true}, {"1.5", true}, {"5", true},
    {"20", true}, {"0", true}, {"0.0", true}, {"+2", true}, {"2147483648", true},
    {"", false}, {"abc", false}, {"8abc", false}, {"-1", false}, {"0.4", false}, {"-3", false},
    {"2147483649", false}, {"99999999999", false}, {"1e3", false}, {"\xEF\xBC\x91", false},
};

// Read leniently: never refused.
const char* const kCounts[] = {"8", "1", "1", "2", "3", "0", "-1", "", "abc", "8abc", "1.5", "99999999999", "-2"};
const char* const kStarts[] = {"1", "1", "007", "0", "", "abc", "-5", "100", "1.5", "99999999999999999999", "  3"};

QString u8(const char* text) { return QString::fromUtf8(text); }

// A stretch of one of the names, so that searches find something.
QString cutFrom(const QStringList& names, Random& random)
{
    if (names.isEmpty())
        return {};
    const QString& name = names[random.below(int(names.size()))];
    if (name.isEmpty())
        return {};
    const int from = random.below(int(name.size()));
    QString cut = name.mid(from, 1 + random.below(4));
    // Never leave half of a surrogate pair.
    if (!cut.isEmpty() && cut.back().isHighSurrogate())
        cut.chop(1);
    if (!cut.isEmpty() && cut.front().isLowSurrogate())
        cut.remove(0, 1);
    return random.chance(0.3) ? caseVariant(cut, random) : cut;
}

QString searchText(const QStringList& names, Random& random)
{
    return random.chance(0.6) ? cutFrom(names, random) : u8(random.pick(kTexts));
}

} // namespace

QString randomName(Random& random)
{
    for (;;) {
        QString name;
        const int pieces = 1 + random.below(4);
        for (int i = 0; i < pieces; ++i)
            name += u8(random.chance(0.04) ? random.pick(kRarePieces) : random.pick(kPieces));
        if (random.chance(0.05))
            name = u8(random.pick(kPieces)) + name;
        name += u8(random.pick(kExtensions));
        if (random.chance(0.2))
            name = caseVariant(name, random);
        if (usableFileName(name))
            return name;
    }
}

QString caseVariant(const QString& name, Random& random)
{
    QString out = name;
    for (QChar& c : out) {
        if (c.isLetter() && random.chance(0.5))
            c = c.isUpper() ? c.toLower() : c.toUpper();
    }
    return out;
}

bool usableFileName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(QChar(0))
        && QFile::encodeName(name).size() <= 255 && name != u"modosu.bat";
}

renamer::Mode randomMode(Random& random)
{
    const renamer::Mode modes[] = {
        renamer::Mode::RemoveTag, renamer::Mode::Prefix,      renamer::Mode::Replace,
        renamer::Mode::Insert,    renamer::Mode::DeleteAt,    renamer::Mode::NumberFront,
        renamer::Mode::NumberBehind, renamer::Mode::DeleteBefore,
    };
    return random.pick(modes);
}

renamer::Boxes randomBoxes(renamer::Mode mode, const QStringList& names, Random& random, bool& refusable)
{
    using renamer::Mode;
    renamer::Boxes boxes;
    refusable = false;
    switch (mode) {
    case Mode::RemoveTag:
        break;
    case Mode::Prefix:
        boxes.text6 = u8(random.pick(kTexts));
        break;
    case Mode::Replace:
        boxes.text4 = searchText(names, random);
        boxes.text5 = u8(random.pick(kTexts));
        break;
    case Mode::Insert: {
        const NumberText& n = random.pick(kPositions);
        boxes.text2 = u8(n.text);
        boxes.text3 = u8(random.pick(kTexts));
        refusable = !n.usable;
        break;
    }
    case Mode::DeleteAt: {
        const NumberText& n = random.pick(kPositions);
        boxes.text7 = u8(n.text);
        boxes.text9 = u8(random.pick(kCounts));
        refusable = !n.usable;
        break;
    }
    case Mode::NumberFront:
    case Mode::NumberBehind:
        boxes.text8 = u8(random.pick(kStarts));
        break;
    case Mode::DeleteBefore:
        boxes.text11 = searchText(names, random);
        boxes.check1 = random.chance(0.5);
        break;
    }
    return boxes;
}

} // namespace hardening
