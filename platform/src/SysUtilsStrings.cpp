#include <QChar>

#include <algorithm>
#include <limits>

#include "Utf8Codec.h"
#include "platform/SysUtils.h"

namespace {

bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

Integer Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

template <class Map>
String MapCodePoints(std::string_view s, Map map)
{
    String out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            out += static_cast<char>(map(b));
            ++i;
        } else {
            Utf8Codec::Append(out, map(Utf8Codec::Next(s, i)));
        }
    }
    return out;
}

// Compares two UTF-8 texts character by character after `fold`, in code-point
// order; a prefix sorts first.
template <class Fold>
Integer CompareCodePoints(std::string_view a, std::string_view b, Fold fold)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t ca = fold(Utf8Codec::Next(a, i));
        const char32_t cb = fold(Utf8Codec::Next(b, j));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

char32_t FoldCase(char32_t c)
{
    if (c < 0x80) return static_cast<char32_t>(AsciiLower(static_cast<char>(c)));
    return QChar::toCaseFolded(c);
}

char32_t Identity(char32_t c) { return c; }

// Clips a 1-based (index, count) range to [0, size) and returns (start, length).
std::pair<std::size_t, std::size_t> ClipRange(std::size_t size, Integer index, Integer count)
{
    Int64 start = std::max<Int64>(index, 1) - 1;
    if (start >= static_cast<Int64>(size) || count <= 0) return {size, 0};
    const Int64 length = std::min<Int64>(count, static_cast<Int64>(size) - start);
    return {static_cast<std::size_t>(start), static_cast<std::size_t>(length)};
}

// Byte offset of the character at 0-based character index `n` (size when past the end).
std::size_t CharOffset(std::string_view s, Int64 n)
{
    std::size_t pos = 0;
    for (Int64 k = 0; k < n && pos < s.size(); ++k) Utf8Codec::Next(s, pos);
    return pos;
}

std::size_t FindIgnoringAsciiCase(std::string_view s, std::string_view sub, std::size_t from)
{
    if (sub.size() > s.size()) return std::string_view::npos;
    for (std::size_t i = from; i + sub.size() <= s.size(); ++i) {
        std::size_t k = 0;
        while (k < sub.size() && AsciiLower(s[i + k]) == AsciiLower(sub[k])) ++k;
        if (k == sub.size()) return i;
    }
    return std::string_view::npos;
}

}  // namespace

String Trim(std::string_view s) { return String(TrimView(s)); }

std::string_view TrimView(std::string_view s)
{
    while (!s.empty() && IsTrimmed(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsTrimmed(s.back())) s.remove_suffix(1);
    return s;
}

String TrimLeft(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && IsTrimmed(s[i])) ++i;
    return String(s.substr(i));
}

String TrimRight(std::string_view s)
{
    std::size_t n = s.size();
    while (n > 0 && IsTrimmed(s[n - 1])) --n;
    return String(s.substr(0, n));
}

String UpperCase(std::string_view s)
{
    String out(s);
    for (char& c : out) c = AsciiUpper(c);
    return out;
}

String LowerCase(std::string_view s)
{
    String out(s);
    for (char& c : out) c = AsciiLower(c);
    return out;
}

String AnsiUpperCase(std::string_view s)
{
    return MapCodePoints(s, [](char32_t c) -> char32_t { return QChar::toUpper(c); });
}

String AnsiLowerCase(std::string_view s)
{
    return MapCodePoints(s, [](char32_t c) -> char32_t { return QChar::toLower(c); });
}

Integer CompareStr(std::string_view a, std::string_view b) { return Sign(a.compare(b)); }

Integer CompareText(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(AsciiLower(a[i]));
        const auto cb = static_cast<unsigned char>(AsciiLower(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

Integer AnsiCompareStr(std::string_view a, std::string_view b) { return CompareCodePoints(a, b, Identity); }
Integer AnsiCompareText(std::string_view a, std::string_view b) { return CompareCodePoints(a, b, FoldCase); }
bool AnsiSameText(std::string_view a, std::string_view b) { return AnsiCompareText(a, b) == 0; }
String AnsiCaseFold(std::string_view s) { return MapCodePoints(s, FoldCase); }
bool AnsiSameStr(std::string_view a, std::string_view b) { return a == b; }

String QuotedStr(std::string_view s) { return AnsiQuotedStr(s, '\''); }

String AnsiQuotedStr(std::string_view s, char quote)
{
    String out;
    out.reserve(s.size() + 2);
    out += quote;
    for (char c : s) {
        out += c;
        if (c == quote) out += quote;
    }
    out += quote;
    return out;
}

String AnsiDequotedStr(std::string_view s, char quote)
{
    if (s.empty() || s[0] != quote) return String(s);
    String out;
    std::size_t i = 1;
    while (i < s.size()) {
        if (s[i] == quote) {
            if (i + 1 < s.size() && s[i + 1] == quote) {
                out += quote;
                i += 2;
                continue;
            }
            break;  // closing quote; anything after it is dropped
        }
        out += s[i++];
    }
    return out;
}

String StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                     TReplaceFlags flags)
{
    if (oldPattern.empty()) return String(s);
    const bool ignoreCase = flags.Contains(rfIgnoreCase);
    String out;
    std::size_t from = 0;
    while (from <= s.size()) {
        const std::size_t at = ignoreCase ? FindIgnoringAsciiCase(s, oldPattern, from) : s.find(oldPattern, from);
        if (at == std::string_view::npos) break;
        out.append(s.substr(from, at - from));
        out.append(newPattern);
        from = at + oldPattern.size();
        if (!flags.Contains(rfReplaceAll)) break;
    }
    out.append(s.substr(std::min(from, s.size())));
    return out;
}

Integer Pos(std::string_view sub, std::string_view s) { return PosEx(sub, s, 1); }

Integer PosEx(std::string_view sub, std::string_view s, Integer offset)
{
    if (sub.empty() || offset < 1 || static_cast<std::size_t>(offset) > s.size()) return 0;
    const std::size_t at = s.find(sub, static_cast<std::size_t>(offset - 1));
    return at == std::string_view::npos ? 0 : static_cast<Integer>(at + 1);
}

String Copy(std::string_view s, Integer index, Integer count)
{
    const auto [start, length] = ClipRange(s.size(), index, count);
    return String(s.substr(start, length));
}

String Copy(std::string_view s, Integer index) { return Copy(s, index, std::numeric_limits<Integer>::max()); }

void Delete(String& s, Integer index, Integer count)
{
    if (index < 1) return;  // the class library ignores a start before the string
    const auto [start, length] = ClipRange(s.size(), index, count);
    s.erase(start, length);
}

void Insert(std::string_view sub, String& s, Integer index)
{
    const std::size_t at = static_cast<std::size_t>(std::clamp<Int64>(Int64{index} - 1, 0, Int64(s.size())));
    s.insert(at, sub);
}

String StringOfChar(char c, Integer count) { return String(static_cast<std::size_t>(std::max(count, 0)), c); }

Integer LastDelimiter(std::string_view delimiters, std::string_view s)
{
    const std::size_t at = s.find_last_of(delimiters);
    return at == std::string_view::npos ? 0 : static_cast<Integer>(at + 1);
}

Integer CharCount(std::string_view s)
{
    Integer n = 0;
    for (std::size_t pos = 0; pos < s.size(); ++n) Utf8Codec::Next(s, pos);
    return n;
}

String CharCopy(std::string_view s, Integer index, Integer count)
{
    if (count <= 0) return {};
    const Int64 first = std::max<Int64>(index, 1) - 1;
    const std::size_t start = CharOffset(s, first);
    const std::size_t stop = start + CharOffset(s.substr(start), count);
    return String(s.substr(start, stop - start));
}

String BoolToStr(bool value, bool useBoolStrs)
{
    if (useBoolStrs) return value ? "True" : "False";
    return value ? "-1" : "0";
}

String TextExcerpt(std::string_view s)
{
    constexpr std::size_t kMaxBytes = 256;
    if (s.size() <= kMaxBytes) return String(s);
    std::size_t cut = kMaxBytes - 3;
    // Back to the lead byte of a UTF-8 sequence.
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80) --cut;
    return String(s.substr(0, cut)) + "...";
}
