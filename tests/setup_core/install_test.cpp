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

TEST(Install, FailuresAreReportedAndKeepTheImage)
{
    struct Case {
        const char* label;
        bool image;
        QString name;
        void (*prepare)(const TempWorkDir&);
        InstallStatus status;
        QStringList systemAfter;   // the system folder afterwards: no scratch file
    };
    const Case cases[] = {
        {"image missing", false, QStringLiteral("たろう"), nullptr, InstallStatus::ImageMissing, {}},
        {"name outside code page 932", true, QStringLiteral("😀"), nullptr, InstallStatus::NotRepresentable, {}},
        {"wave dash that code page 932 turns into another character", true, QStringLiteral("〜"), nullptr,
         InstallStatus::NotRepresentable, {}},
        {"system folder cannot be made", true, QStringLiteral("たろう"),
         [](const TempWorkDir& d) {
             QFile f(d.systemFolder());
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
         },
         InstallStatus::NoSystemFolder, {}},
        {"program file cannot be made", true, QStringLiteral("たろう"),
         [](const TempWorkDir& d) {
             QDir().mkpath(d.file(QStringLiteral("quillmere.exe/inside")));
         },
         InstallStatus::CopyFailed, {"quillmere.ini"}},
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
        EXPECT_TRUE(result.message().contains(result.file)) << c.label;
        if (c.image) {
            EXPECT_EQ(dir.read(QStringLiteral("quillmere.$_$")), kImage) << c.label;
        }
        EXPECT_EQ(dir.read(QStringLiteral("readme.txt")), QByteArray("keep")) << c.label;
        if (c.status != InstallStatus::NoSystemFolder) {
            EXPECT_EQ(systemNames(dir), c.systemAfter) << c.label;
        }
    }
}
