// Installing (the memorial file with it) and uninstalling under every fault
// the seam can make: each file is whole or absent, the image is never lost,
// and a failure is never reported as done.
#include "fault_loop.h"
#include "temp_env.h"
#include "memorial/record.h"
#include "setup/core/install.h"
#include "setup/core/uninstall.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <iostream>

namespace {

using namespace faults;

const QString kName = QStringLiteral("quillmere");
const QByteArray kImage = QByteArray("\x7f" "ELF program image\r\n", 20).repeated(2000);

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

QStringList hiddenIn(const QString& path)
{
    return QDir(path).entryList(QStringList{QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
}

setup::DateEntry entry()
{
    return {QStringLiteral("たろう"), {setup::DateRow{"1970", "03", "05"}, {"0000", "00", "00"}, {"0000", "00", "00"}}};
}

// Runs op under every trial; check gets the trial and whether it ended the
// process. seen is called once after op ran without a fault.
template <typename Prepare, typename Op, typename Check>
int loop(Prepare prepare, Op op, Check check, const std::function<void()>& seen = [] {})
{
    testsupport::TempWorkDir dir(testsupport::memoryFolder());
    prepare();
    const auto calls = countCalls(op);
    seen();
    const std::vector<Trial> trials = trialsFor(calls, {.dense = 1000});
    for (const Trial& trial : trials) {
        testsupport::TempWorkDir fresh(testsupport::memoryFolder());
        prepare();
        const bool done = runUnder(trial, io::Fallback::None, op);
        check(trial, !done);
        if (::testing::Test::HasFailure())
            break;
    }
    io::disarm();
    return int(trials.size());
}

// The memorial file of an earlier installation is there: it stays whole
// until the new one replaces it.
TEST(FaultLoop, Install)
{
    setup::InstallResult result;
    const QByteArray program = kImage + "\r\n", old = "old record\r\n";
    QByteArray record;
    const int tried = loop(
        [&] {
            writeFile(setup::imageName(kName), kImage);
            QDir().mkpath(QFileInfo(memorial::dataFilePath()).path());
            writeFile(memorial::dataFilePath(), old);
            result = {};
        },
        [&] { result = setup::install(kName, entry()); },
        [&](const Trial& trial, bool crashed) {
            const std::string what = describe(trial);
            EXPECT_EQ(bytesOf(setup::imageName(kName)), kImage) << "the image changed: " << what;
            const QByteArray exe = bytesOf(setup::programFileName(kName));
            const QByteArray data = bytesOf(memorial::dataFilePath());
            EXPECT_TRUE(exe == program || exe == "<absent>") << "a cut program file: " << what;
            EXPECT_TRUE(data == record || data == old) << "a cut memorial file: " << what;
            if (crashed)
                return;
            if (result.ok()) {
                EXPECT_TRUE(exe == program && data == record) << "success reported: " << what;
            }
            if (trial.error == EINTR) {
                EXPECT_TRUE(result.ok()) << what;
            }
            EXPECT_TRUE(hiddenIn(".").isEmpty() && hiddenIn(QFileInfo(memorial::dataFilePath()).path()).isEmpty())
                << "a temporary file left: " << what;
            // Scratch files go with a failure, unless removing is what fails.
            if (!result.ok() && trial.call != Call::Unlink) {
                EXPECT_FALSE(QFile::exists(setup::copyScriptPath()) || QFile::exists(setup::nullFilePath())) << what;
            }
        },
        [&] { record = bytesOf(memorial::dataFilePath()); });
    std::cout << "fault loop, install: " << tried << " trials\n";
}

TEST(FaultLoop, Uninstall)
{
    const QStringList files = {kName + ".exe", kName + ".zip", QStringLiteral("readme.txt")};
    setup::UninstallResult result;
    const int tried = loop(
        [&] {
            for (const QString& file : files)
                writeFile(file, "installed");
            QDir().mkpath(QFileInfo(memorial::dataFilePath()).path());
            writeFile(memorial::dataFilePath(), "data");
            result = {};
        },
        [&] { result = setup::uninstall(kName); },
        [&](const Trial& trial, bool crashed) {
            if (crashed)
                return;
            const QStringList all = QStringList(files) << memorial::dataFilePath();
            for (const QString& file : all)
                EXPECT_EQ(QFile::exists(file), result.notDeleted.contains(file)) << file.toStdString() << describe(trial);
            if (trial.error == EINTR) {
                EXPECT_TRUE(result.ok()) << describe(trial);
            }
        });
    std::cout << "fault loop, uninstall: " << tried << " trials\n";
}

} // namespace
