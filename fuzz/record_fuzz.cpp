// The memorial data file on arbitrary bytes: reading yields no line break, and
// fuzzed values either read back exactly or are refused without a file.
#include "memorial/record.h"
#include "platform/cp932.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

static void require(bool ok) { if (!ok) std::abort(); }

static bool holdsLineBreak(const QString& s) { return s.contains(u'\r') || s.contains(u'\n'); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir scratch;
    const QString path = scratch.path() + QStringLiteral("/quillmere.ini");
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QFile file(path);
    require(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    const auto decoded = platform::decodeCp932(bytes);
    const memorial::Record read = memorial::readRecord(path);
    require(!holdsLineBreak(read.name + read.date1 + read.date2 + read.date3) && (decoded || read == memorial::Record{}));

    // The same bytes as four values, split at 0x01.
    const QStringList parts = (decoded ? *decoded : QString::fromUtf8(bytes)).split(QChar(1));
    const memorial::Record record{parts.value(0), parts.value(1, QStringLiteral("1970/03/05")),
                                  parts.value(2, QStringLiteral("0000/00/00")), parts.value(3, QStringLiteral("0000/00/00"))};
    bool holdable = true;
    for (const QString* value : {&record.name, &record.date1, &record.date2, &record.date3})
        holdable = holdable && !holdsLineBreak(*value) && platform::cp932HoldsExactly(*value);
    QFile::remove(path);
    const platform::WriteStatus status = memorial::writeRecord(path, record);
    if (status == platform::WriteStatus::Ok)
        require(holdable && memorial::readRecord(path) == record);
    else
        require(status == platform::WriteStatus::NotRepresentable && !holdable && !QFile::exists(path));
    return 0;
}
