#include "wire/wire.h"

#include <array>

namespace wire {
namespace {

constexpr char16_t kUndefined = 0xFFFF;

// 0x80..0x9F of Windows-1252; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, kUndefined, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030,     0x0160, 0x2039, 0x0152, kUndefined, 0x017D, kUndefined,
    kUndefined, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122,     0x0161, 0x203A, 0x0153, kUndefined, 0x017E, 0x0178,
};

char toByte(char32_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return static_cast<char>(ch);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] != kUndefined && kHighControls[i] == ch)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

// The value of a run of ASCII digits, or nothing for any other character.
std::optional<int> digitsValue(QStringView digits)
{
    int value = 0;
    for (const QChar ch : digits) {
        if (ch < u'0' || ch > u'9')
            return std::nullopt;
        value = value * 10 + (ch.unicode() - u'0');
    }
    return value;
}

} // namespace

QByteArray encode(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t ch : text.toUcs4())
        bytes.append(toByte(ch));
    return bytes;
}

std::optional<QString> decode(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        char16_t ch = b;
        if (b >= 0x80 && b < 0xA0) {
            ch = kHighControls[b - 0x80];
            if (ch == kUndefined)
                return std::nullopt;
        }
        *out++ = QChar(ch);
    }
    return text;
}

QStringList split(const QString &message)
{
    return message.split(kSeparator, Qt::KeepEmptyParts);
}

std::optional<Code> codeOf(const QString &field0)
{
    const int length = field0.size();
    if (length < 1 || length > 2 || field0.front() == u'0')
        return std::nullopt;
    const auto value = digitsValue(field0);
    if (!value || *value < int(Code::WorkLine) || *value > int(Code::OthelloBoard))
        return std::nullopt;
    return Code(*value);
}

std::optional<qint16> toNumber(const QString &field)
{
    const bool negative = field.startsWith(u'-');
    const QStringView digits = QStringView(field).mid(negative ? 1 : 0);
    if (digits.isEmpty() || digits.size() > 5)
        return std::nullopt;
    const auto magnitude = digitsValue(digits);
    if (!magnitude)
        return std::nullopt;
    const int value = negative ? -*magnitude : *magnitude;
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return qint16(value);
}

} // namespace wire
