// Memorial data: any bytes read safely; fuzzed values read back exactly or are refused without a file.
#include "memorial/record.h"
#include "platform/cp932.h"
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

static void require(bool ok) { if (!ok) std::abort(); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir scratch;
    const QString path = scratch.path() + QStringLiteral("/quillmere.ini");
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QFile file(path);
    require(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush());
    // A byte the code page cannot read only ends the reading early; values never span lines.
    const memorial::Record read = memorial::readRecord(path);
    for (const QString* value : {&read.name, &read.date1, &read.date2, &read.date3})
        require(!value->contains(u'\r') && !value->contains(u'\n'));
    const auto decoded = platform::decodeCp932(bytes);
    const QStringList parts = (decoded ? *decoded : QString::fromUtf8(bytes)).split(QChar(1));   // four values
    const memorial::Record record{parts.value(0), parts.value(1, QStringLiteral("1970/03/05")),
                                  parts.value(2, QStringLiteral("0000/00/00")), parts.value(3, QStringLiteral("0000/00/00"))};
    const QString all = record.name + record.date1 + record.date2 + record.date3;
    const bool holdable = !all.contains(u'\r') && !all.contains(u'\n') && platform::cp932HoldsExactly(all);
    QFile::remove(path);
    const platform::WriteStatus status = memorial::writeRecord(path, record);
    require(status == platform::WriteStatus::Ok ? holdable && memorial::readRecord(path) == record
                                                : status == platform::WriteStatus::NotRepresentable && !holdable && !QFile::exists(path));
    return 0;
}
