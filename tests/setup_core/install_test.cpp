#include "setup/core/install.h"
#include "setup/core/uninstall.h"

#include "memorial/record.h"
#include "temp_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace setup;
using testsupport::TempWorkDir;

namespace {
const QString kName = QStringLiteral("quillmere"), kImageName = QStringLiteral("quillmere.$_$");
const QByteArray kImage("\x7f" "ELF\x00\x01\x02\r\n\x1a tail", 15);
const std::array<DateRow, 3> kRows{DateRow{"1970", "03", "05"}, DateRow{"0000", "00", "00"}, DateRow{"0000", "00", "00"}};
QStringList systemNames(const TempWorkDir& dir) { return QDir(dir.systemFolder()).entryList(QDir::Files); }
QByteArray readAt(const QString& path) { QFile f(path); return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(); }
} // namespace

TEST(Install, WritesEveryFileAndTheProgram)
{
    for (const auto exe : {QFile::ExeOwner, QFile::ReadOwner}) {   // the program keeps the image's mode
        TempWorkDir dir;
        dir.write(kImageName, kImage);
        QFile::setPermissions(dir.file(kImageName), QFile::ReadOwner | QFile::WriteOwner | exe);
        dir.write(QStringLiteral("quillmere.exe"), "an older program");   // replaced
        const InstallResult result = install(kName, DateEntry{QStringLiteral("たろう"), kRows});
        ASSERT_TRUE(result.ok() && result.message().isEmpty()) << result.message().toStdString();
        const QString sys = dir.systemFolder() + u'/';
        EXPECT_EQ(readAt(sys + "qmnull.dam"), QByteArray("\r\n"));
        EXPECT_EQ(readAt(sys + "cpy.bat"), QByteArray("copy /B quillmere.$_$+c:\\windows\\qmnull.dam   quillmere.exe /B\r\n"));
        EXPECT_EQ(readAt(sys + "cpy.bat").size(), 64);
        EXPECT_EQ(readAt(sys + "quillmere.ini"), QByteArray("\x82\xbd\x82\xeb\x82\xa4\r\n1970/03/05\r\n0000/00/00\r\n0000/00/00\r\n"));
        EXPECT_EQ(dir.read(QStringLiteral("quillmere.exe")), kImage + "\r\n");
        EXPECT_EQ(QFileInfo(dir.file(QStringLiteral("quillmere.exe"))).isExecutable(), exe == QFile::ExeOwner);
        EXPECT_TRUE(dir.exists(kImageName));
        closeInstallation(kName);
        EXPECT_EQ(systemNames(dir), QStringList{QStringLiteral("quillmere.ini")});
        EXPECT_EQ(dir.names(), QStringList{QStringLiteral("quillmere.exe")});
    }
}

TEST(Install, FailuresAreReportedAndKeepTheImage)
{
    const struct { bool image; QString name; bool blockProgram; InstallStatus status; QStringList systemAfter; } cases[] = {
        {false, "たろう", false, InstallStatus::ImageMissing, {}},
        {true, "〜", false, InstallStatus::NotRepresentable, {}},   // code page 932 maps it to another character
        {true, "たろう", true, InstallStatus::CopyFailed, {"quillmere.ini"}},   // and no scratch file
    };
    for (const auto& c : cases) {
        TempWorkDir dir;
        dir.write(QStringLiteral("readme.txt"), "keep");
        if (c.image)
            dir.write(kImageName, kImage);
        if (c.blockProgram)
            QDir().mkpath(dir.file(QStringLiteral("quillmere.exe/inside")));
        const InstallResult result = install(kName, DateEntry{c.name, kRows});
        EXPECT_EQ(int(result.status), int(c.status));
        EXPECT_TRUE(result.message().startsWith(QStringLiteral("セットアップできませんでした。")) &&
                    result.message().contains(result.file)) << result.message().toStdString();
        EXPECT_EQ(dir.read(kImageName), c.image ? kImage : QByteArray()) << int(c.status);
        EXPECT_EQ(dir.read(QStringLiteral("readme.txt")), QByteArray("keep")) << int(c.status);
        EXPECT_EQ(systemNames(dir), c.systemAfter) << int(c.status);
    }
}

TEST(Uninstall, DeletesWhatIsThereAndReportsWhatStays)
{
    const struct { QStringList files, folders, remaining; } cases[] = {   // a non-empty folder cannot be deleted
        {{}, {}, {}},
        {{"quillmere.exe", "quillmere.zip", "readme.txt", "quillmere.$_$", "setup"}, {}, {"quillmere.$_$", "setup"}},
        {{"quillmere.exe", "quillmere.zip"}, {"readme.txt"}, {"readme.txt"}},
    };
    for (const auto& c : cases) {
        TempWorkDir dir;
        for (const QString& name : c.files)
            dir.write(name, "content");
        for (const QString& name : c.folders)
            QDir().mkpath(dir.file(name + "/inside"));
        QDir().mkpath(dir.systemFolder());
        QFile(memorial::dataFilePath()).open(QIODevice::WriteOnly);
        const UninstallResult result = uninstall(kName);
        EXPECT_EQ(result.notDeleted, c.folders);
        EXPECT_EQ(dir.names(), c.remaining);
        EXPECT_FALSE(QFile::exists(memorial::dataFilePath()));
        EXPECT_TRUE(c.folders.isEmpty() ? result.message().isEmpty() : result.message().contains(c.folders[0]));
    }
}
