#include "memorial/record.h"
#include "setup/core/install.h"
#include "setup/core/uninstall.h"
#include "temp_env.h"
#include <QDir>
#include <gtest/gtest.h>

using namespace setup;
using testsupport::TempWorkDir;
namespace {
const QString kName = "quillmere", kImageName = "quillmere.$_$", kExe = "quillmere.exe";
const QByteArray kImage("\x7f" "ELF\x00\x01\x02\r\n\x1a tail", 15);
QStringList systemNames(const TempWorkDir& dir) { return QDir(dir.systemFolder()).entryList(QDir::Files); }
DateRow row(const QString& text) { return {text.section(u'/', 0, 0), text.section(u'/', 1, 1), text.section(u'/', 2, 2)}; }
std::array<DateRow, 3> rows(const QString& t) { return {row(t.section(u'|', 0, 0)), row(t.section(u'|', 1, 1)), row(t.section(u'|', 2, 2))}; }
} // namespace
TEST(DatePageCheck, FocusGoesToTheFirstRejectedBoxAndPaddingKeepsTypedZeros)
{
    const struct { QString name, rows; std::string expected; } cases[] = {
        {"", "1970/13/5", "name 1"}, {" ", "", "none"}, {"x", "1970/12.5/5", "month 1"}, {"x", "/3/5|1999/0/1", "month 2"},
        {"x", "1970/ 1 2/5", "none"}, {"x", "1970/3月/5", "none"}, {"x", QString(400, u'9') + "/1/1", "none"},  // leading number
        {"x", "1970/2/31", "none"}, {"x", "1970/2/32", "day 1"}, {"x", "6/12/31", "year 1"}, {"x", "7/12/31", "none"},
        {"x", "/3/5", "year 1"}, {"x", "/12/40", "none"},   // an empty year passes on a sum of 50 or more
        {"x", "１９７０/１２/３１", "none"}, {"x", "１９７０/１３/１", "month 1"},
    };
    for (const auto& c : cases) {
        const auto ref = firstRejectedBox(DateEntry{c.name, rows(c.rows)});
        const char* const boxes[] = {"name", "year", "month", "day"};
        EXPECT_EQ(ref ? std::string(boxes[int(ref->box)]).append(" ").append(std::to_string(ref->row + 1)) : "none",
                  c.expected) << c.rows.toStdString();
    }
    for (const auto& [text, year, part] : {std::array<QString, 3>{"", "0000", "00"}, {"19700", "9700", "00"}, {"年𠀋", "00年𠀋", "年𠀋"}, {"１２", "0012", "12"}})
        EXPECT_TRUE(padYear(text) == year && padMonthOrDay(text) == part) << text.toStdString();   // 𠀋 counts once
    const DateEntry typed{"x", rows("000/0/000")};   // going back empties only zeros that padding made
    EXPECT_EQ(withZerosEmptied(typed), typed);
}

TEST(Install, FailuresAreReportedAndKeepTheImage)
{
    const struct { QByteArray image; QString name; bool blockProgram; InstallStatus status; QString file; QStringList systemAfter; } cases[] = {
        {{}, "たろう", false, InstallStatus::ImageMissing, kImageName, {}},
        {kImage, "〜", false, InstallStatus::NotRepresentable, {}, {}},   // code page 932 maps it to another character
        {kImage, "たろう", true, InstallStatus::CopyFailed, kExe, {"quillmere.ini"}},   // and no scratch file
    };
    for (const auto& c : cases) {
        TempWorkDir dir;
        dir.write("readme.txt", "keep");
        if (!c.image.isEmpty()) dir.write(kImageName, c.image);
        if (c.blockProgram) QDir().mkpath(dir.file(kExe + "/inside"));
        const InstallResult result = install(kName, DateEntry{c.name, rows("1970/03/05|0000/00/00|0000/00/00")});
        EXPECT_TRUE(result.status == c.status && result.file == c.file) << int(c.status) << result.file.toStdString();
        EXPECT_TRUE(dir.read(kImageName) == c.image && dir.read("readme.txt") == "keep") << int(c.status);
        EXPECT_EQ(systemNames(dir), c.systemAfter) << int(c.status);
    }
}

TEST(Uninstall, DeletesWhatIsThereAndReportsWhatStays)
{
    TempWorkDir dir;
    for (const QString& name : {kExe, kImageName, QString("setup")}) dir.write(name, "content");   // no zip: nothing to report
    QDir().mkpath(dir.file("readme.txt/inside"));   // a non-empty folder cannot be deleted
    QDir().mkpath(dir.systemFolder());
    QFile(memorial::dataFilePath()).open(QIODevice::WriteOnly);
    const UninstallResult result = uninstall(kName);
    EXPECT_EQ(result.notDeleted, QStringList{"readme.txt"});
    EXPECT_EQ(dir.names(), (QStringList{kImageName, "readme.txt", "setup"}));
    EXPECT_FALSE(QFile::exists(memorial::dataFilePath()));
}
