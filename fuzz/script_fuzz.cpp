// The undo-script reader and interpreter on arbitrary bytes: every reading
// of a ren line puts the line back together, copy lines parse into usable
// parts, and a script of ren lines run in a scratch folder loses no file
// and no content.
#include "batch/script.h"
#include "platform/cp932.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace {

const char* const kFiles[] = {"a", "b", "a    b", "\xE5\x86\x99\xE7\x9C\x9F", "..    x", "x     y", ":a    b"};

void require(bool ok)
{
    if (!ok)
        std::abort();
}

void checkLine(const QString& line)
{
    const auto readings = batch::renReadings(line);
    qsizetype lastSplit = -1;
    for (const auto& [from, to] : readings) {
        require(!from.isEmpty() && !to.isEmpty());
        require(line.left(7).compare(QStringLiteral("ren    "), Qt::CaseInsensitive) == 0);
        require(line.mid(7) == from + QStringLiteral("    ") + to);
        require(from.size() > lastSplit);
        lastSplit = from.size();
    }
    const auto exists = [](const QString& name) { return name == u"a" || name == u".." || name == u"a    b"; };
    if (const auto pick = batch::chosenReading(line, exists)) {
        require(std::find(readings.begin(), readings.end(), *pick) != readings.end());
        require(pick->first != u".." && pick->second != u".." && !pick->first.contains(u'/') && !pick->second.contains(u'/'));
    }
    if (const auto copy = batch::parseCopy(line)) {
        require(!copy->sources.isEmpty() && !copy->target.isEmpty());
        for (const QString& source : copy->sources)
            require(!source.isEmpty() && !source.contains(u' ') && !source.contains(u'+'));
    }
}

QStringList contentsOfFolder()
{
    QStringList contents;
    const auto entries = QDir::current().entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& info : entries) {
        require(info.isFile() && !info.isSymLink());
        QFile f(QDir::currentPath() + u'/' + info.fileName());
        require(f.open(QIODevice::ReadOnly));
        contents << QString::fromLatin1(f.readAll().toHex());
    }
    contents.sort();
    return contents;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto decoded = platform::decodeCp932(bytes);
    const QString text = decoded ? *decoded : QString::fromUtf8(bytes);
    const QStringList lines = text.split(u'\n');
    bool copies = false;
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        checkLine(line);
        copies = copies || batch::parseCopy(line).has_value();
    }
    // A copy line may write anywhere; only ren lines run here.
    if (copies || size > 4096)
        return 0;

    // The interpreter works in the working directory; libFuzzer's own paths
    // are relative to the one it started in, so step back afterwards.
    static QTemporaryDir scratch;
    static const QByteArray home = QFile::encodeName(QDir::currentPath());
    require(scratch.isValid() && ::chdir(QFile::encodeName(scratch.path()).constData()) == 0);
    for (const QString& name : QDir::current().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        require(QFile::remove(QDir::currentPath() + u'/' + name));
    int index = 0;
    for (const char* name : kFiles) {
        // Spelled out: a bare ":name" would be taken for a resource.
        QFile f(QDir::currentPath() + u'/' + QString::fromUtf8(name));
        require(f.open(QIODevice::WriteOnly) && f.write(QByteArray::number(index++)) > 0);
    }
    QFile script(QStringLiteral("modosu.bat"));
    require(script.open(QIODevice::WriteOnly) && script.write(bytes) == bytes.size());
    script.close();

    const QStringList before = contentsOfFolder();
    const batch::ScriptReport report = batch::runScript(QStringLiteral("modosu.bat"));
    require(report.copied == 0);
    require(report.readable == decoded.has_value());
    require(contentsOfFolder() == before);
    require(::chdir(home.constData()) == 0);
    return 0;
}
