// Undo scripts of arbitrary bytes: every reading of a ren line puts the line
// back together, and ren lines run in a scratch folder lose no file or content.
#include "batch/script.h"
#include "platform/cp932.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

static void require(bool ok) { if (!ok) std::abort(); }

static const auto kAll = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

static QStringList contentsOfFolder()
{
    QStringList contents;
    for (const QFileInfo& info : QDir::current().entryInfoList(kAll)) {
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
    const auto decoded = platform::decodeCp932(bytes);
    bool copies = false;   // a copy line may write anywhere: only ren lines run here
    for (QString line : (decoded ? *decoded : QString::fromUtf8(bytes)).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        for (const auto& [from, to] : batch::renReadings(line))
            require(!from.isEmpty() && !to.isEmpty() && line.left(7).compare(u"ren    ", Qt::CaseInsensitive) == 0
                    && line.mid(7) == from + QStringLiteral("    ") + to);
        copies = copies || batch::parseCopy(line).has_value();
    }
    if (copies || size > 4096)
        return 0;

    // libFuzzer's own paths are relative to the folder it started in.
    static QTemporaryDir scratch;
    static const QByteArray home = QFile::encodeName(QDir::currentPath());
    require(::chdir(QFile::encodeName(scratch.path()).constData()) == 0);
    for (const QString& name : QDir::current().entryList(kAll))
        require(QFile::remove(QDir::currentPath() + u'/' + name));
    int index = 0;
    for (const char* name : {"a", "b", "a    b", "\xE5\x86\x99\xE7\x9C\x9F", "..    x", "x     y", ":a    b"}) {
        QFile f(QDir::currentPath() + u'/' + QString::fromUtf8(name));   // spelled out: ":a" is a resource
        require(f.open(QIODevice::WriteOnly) && f.write(QByteArray::number(index++)) > 0);
    }
    QFile script(QStringLiteral("modosu.bat"));
    require(script.open(QIODevice::WriteOnly) && script.write(bytes) == bytes.size());
    script.close();
    const QStringList before = contentsOfFolder();
    const batch::ScriptReport report = batch::runScript(QStringLiteral("modosu.bat"));
    require(report.copied == 0 && report.readable == decoded.has_value() && contentsOfFolder() == before);
    require(::chdir(home.constData()) == 0);
    return 0;
}
