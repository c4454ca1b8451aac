#include "setup/core/install.h"

#include "batch/copy_script.h"
#include "memorial/record.h"
#include "platform/cp932.h"
#include "platform/system_folder.h"
#include "platform/text_file.h"

namespace setup {

QString imageName(const QString& programName)
{
    return programName + QStringLiteral(".$_$");
}

QString programFileName(const QString& programName)
{
    return programName + QStringLiteral(".exe");
}

QString nullFilePath()
{
    return platform::systemFile(QStringLiteral("qmnull.dam"));
}

QString copyScriptPath()
{
    return platform::systemFile(QStringLiteral("cpy.bat"));
}

namespace {

// The program image is a few megabytes; a gigabyte is no image.
constexpr qint64 kMaxImageBytes = 1LL << 30;

InstallResult failure(InstallStatus status, const QString& file = {})
{
    return InstallResult{status, file};
}

memorial::Record recordOf(const DateEntry& entry)
{
    return memorial::Record{entry.name, dateLine(entry.rows[0]), dateLine(entry.rows[1]),
                            dateLine(entry.rows[2])};
}

bool representable(const memorial::Record& r)
{
    for (const QString* text : {&r.name, &r.date1, &r.date2, &r.date3}) {
        if (!platform::cp932HoldsExactly(*text))
            return false;
    }
    return true;
}

InstallResult written(platform::WriteStatus status, const QString& path)
{
    switch (status) {
    case platform::WriteStatus::Ok:
        return {};
    case platform::WriteStatus::NotRepresentable:
        return failure(InstallStatus::NotRepresentable);
    case platform::WriteStatus::IoError:
        break;
    }
    return failure(InstallStatus::WriteFailed, path);
}

// A failed installation leaves no scratch files behind: nothing else would
// ever remove them.
InstallResult withScratchRemoved(InstallResult result)
{
    platform::removeFile(copyScriptPath());
    platform::removeFile(nullFilePath());
    return result;
}

} // namespace

InstallResult install(const QString& programName, const DateEntry& entry)
{
    const QString image = imageName(programName);
    const QString target = programFileName(programName);

    // Everything that can be refused is refused before anything is written.
    const auto imageBytes = platform::readBytes(image, kMaxImageBytes);
    if (!imageBytes)
        return failure(InstallStatus::ImageMissing, image);
    const memorial::Record record = recordOf(entry);
    if (!representable(record))
        return failure(InstallStatus::NotRepresentable);
    if (!platform::ensureSystemFolder())
        return failure(InstallStatus::NoSystemFolder, platform::systemFolder());

    InstallResult result = written(platform::writeLines(nullFilePath(), {QString()}), nullFilePath());
    if (result.ok())
        result = written(platform::writeLines(copyScriptPath(), {batch::copyLine(programName)}), copyScriptPath());
    if (result.ok())
        result = written(memorial::writeRecord(memorial::dataFilePath(), record), memorial::dataFilePath());
    if (!result.ok())
        return withScratchRemoved(result);

    // The copy takes milliseconds; waiting for it means the image is never
    // removed under a copy still reading it, and the result can be checked.
    batch::runCopyScript(copyScriptPath());
    const auto copied = platform::readBytes(target, kMaxImageBytes + 2);
    if (!copied || *copied != *imageBytes + QByteArrayLiteral("\r\n"))
        return withScratchRemoved(failure(InstallStatus::CopyFailed, target));
    return {};
}

void closeInstallation(const QString& programName)
{
    platform::removeFile(copyScriptPath());
    platform::removeFile(nullFilePath());
    platform::removeFile(imageName(programName));
}

} // namespace setup
