// Both number readers on arbitrary text: no crash, and the strict reader
// never accepts a text the lenient one reads differently.
#include "common/numbers.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const double lenient = common::readLenient(text);
    const auto strict = common::readStrict(text);
    if (strict && !text.contains(u' ') && !text.contains(u'\t') && *strict != lenient
        && !(std::isnan(*strict) && std::isnan(lenient)))
        std::abort();
    const double rounded = common::roundHalfEven(lenient);
    if (std::isfinite(lenient) && std::fabs(rounded - lenient) > 0.5)
        std::abort();
    (void)common::toInt32(rounded);
    return 0;
}
