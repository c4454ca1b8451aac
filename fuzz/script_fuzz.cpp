// Undo scripts of arbitrary bytes, run in a scratch folder, lose no file or content; a script holding
// anything a run does not write is refused whole, before anything moves.
#include "batch/undo_line.h"
#include "batch/undo_script.h"
#include "platform/cp932.h"
#include <QDir>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <unistd.h>

static void require(bool ok) { if (!ok) std::abort(); }
static QStringList contentsOfFolder()
{
    QStringList contents;
    for (const QFileInfo& info : QDir::current().entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        QFile f(info.absoluteFilePath());
        require(info.isFile() && !info.isSymLink() && f.open(QIODevice::ReadOnly));
        contents << QString::fromLatin1(f.readAll().toHex());
    }
    contents.sort();
    return contents;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (size > 4096)
        return 0;
    const batch::ParsedScript parsed = batch::parseUndoScript(bytes);
    if (parsed.status == batch::ParsedScript::Status::Ok) {   // what it accepts is what a run could have written
        const qsizetype end = bytes.lastIndexOf("\r\n");
        const qsizetype whole = end < 0 ? 0 : end + 2;
        require(qsizetype(parsed.readings.size()) == bytes.left(whole).count("\r\n") && parsed.cutShort == (whole < bytes.size()));
        for (const auto& readings : parsed.readings) {
            require(!readings.empty());
            for (const auto& [from, to] : readings)
                require(!(from + to).contains(u'\r') && !(from + to).contains(u'\n'));
        }
    }
    QTemporaryDir scratch;   // libFuzzer's own paths are relative to where it started: go back before it goes
    static const QByteArray home = QFile::encodeName(QDir::currentPath());
    require(scratch.isValid() && ::chdir(QFile::encodeName(scratch.path()).constData()) == 0);
    for (const char* name : {"a", "b", "a    b", "\xE5\x86\x99\xE7\x9C\x9F", "..    x", "x     y", ":a    b"}) {
        QFile f(QDir::currentPath() + u'/' + QString::fromUtf8(name));   // spelled out: ":a" is a resource
        require(f.open(QIODevice::WriteOnly) && f.write(name) > 0);
    }
    QFile script(QStringLiteral("modosu.bat"));
    require(script.open(QIODevice::WriteOnly) && script.write(bytes) == bytes.size() && script.flush());
    const QStringList before = contentsOfFolder();
    const batch::RestoreReport report = batch::runUndoScript(QStringLiteral("modosu.bat"));
    const bool ran = report.status == batch::RestoreReport::Status::Ran;
    require(ran == (parsed.status == batch::ParsedScript::Status::Ok) && (ran || report.restored == 0));
    require(contentsOfFolder() == before);
    require(::chdir(home.constData()) == 0);
    return 0;
}
