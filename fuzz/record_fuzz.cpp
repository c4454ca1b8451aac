// The memorial data file on arbitrary bytes: reading never yields a value
// with a line break, and a record written from fuzzed values either reads
// back exactly or is refused without a file.
#include "memorial/record.h"
#include "platform/cp932.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool ok)
{
    if (!ok)
        std::abort();
}

bool holdsLineBreak(const QString& s) { return s.contains(u'\r') || s.contains(u'\n'); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir scratch;
    require(scratch.isValid());
    const QString path = scratch.path() + QStringLiteral("/quillmere.ini");
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    // Whatever the file holds.
    {
        QFile f(path);
        require(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    const memorial::Record read = memorial::readRecord(path);
    for (const QString* value : {&read.name, &read.date1, &read.date2, &read.date3})
        require(!holdsLineBreak(*value));
    if (!platform::decodeCp932(bytes))
        require(read == memorial::Record{});

    // The same bytes as four values, split at 0x01.
    const auto decoded = platform::decodeCp932(bytes);
    const QStringList parts = (decoded ? *decoded : QString::fromUtf8(bytes)).split(QChar(1));
    memorial::Record record;
    record.name = parts.value(0);
    record.date1 = parts.value(1, QStringLiteral("1970/03/05"));
    record.date2 = parts.value(2, QStringLiteral("0000/00/00"));
    record.date3 = parts.value(3, QStringLiteral("0000/00/00"));
    QFile::remove(path);
    const platform::WriteStatus status = memorial::writeRecord(path, record);
    bool holdable = true;
    for (const QString* value : {&record.name, &record.date1, &record.date2, &record.date3})
        holdable = holdable && !holdsLineBreak(*value) && platform::cp932HoldsExactly(*value);
    if (status == platform::WriteStatus::Ok) {
        require(holdable);
        require(memorial::readRecord(path) == record);
    } else {
        require(status == platform::WriteStatus::NotRepresentable && !holdable);
        require(!QFile::exists(path));
    }
    return 0;
}
