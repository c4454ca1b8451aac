// Runs and restores on real volumes that are full when the run starts, fill
// up during it, or turn read-only partway: tmpfs, and ext4 on a loop device
// where one can be mounted. A full volume fails in ways no imitation does
// (a hole past the end needs no block), so the kernel has to say ENOSPC.
#include "fault_loop.h"
#include "run_promises.h"
#include "temp_env.h"
#include "renamer/core/rename_run.h"
#include "renamer/ui/run_messages.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace faults;

QString why(const QString& what)
{
    return what + ": " + QString::fromLocal8Bit(std::strerror(errno));
}

// A file system mounted on a fresh folder under /tmp for as long as the
// object lives; unmounted (lazily, when something still holds it), and so
// its loop device let go, on every path out.
class Volume {
public:
    Volume()
    {
        char folder[] = "/tmp/qm-volume-XXXXXX";
        if (::mkdtemp(folder))
            root_ = QFile::decodeName(folder);
    }
    ~Volume()
    {
        unmount();
        if (!root_.isEmpty())
            QDir(root_).removeRecursively();
    }
    Volume(const Volume&) = delete;
    Volume& operator=(const Volume&) = delete;

    QString mountPoint() const { return root_ + "/mnt"; }

    // Each gives an empty text once mounted, else why not.
    QString mountTmpfs(long long kib)
    {
        return mountAs("tmpfs", "tmpfs", "size=" + QByteArray::number(kib) + "k");
    }

    QString mountExt4(long long mib)
    {
        const QString image = root_ + "/image";
        QFile file(image);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(mib << 20))
            return "cannot make " + image;
        file.close();
        QProcess mkfs;
        mkfs.start(QStringLiteral("mkfs.ext4"), {"-q", "-F", "-m", "0", image});
        if (!mkfs.waitForFinished(20000) || mkfs.exitStatus() != QProcess::NormalExit || mkfs.exitCode() != 0)
            return "mkfs.ext4 is missing or failed: " + mkfs.errorString();
        // A loop device of its own, let go again when unmounted.
        return mountAs(QFile::encodeName(image), "ext4", "loop,errors=remount-ro");
    }

    // What the kernel does to a volume that fails under it: every write from
    // now on gets EROFS. A plain read-only remount is refused (EBUSY) while
    // the run holds its script open for writing.
    bool failReadOnly()
    {
        return ::mount(nullptr, QFile::encodeName(mountPoint()).constData(), nullptr, MS_REMOUNT, "errors=remount-ro,abort")
            == 0;
    }

    // Unmounted and mounted again, as after unplugging: what the disk kept.
    bool remount()
    {
        char cwd[4096];
        if (!::getcwd(cwd, sizeof cwd) || ::chdir("/") != 0)
            return false;
        unmount();
        return mountAs(device_, type_, options_).isEmpty() && ::chdir(cwd) == 0;
    }

    void sync() const
    {
        const int fd = ::open(QFile::encodeName(mountPoint()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0)
            ::syncfs(fd), ::close(fd);
    }

    static long long freeBytes(const QString& path)
    {
        struct statvfs st;
        return ::statvfs(QFile::encodeName(path).constData(), &st) == 0 ? (long long)st.f_bavail * st.f_frsize : -1;
    }

private:
    QString mountAs(const QByteArray& device, const QByteArray& type, const QByteArray& options)
    {
        if (root_.isEmpty())
            return why("no folder under /tmp");
        QDir().mkpath(mountPoint());
        QProcess mount;
        mount.start(QStringLiteral("mount"), {"-t", type, "-o", options, device, mountPoint()});
        if (!mount.waitForFinished(20000) || mount.exitStatus() != QProcess::NormalExit || mount.exitCode() != 0)
            return "mount -t " + QString::fromLatin1(type) + ": " + QString::fromLocal8Bit(mount.readAllStandardError());
        mounted_ = true;
        device_ = device;
        type_ = type;
        options_ = options;
        return {};
    }

    void unmount()
    {
        const QByteArray point = QFile::encodeName(mountPoint());
        if (mounted_ && ::umount2(point.constData(), 0) != 0)
            ::umount2(point.constData(), MNT_DETACH);
        mounted_ = false;
    }

    QString root_;
    QByteArray device_, type_, options_;
    bool mounted_ = false;
};

// Writes to path until the volume takes no more, then gives back about
// `giveBack` bytes of it.
void fill(const QString& path, long long giveBack)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0) << why("filler").toStdString();
    static const QByteArray chunk(64 * 1024, 'f');
    // Ever smaller writes, so that the last part of a block is taken too.
    for (qsizetype size = chunk.size(); size > 0; size /= 4)
        while (::write(fd, chunk.constData(), size_t(size)) == size) {
        }
    ::fsync(fd);
    struct stat st;
    if (giveBack > 0 && ::fstat(fd, &st) == 0) {
        EXPECT_EQ(::ftruncate(fd, std::max<off_t>(0, st.st_size - giveBack)), 0);
    }
    ::fsync(fd);   // blocks freed on ext4 are free once the journal says so
    ::close(fd);
}

QStringList testNames(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << (i % 10 == 3 ? QStringLiteral("写真%1.jpg") : QStringLiteral("img%1.jpg")).arg(i);
    return names;
}

// The restore through quillmere-undo: every original name back, and exit 0
// only when that is so.
void expectRestored(const Folder& before, const std::string& what)
{
    QProcess undo;
    undo.start(QStringLiteral(QM_UNDO_PROGRAM), {});
    ASSERT_TRUE(undo.waitForFinished(20000)) << what;
    Folder now = folder();
    now.erase(kScript);
    EXPECT_TRUE(now == before) << "not restored: " << what << ": " << firstDifference(before, now).toStdString()
                               << ": " << undo.readAll().toStdString();
    if (now != before) {
        EXPECT_NE(undo.exitCode(), 0) << "quillmere-undo left names undone and said all was done: " << what;
    }
}

enum class During {
    Nothing,
    Fill,            // the volume filled from the run's own thread between two groups
    FillerThread,    // a writer of its own fills it while the run goes
    FailReadOnly,    // the volume turns read-only between two groups
};

enum class FileSystem { Tmpfs, Ext4 };

struct Row {
    FileSystem fs;
    const char* what;
    int files;
    long long giveBack;   // bytes freed after filling the volume; -1: not filled before the run
    During during;
    bool mustStop;        // the fault is certain to stop the run
};

// One run over a fresh folder on the mounted volume, its promises checked
// before and after the volume is put right, then the restore.
void runRow(Volume& volume, const Row& row)
{
    const std::string what = row.what;
    testsupport::TempWorkDir dir(volume.mountPoint());
    const QStringList names = testNames(row.files);
    for (const QString& name : names)
        writeFile(name, name.toUtf8());
    const QString filler = volume.mountPoint() + "/filler";
    writeFile(filler, {});
    volume.sync();   // the user's files were on the disk long before the run
    const Folder before = folder();
    if (row.giveBack >= 0)
        fill(filler, row.giveBack);
    const long long freeAtStart = Volume::freeBytes(dir.path());
    const auto entries = [](const QString& path) {
        return QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    };
    const QStringList outside = entries(volume.mountPoint());

    std::atomic<bool> running{true};
    std::thread writer;
    if (row.during == During::FillerThread)
        writer = std::thread([&] {
            // Once the first group is on the disk, so that later ones meet the full volume.
            while (running && !QFile::exists(kScript))
                std::this_thread::yield();
            fill(filler, 0);
        });
    bool faulted = false;
    renamer::RunOptions options;
    options.progress = [&](int) {
        if (faulted)
            return;
        faulted = true;
        if (row.during == During::Fill) {
            fill(filler, 0);
        } else if (row.during == During::FailReadOnly) {
            EXPECT_TRUE(volume.failReadOnly()) << why("remount,abort").toStdString();
        }
    };
    RunSeen seen = watchedRun(names, options);
    running = false;
    if (writer.joinable())
        writer.join();

    const int renamed = int(seen.renames.size());
    std::cout << what << ": " << freeAtStart << " bytes free at the start, " << renamed << " of " << row.files
              << " renamed, script " << readScript().size() << " bytes: "
              << quillmere::runMessage(seen.report).toStdString() << "\n";
    if (row.mustStop) {
        EXPECT_LT(renamed, row.files) << "the fault never met the run: " << what;
    }
    expectPromisesKept(before, seen, what, row.files);
    EXPECT_EQ(entries(volume.mountPoint()), outside) << what;
    if (row.during == During::FailReadOnly) {
        // What the disk kept: renames after the last journal commit may be gone.
        ASSERT_TRUE(volume.remount()) << what;
        seen.renames.clear();
        expectPromisesKept(before, seen, what + ", mounted again", row.files);
    }
    QFile::remove(filler);
    expectRestored(before, what);
}

// Runs of 200 and 2,500 files: groups of 64, 128, 256 lines and up, each
// line some 35 bytes. tmpfs hands out whole 4 KiB pages, ext4 1 KiB blocks
// (an image this small) and may refuse a rename that needs a new folder block.
const Row kRows[] = {
    {FileSystem::Tmpfs, "tmpfs full before the run, 200 files", 200, 0, During::Nothing, true},
    {FileSystem::Tmpfs, "tmpfs full before the run, 2500 files", 2500, 0, During::Nothing, true},
    {FileSystem::Tmpfs, "tmpfs with one page free", 2500, 4096, During::Nothing, true},
    {FileSystem::Tmpfs, "tmpfs with three pages free", 2500, 3 * 4096, During::Nothing, true},
    {FileSystem::Tmpfs, "tmpfs filled after the first group", 2500, -1, During::Fill, true},
    {FileSystem::Tmpfs, "tmpfs filled by another writer", 2500, -1, During::FillerThread, false},
    {FileSystem::Ext4, "ext4 full before the run, 200 files", 200, 0, During::Nothing, true},
    {FileSystem::Ext4, "ext4 full before the run, 2500 files", 2500, 0, During::Nothing, true},
    {FileSystem::Ext4, "ext4 with 8 KiB free", 2500, 8 << 10, During::Nothing, true},
    {FileSystem::Ext4, "ext4 with 64 KiB free", 2500, 64 << 10, During::Nothing, true},
    {FileSystem::Ext4, "ext4 filled after the first group", 2500, -1, During::Fill, true},
    {FileSystem::Ext4, "ext4 filled by another writer", 2500, -1, During::FillerThread, false},
    {FileSystem::Ext4, "ext4 turned read-only after the first group", 2500, -1, During::FailReadOnly, true},
};

// Each row on a volume of its own; skipped where such a volume cannot be mounted.
void runRows(FileSystem fs)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a volume needs root";
    for (const Row& row : kRows) {
        if (row.fs != fs)
            continue;
        Volume volume;
        // tmpfs: a page for each file's bytes and a megabyte for script and filler.
        const QString failed = fs == FileSystem::Tmpfs ? volume.mountTmpfs(4LL * row.files + 1024) : volume.mountExt4(32);
        if (!failed.isEmpty())
            GTEST_SKIP() << "cannot mount the volume: " << failed.toStdString();
        runRow(volume, row);
    }
}

TEST(FullVolume, Tmpfs)
{
    runRows(FileSystem::Tmpfs);
}

TEST(FullVolume, Ext4OnLoopDevice)
{
    runRows(FileSystem::Ext4);
}

} // namespace
