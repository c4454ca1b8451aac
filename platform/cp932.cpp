#include "platform/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {
namespace {
constexpr const char* kName = "windows-31j";

QString rawDecode(const QByteArray& bytes, bool& error)
{
    QStringDecoder decoder(kName);
    QString text = decoder.decode(bytes);
    error = decoder.hasError() || !decoder.isValid();
    return text;
}

QByteArray rawEncode(const QString& text, bool& error)
{
    QStringEncoder encoder(kName);
    QByteArray bytes = encoder.encode(text);
    error = encoder.hasError() || !encoder.isValid();
    return bytes;
}
} // namespace

std::optional<QByteArray> encodeCp932(const QString& text)
{
    bool error = false;
    QByteArray bytes = rawEncode(text, error);
    if (error)
        return std::nullopt;
    bool back = false;
    if (rawDecode(bytes, back) != text || back)
        return std::nullopt;
    return bytes;
}

std::optional<QString> decodeCp932(const QByteArray& bytes)
{
    bool error = false;
    QString text = rawDecode(bytes, error);
    if (error)
        return std::nullopt;
    // The decoder keeps a trailing lone lead byte to itself without an error.
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) {
            if (i + 1 == bytes.size())
                return std::nullopt;
            ++i;
        }
    }
    return text;
}

} // namespace platform
