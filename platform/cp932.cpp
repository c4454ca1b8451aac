#include "platform/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {
namespace {
constexpr const char* kName = "windows-31j";

// ICU's table for this code page swaps three control characters the IBM way
// (U+001A <-> 0x7F, U+001C <-> 0x1A, U+007F <-> 0x1C), while Windows maps
// every ASCII control to itself. Feeding ICU the character it maps to the
// byte we want, and the reverse on reading, gives the Windows bytes.
char16_t toIcu(char16_t c)
{
    switch (c) {
    case 0x1A: return 0x1C;
    case 0x1C: return 0x7F;
    case 0x7F: return 0x1A;
    default: return c;
    }
}

char16_t fromIcu(char16_t c)
{
    switch (c) {
    case 0x1C: return 0x1A;
    case 0x7F: return 0x1C;
    case 0x1A: return 0x7F;
    default: return c;
    }
}

QString mapControls(const QString& text, char16_t (*map)(char16_t))
{
    QString out = text;
    for (QChar& c : out)
        c = QChar(map(c.unicode()));
    return out;
}

QString rawDecode(const QByteArray& bytes, bool& error)
{
    QStringDecoder decoder(kName);
    QString text = decoder.decode(bytes);
    error = decoder.hasError() || !decoder.isValid();
    return mapControls(text, fromIcu);
}

QByteArray rawEncode(const QString& text, bool& error)
{
    QStringEncoder encoder(kName);
    QByteArray bytes = encoder.encode(mapControls(text, toIcu));
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
