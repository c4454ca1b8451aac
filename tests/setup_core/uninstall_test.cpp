#include "setup/core/uninstall.h"

#include "memorial/record.h"
#include "temp_env.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace setup;

TEST(Uninstall, DeletesWhatIsThereAndReportsWhatStays)
{
    struct Case {
        QStringList files;        // in the working directory before
        QStringList folders;      // non-empty folders in the place of a file
        QStringList remaining;    // in the working directory after, sorted
        QStringList notDeleted;
    };
    const Case cases[] = {
        {{}, {}, {}, {}},
        {{"quillmere.exe", "quillmere.zip", "readme.txt", "quillmere.$_$", "setup"}, {},
         {"quillmere.$_$", "setup"}, {}},
        {{"quillmere.exe", "quillmere.zip"}, {"readme.txt"}, {"readme.txt"}, {"readme.txt"}},
        {{"readme.txt"}, {"quillmere.exe"}, {"quillmere.exe"}, {"quillmere.exe"}},
    };
    for (const Case& c : cases) {
        testsupport::TempWorkDir dir;
        for (const QString& name : c.files)
            dir.write(name, "content");
        for (const QString& name : c.folders) {
            QDir().mkpath(dir.file(name));
            dir.write(name + "/inside", "content");
        }
        QDir().mkpath(dir.systemFolder());
        QFile(memorial::dataFilePath()).open(QIODevice::WriteOnly);

        const UninstallResult result = uninstall(QStringLiteral("quillmere"));
        const std::string label = c.files.join(',').toStdString();
        EXPECT_EQ(result.notDeleted, c.notDeleted) << label;
        EXPECT_EQ(dir.names(), c.remaining) << label;
        EXPECT_FALSE(QFile::exists(memorial::dataFilePath())) << label;
        EXPECT_EQ(result.message().isEmpty(), c.notDeleted.isEmpty()) << label;
        for (const QString& name : c.notDeleted)
            EXPECT_TRUE(result.message().contains(name)) << label;
    }
}
