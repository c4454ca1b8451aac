#include "platform/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <optional>
#include <vector>

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
    // Most texts hold none of the three: no copy for them.
    const auto swapped = [](QChar c) { return c == u'\x1A' || c == u'\x1C' || c == u'\x7F'; };
    if (std::none_of(text.cbegin(), text.cend(), swapped))
        return text;
    QString out = text;
    for (QChar& c : out)
        c = QChar(map(c.unicode()));
    return out;
}

// Converters kept for many texts. After an error only a new converter
// starts clean (resetState() keeps the error flag), and it must be built in
// place: a converter moved into another no longer reports errors.
using Decoder = std::optional<QStringDecoder>;
using Encoder = std::optional<QStringEncoder>;

QString rawDecode(Decoder& decoder, const QByteArray& bytes, bool& error)
{
    QString text = decoder->decode(bytes);
    error = decoder->hasError() || !decoder->isValid();
    if (error)
        decoder.emplace(kName);
    else
        decoder->resetState();
    return mapControls(text, fromIcu);
}

QByteArray rawEncode(Encoder& encoder, const QString& text, bool& error)
{
    QByteArray bytes = encoder->encode(mapControls(text, toIcu));
    error = encoder->hasError() || !encoder->isValid();
    if (error)
        encoder.emplace(kName);
    else
        encoder->resetState();
    return bytes;
}

// Through the converter, checked by a round trip.
std::optional<QByteArray> slowEncode(Encoder& encoder, Decoder& decoder, const QString& text)
{
    bool error = false;
    QByteArray bytes = rawEncode(encoder, text, error);
    if (error)
        return std::nullopt;
    bool back = false;
    if (rawDecode(decoder, bytes, back) != text || back)
        return std::nullopt;
    return bytes;
}

// The code page is stateless, so a text is encoded and decoded character by
// character. Both tables are asked of the converter once, byte sequence by
// byte sequence: going through the converter for every name costs more than
// the rename itself.
//   encode: the bytes of every character the code page holds exactly, one
//     or two (lead byte high), or kNone;
//   single, pair: what the converter reads each one- and two-byte sequence
//     as, or kNoChar where it reads none (a lead byte alone, an unassigned
//     pair).
constexpr quint16 kNone = 0xFFFF;
constexpr char16_t kNoChar = 0xFFFF;   // a noncharacter: no byte sequence reads as it

struct Tables {
    std::vector<quint16> encode = std::vector<quint16>(0x10000, kNone);
    std::vector<char16_t> single = std::vector<char16_t>(0x100, kNoChar);
    std::vector<char16_t> pair = std::vector<char16_t>(0x10000, kNoChar);
};

const Tables& tables()
{
    static const Tables built = [] {
        Tables t;
        Encoder encoder(std::in_place, kName);
        Decoder decoder(std::in_place, kName);
        auto learn = [&](const QByteArray& bytes) {
            bool error = false;
            const QString text = rawDecode(decoder, bytes, error);
            // U+FFFD is what the converter reads an unassigned pair as.
            if (error || text.size() != 1 || text[0] == QChar::ReplacementCharacter)
                return;
            const quint16 code = quint16(bytes.size() == 1 ? quint8(bytes[0]) : quint8(bytes[0]) << 8 | quint8(bytes[1]));
            (bytes.size() == 1 ? t.single : t.pair)[code] = text[0].unicode();
            if (t.encode[text[0].unicode()] == kNone && slowEncode(encoder, decoder, text) == bytes)
                t.encode[text[0].unicode()] = code;
        };
        for (int b = 0; b < 0x100; ++b)
            learn(QByteArray(1, char(b)));
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (lead > 0x9F && lead < 0xE0)
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail)
                if (trail != 0x7F)
                    learn(QByteArray(1, char(lead)) + char(trail));
        }
        return t;
    }();
    return built;
}

// By the tables; nothing where a sequence is not in them, which leaves the
// converter to have the last word.
std::optional<QString> tableDecode(const QByteArray& bytes)
{
    const Tables& t = tables();
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    const auto* in = reinterpret_cast<const quint8*>(bytes.constData());
    const auto* end = in + bytes.size();
    while (in < end) {
        char16_t c = t.single[*in];
        if (c == kNoChar) {
            if (end - in < 2)
                return std::nullopt;
            c = t.pair[quint16(in[0] << 8 | in[1])];
            if (c == kNoChar)
                return std::nullopt;
            ++in;
        }
        ++in;
        *out++ = c;
    }
    text.truncate(out - reinterpret_cast<const char16_t*>(text.constData()));
    return text;
}

} // namespace

std::optional<QByteArray> encodeCp932(const QString& text)
{
    const std::vector<quint16>& table = tables().encode;
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    char* out = bytes.data();
    for (const QChar c : text) {
        const quint16 code = table[c.unicode()];   // a surrogate is never there
        if (code == kNone)
            return std::nullopt;
        if (code > 0xFF)
            *out++ = char(code >> 8);
        *out++ = char(code & 0xFF);
    }
    bytes.truncate(out - bytes.constData());
    return bytes;
}

std::optional<QString> decodeCp932(const QByteArray& bytes)
{
    if (auto text = tableDecode(bytes))
        return text;
    return decodeCp932ByConverter(bytes);
}

std::optional<QString> decodeCp932ByConverter(const QByteArray& bytes)
{
    bool error = false;
    Decoder decoder(std::in_place, kName);
    QString text = rawDecode(decoder, bytes, error);
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
