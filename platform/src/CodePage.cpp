#include <algorithm>
#include <array>

#include "Utf8Codec.h"
#include "platform/SysUtils.h"

namespace {

// Unicode of the bytes 0x80..0x9F; the five bytes that Windows-1252 leaves
// undefined map to the C1 control of the same value, so they round-trip.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t ByteToUnicode(unsigned char b)
{
    return (b >= 0x80 && b <= 0x9F) ? kHighControls[b - 0x80] : b;
}

char UnicodeToByte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

String DecodeUtf16(std::string_view bytes, bool bigEndian)
{
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        const auto b0 = static_cast<unsigned char>(bytes[2 * i]);
        const auto b1 = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = static_cast<char16_t>(bigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0));
    }
    return Utf16ToUtf8(units);
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

RawByteString Utf8ToWin1252(std::string_view utf8)
{
    RawByteString out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
        } else {
            out += UnicodeToByte(Utf8Codec::Next(utf8, i));
        }
    }
    return out;
}

String Win1252ToUtf8(std::string_view bytes)
{
    String out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes) Utf8Codec::Append(out, ByteToUnicode(static_cast<unsigned char>(c)));
    return out;
}

UnicodeString Utf8ToUtf16(std::string_view utf8)
{
    UnicodeString out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t cp = Utf8Codec::Next(utf8, i);
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

String Utf16ToUtf8(std::u16string_view utf16)
{
    String out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t c = utf16[i];
        if (IsHighSurrogate(c) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
            Utf8Codec::Append(out, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(utf16[i + 1]) - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            Utf8Codec::Append(out, Utf8Codec::Replacement);
        } else {
            Utf8Codec::Append(out, c);
        }
    }
    return out;
}

String DecodeTextFile(RawByteString bytes)
{
    const std::string_view view = bytes;
    if (view.starts_with("\xFF\xFE")) return DecodeUtf16(view.substr(2), false);
    if (view.starts_with("\xFE\xFF")) return DecodeUtf16(view.substr(2), true);
    if (view.starts_with("\xEF\xBB\xBF")) {
        bytes.erase(0, 3);
        return bytes;
    }
    if (std::any_of(view.begin(), view.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        return Win1252ToUtf8(view);
    return bytes;
}
