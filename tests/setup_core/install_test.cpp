#include "setup/core/install.h"

#include "memorial/record.h"
#include "temp_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace setup;
using testsupport::TempWorkDir;

namespace {

const QString kName = QStringLiteral("quillmere");
const QByteArray kImage("\x7f" "ELF\x00\x01\x02\r\n\x1a tail", 15);

DateEntry taro()
{
    return DateEntry{QStringLiteral("たろう"),
                     {DateRow{"1970", "03", "05"}, DateRow{"0000", "00", "00"}, DateRow{"0000", "00", "00"}}};
}

QByteArray readAt(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeImage(const TempWorkDir& dir, bool executable)
{
    dir.write(QStringLiteral("quillmere.$_$"), kImage);
    auto perms = QFile::ReadOwner | QFile::WriteOwner;
    if (executable)
        perms |= QFile::ExeOwner;
    QFile::setPermissions(dir.file(QStringLiteral("quillmere.$_$")), perms);
}

QStringList systemNames(const TempWorkDir& dir)
{
    return QDir(dir.systemFolder()).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

TEST(Install, WritesEveryFileAndTheProgram)
{
    for (const bool executable : {true, false}) {
        TempWorkDir dir;
        writeImage(dir, executable);
        dir.write(QStringLiteral("quillmere.exe"), "an older program");   // replaced

        const InstallResult result = install(kName, taro());
        ASSERT_TRUE(result.ok()) << result.message().toStdString();
        EXPECT_TRUE(result.message().isEmpty());

        EXPECT_EQ(readAt(dir.systemFolder() + "/qmnull.dam"), QByteArray("\r\n"));
        const QByteArray script = readAt(dir.systemFolder() + "/cpy.bat");
        EXPECT_EQ(script, QByteArray("copy /B quillmere.$_$+c:\\windows\\qmnull.dam   quillmere.exe /B\r\n"));
        EXPECT_EQ(script.size(), 64);
        EXPECT_EQ(readAt(dir.systemFolder() + "/quillmere.ini"),
                  QByteArray("\x82\xbd\x82\xeb\x82\xa4\r\n1970/03/05\r\n0000/00/00\r\n0000/00/00\r\n"));

        const QByteArray program = dir.read(QStringLiteral("quillmere.exe"));
        EXPECT_EQ(program.size(), kImage.size() + 2);
        EXPECT_EQ(program, kImage + "\r\n");
        EXPECT_EQ(QFileInfo(dir.file(QStringLiteral("quillmere.exe"))).isExecutable(), executable);
        EXPECT_TRUE(dir.exists(QStringLiteral("quillmere.$_$")));

        closeInstallation(kName);
        EXPECT_EQ(systemNames(dir), QStringList{QStringLiteral("quillmere.ini")});
        EXPECT_EQ(dir.names(), QStringList{QStringLiteral("quillmere.exe")});
    }
}

TEST(Install, ReplacesTheFilesOfAnEarlierInstallation)
{
    TempWorkDir dir;
    writeImage(dir, true);
    QDir().mkpath(dir.systemFolder());
    for (const char* name : {"cpy.bat", "qmnull.dam", "quillmere.ini"}) {
        QFile f(dir.systemFolder() + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("stale content that is longer than the new one\r\n\r\n\r\n\r\n\r\n");
    }
    ASSERT_TRUE(install(kName, taro()).ok());
    EXPECT_EQ(readAt(dir.systemFolder() + "/qmnull.dam").size(), 2);
    EXPECT_EQ(readAt(dir.systemFolder() + "/cpy.bat").size(), 64);
    EXPECT_EQ(memorial::readRecord(memorial::dataFilePath()).date1, QStringLiteral("1970/03/05"));
}

TEST(Install, FailuresAreReportedAndKeepTheImage)
{
    struct Case {
        const char* label;
        bool image;
        QString name;
        void (*prepare)(const TempWorkDir&);
        InstallStatus status;
        bool writesNothing;   // nothing at all in the system folder
    };
    const Case cases[] = {
        {"image missing", false, QStringLiteral("たろう"), nullptr, InstallStatus::ImageMissing, true},
        {"name outside code page 932", true, QStringLiteral("😀"), nullptr, InstallStatus::NotRepresentable, true},
        {"wave dash that code page 932 turns into another character", true, QStringLiteral("〜"), nullptr,
         InstallStatus::NotRepresentable, true},
        {"system folder cannot be made", true, QStringLiteral("たろう"),
         [](const TempWorkDir& d) {
             QFile f(d.systemFolder());
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
         },
         InstallStatus::NoSystemFolder, true},
        {"program file cannot be made", true, QStringLiteral("たろう"),
         [](const TempWorkDir& d) {
             QDir().mkpath(d.file(QStringLiteral("quillmere.exe/inside")));
         },
         InstallStatus::CopyFailed, false},
    };
    for (const Case& c : cases) {
        TempWorkDir dir;
        if (c.image)
            writeImage(dir, true);
        dir.write(QStringLiteral("readme.txt"), "keep");
        if (c.prepare)
            c.prepare(dir);
        DateEntry entry = taro();
        entry.name = c.name;

        const InstallResult result = install(kName, entry);
        EXPECT_EQ(int(result.status), int(c.status)) << c.label;
        EXPECT_FALSE(result.ok()) << c.label;
        EXPECT_TRUE(result.message().startsWith(QStringLiteral("セットアップできませんでした。"))) << c.label;
        if (c.image) {
            EXPECT_EQ(dir.read(QStringLiteral("quillmere.$_$")), kImage) << c.label;
        }
        EXPECT_EQ(dir.read(QStringLiteral("readme.txt")), QByteArray("keep")) << c.label;
        // No scratch file is left behind either way.
        const QStringList left = systemNames(dir);
        EXPECT_FALSE(left.contains(QStringLiteral("cpy.bat"))) << c.label;
        EXPECT_FALSE(left.contains(QStringLiteral("qmnull.dam"))) << c.label;
        if (c.writesNothing) {
            EXPECT_TRUE(left.isEmpty()) << c.label;
        }
    }
}

TEST(Install, MessagesNameTheFile)
{
    const std::pair<InstallStatus, QString> cases[] = {
        {InstallStatus::ImageMissing, "quillmere.$_$"},
        {InstallStatus::CopyFailed, "quillmere.exe"},
        {InstallStatus::WriteFailed, "/x/cpy.bat"},
        {InstallStatus::NoSystemFolder, "/x"},
    };
    for (const auto& [status, file] : cases) {
        const InstallResult result{status, file};
        EXPECT_TRUE(result.message().contains(file)) << file.toStdString();
    }
}

TEST(Install, ClosingIgnoresMissingFiles)
{
    TempWorkDir dir;
    dir.write(QStringLiteral("quillmere.exe"), "program");
    closeInstallation(kName);
    EXPECT_EQ(dir.names(), QStringList{QStringLiteral("quillmere.exe")});
}
