#include "setup/core/uninstall.h"

#include "memorial/record.h"
#include "temp_env.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace setup;
using testsupport::TempWorkDir;

namespace {

void writeDataFile(const TempWorkDir& dir)
{
    QDir().mkpath(dir.systemFolder());
    QFile f(dir.systemFolder() + "/quillmere.ini");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x\r\n");
}

} // namespace

TEST(Uninstall, DeletesWhatIsThereAndReportsWhatStays)
{
    struct Case {
        const char* label;
        QStringList present;      // files in the working directory before
        bool dataFile;
        QStringList folders;      // non-empty folders standing in for files
        QStringList remaining;    // names left in the working directory
        QStringList notDeleted;   // as reported
    };
    const QString exe = "quillmere.exe", zip = "quillmere.zip", readme = "readme.txt";
    const QString image = "quillmere.$_$", setupProgram = "setup", other = "photo.jpg";
    const Case cases[] = {
        {"nothing installed", {}, false, {}, {}, {}},
        {"full installation", {exe, zip, readme, image, setupProgram, other}, true, {},
         {image, setupProgram, other}, {}},
        {"a file that cannot be deleted", {exe, zip}, true, {readme}, {readme}, {readme}},
        {"program file cannot be deleted, data file missing", {readme}, false, {exe}, {exe}, {exe}},
    };
    for (const Case& c : cases) {
        TempWorkDir dir;
        for (const QString& name : c.present)
            dir.write(name, "content");
        for (const QString& name : c.folders) {
            QDir().mkpath(dir.file(name));
            dir.write(name + "/inside", "content");
        }
        if (c.dataFile)
            writeDataFile(dir);

        const UninstallResult result = uninstall(QStringLiteral("quillmere"));
        EXPECT_EQ(result.notDeleted, c.notDeleted) << c.label;
        EXPECT_EQ(result.ok(), c.notDeleted.isEmpty()) << c.label;
        QStringList remaining = c.remaining;
        remaining.sort();
        EXPECT_EQ(dir.names(), remaining) << c.label;
        EXPECT_FALSE(QFile::exists(memorial::dataFilePath())) << c.label;
        if (c.notDeleted.isEmpty()) {
            EXPECT_TRUE(result.message().isEmpty()) << c.label;
        } else {
            for (const QString& name : c.notDeleted)
                EXPECT_TRUE(result.message().contains(name)) << c.label;
        }
    }
}

TEST(Uninstall, ReportsADataFileThatStays)
{
    TempWorkDir dir;
    QDir().mkpath(dir.systemFolder() + "/quillmere.ini/inside");
    const UninstallResult result = uninstall(QStringLiteral("quillmere"));
    EXPECT_EQ(result.notDeleted, QStringList{memorial::dataFilePath()});
}
