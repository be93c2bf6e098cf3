#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

#include "Utf8Codec.h"
#include "platform/SysUtils.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

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

std::optional<char> Win1252Byte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
    return std::nullopt;
}

enum class TByteOrderMark { None, Utf8, Utf16LE, Utf16BE };

TByteOrderMark ByteOrderMarkOf(std::string_view bytes)
{
    if (bytes.starts_with("\xFF\xFE")) return TByteOrderMark::Utf16LE;
    if (bytes.starts_with("\xFE\xFF")) return TByteOrderMark::Utf16BE;
    if (bytes.starts_with(kUtf8Mark)) return TByteOrderMark::Utf8;
    return TByteOrderMark::None;
}

// The first byte from From on that is no ASCII, or the size. A word at a
// time: the text of a data file is ASCII for megabytes.
std::size_t FindNonAscii(std::string_view s, std::size_t from)
{
    for (std::uint64_t word = 0; from + sizeof word <= s.size(); from += sizeof word) {
        std::memcpy(&word, s.data() + from, sizeof word);
        if ((word & 0x8080808080808080) != 0) break;
    }
    while (from < s.size() && static_cast<unsigned char>(s[from]) < 0x80) ++from;
    return from;
}

// Runs Ascii on each run of ASCII bytes of Utf8 and Other on each character
// between them, with the bytes it was read from (an invalid byte reads as
// U+FFFD, alone), in text order while Other returns true. False when Other
// stopped the walk.
template <class A, class O>
bool ForEachRun(std::string_view utf8, A Ascii, O Other)
{
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t start = FindNonAscii(utf8, i);
        if (start > i) Ascii(utf8.substr(i, start - i));
        if (start == utf8.size()) break;
        i = start;
        const char32_t c = Utf8Codec::Next(utf8, i);
        if (!Other(c, utf8.substr(start, i - start))) return false;
    }
    return true;
}

// Whether Next read Bytes as a character they encode.
bool IsValidUtf8(char32_t c, std::string_view bytes) { return c != Utf8Codec::Replacement || bytes.size() == 3; }

bool HeldByWin1252(std::string_view utf8)
{
    return ForEachRun(utf8, [](std::string_view) {}, [](char32_t c, std::string_view) { return Win1252Byte(c).has_value(); });
}

// The offset of the first byte that is no UTF-8, npos when none.
std::size_t FindInvalidUtf8(std::string_view utf8)
{
    std::size_t at = std::string_view::npos;
    ForEachRun(utf8, [](std::string_view) {}, [&](char32_t c, std::string_view bytes) {
        if (IsValidUtf8(c, bytes)) return true;
        at = static_cast<std::size_t>(bytes.data() - utf8.data());
        return false;
    });
    return at;
}

RawByteString WithUtf8Mark(std::string_view utf8)
{
    RawByteString out(kUtf8Mark);
    out.reserve(kUtf8Mark.size() + utf8.size());
    ForEachRun(utf8, [&](std::string_view run) { out += run; }, [&](char32_t c, std::string_view bytes) {
        if (IsValidUtf8(c, bytes))
            out += bytes;
        else
            Utf8Codec::Append(out, Utf8Codec::Replacement);
        return true;
    });
    return out;
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
    ForEachRun(utf8, [&](std::string_view run) { out += run; }, [&](char32_t c, std::string_view) {
        out += Win1252Byte(c).value_or('?');
        return true;
    });
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
    switch (ByteOrderMarkOf(view)) {
    case TByteOrderMark::Utf16LE:
        return DecodeUtf16(view.substr(2), false);
    case TByteOrderMark::Utf16BE:
        return DecodeUtf16(view.substr(2), true);
    case TByteOrderMark::Utf8:
        bytes.erase(0, kUtf8Mark.size());
        if (const std::size_t at = FindInvalidUtf8(bytes); at != std::string_view::npos)
            throw EEncodingError("line " + IntToStr(LineOfOffset(bytes, at)) + ": the byte #" +
                                 IntToStr(static_cast<unsigned char>(bytes[at])) +
                                 " is no UTF-8, though the file's byte-order mark says UTF-8");
        return bytes;
    case TByteOrderMark::None:
        break;
    }
    if (FindNonAscii(view, 0) < view.size()) return Win1252ToUtf8(view);
    return bytes;
}

bool HasByteOrderMark(std::string_view bytes) { return ByteOrderMarkOf(bytes) != TByteOrderMark::None; }

RawByteString EncodeTextFile(String Text)
{
    if (FindNonAscii(Text, 0) == Text.size()) return Text;
    if (HeldByWin1252(Text)) {
        RawByteString bytes = Utf8ToWin1252(Text);
        // Such bytes would read back as another encoding.
        if (ByteOrderMarkOf(bytes) == TByteOrderMark::None) return bytes;
    }
    return WithUtf8Mark(Text);
}

Integer LineOfOffset(std::string_view Text, std::size_t Offset)
{
    const std::string_view before = Text.substr(0, Offset);
    Integer line = 1;
    for (std::size_t i = 0; i < before.size(); ++i)
        if (before[i] == '\n' || (before[i] == '\r' && (i + 1 >= Text.size() || Text[i + 1] != '\n'))) ++line;
    return line;
}
