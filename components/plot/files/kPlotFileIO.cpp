#include "components/plot/files/kPlotFileIO.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/Classes.h"
#include "platform/Consts.h"

std::string ReadFileBytes(const String& FileName)
{
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    const Int64 size = file.Size();
    std::string bytes(static_cast<std::size_t>(std::max<Int64>(size, 0)), '\0');
    file.ReadBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
    return bytes;
}

namespace {

std::string ReadUpTo(TStream& Stream, std::size_t MaxLength)
{
    std::string bytes(MaxLength, '\0');
    const Int64 got = Stream.Read(bytes.data(), static_cast<Int64>(MaxLength));
    bytes.resize(static_cast<std::size_t>(std::max<Int64>(got, 0)));
    return bytes;
}

}  // namespace

std::string ReadFileHead(const String& FileName, std::size_t MaxLength)
{
    return ReadFileEnds(FileName, MaxLength, 0).Head;
}

TkFileEnds ReadFileEnds(const String& FileName, std::size_t HeadLength, std::size_t TailLength)
{
    TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
    TkFileEnds ends;
    ends.Head = ReadUpTo(file, HeadLength);
    ends.Size = file.Size();
    file.SetPosition(std::max<Int64>(ends.Size - static_cast<Int64>(TailLength), 0));
    ends.Tail = ReadUpTo(file, TailLength);
    return ends;
}

void SaveFileSafely(const String& FileName, std::string_view Bytes)
{
    TSafeFileStream file(FileName);
    file.WriteBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
    file.Commit();
}

void AppendToFile(const String& FileName, std::string_view Bytes)
{
    TFileStream file(FileName, fmOpenReadWrite);
    const Int64 end = file.Seek(0, soEnd);
    try {
        file.WriteBuffer(Bytes.data(), static_cast<Int64>(Bytes.size()));
    } catch (const EWriteError&) {
        // What a full disk took of the bytes goes: the file keeps ending
        // where a whole append did.
        file.SetSize(end);
        throw;
    }
}

// ---------------------------------------------------------------------------

TkTextLineReader::TkTextLineReader(std::string_view Text) : FRest(Text)
{
    if (FRest.starts_with("\xEF\xBB\xBF")) FRest.remove_prefix(3);
}

bool TkTextLineReader::Next(std::string_view& Line) { return Take<false>(Line, '\0', nullptr); }

bool TkTextLineReader::Next(std::string_view& Line, char Separator, std::vector<std::string_view>& Fields)
{
    return Take<true>(Line, Separator, &Fields);
}

// One plain loop over the line's bytes: a library search per line, or per
// field, costs more than the short lines of a data file take to walk. Most
// bytes (digits, signs, points) lie above every byte the loop looks for, so
// one comparison passes them.
template <bool Split>
bool TkTextLineReader::Take(std::string_view& Line, char Separator, std::vector<std::string_view>* Fields)
{
    if (FRest.empty()) return false;
    ++FLineNumber;
    const auto plainAbove = static_cast<unsigned char>(Split ? std::max<unsigned char>('\r', Separator) : '\r');
    const char* const begin = FRest.data();
    const char* const end = begin + FRest.size();
    const char* field = begin;
    const char* at = begin;
    if constexpr (Split) Fields->clear();
    for (;; ++at) {
        while (at != end && static_cast<unsigned char>(*at) > plainAbove) ++at;
        if (at == end || *at == '\r' || *at == '\n') break;
        if (Split && *at == Separator) {
            Fields->emplace_back(field, static_cast<std::size_t>(at - field));
            field = at + 1;
        }
    }
    if constexpr (Split) {
        if (at != field) Fields->emplace_back(field, static_cast<std::size_t>(at - field));
    }
    Line = std::string_view(begin, static_cast<std::size_t>(at - begin));
    const bool crLf = at != end && *at == '\r' && at + 1 != end && at[1] == '\n';
    FRest.remove_prefix(Line.size() + (at == end ? 0 : crLf ? 2 : 1));
    return true;
}

// ---------------------------------------------------------------------------

TkPlotNumberText::TkPlotNumberText(char ColumnSeparator)
    : FWriting(FormatSettings), FReading(FormatSettings), FForeign(FormatSettings)
{
    if (FWriting.DecimalSeparator == ColumnSeparator) FWriting.DecimalSeparator = '.';
    const char own = FReading.DecimalSeparator;
    FForeign.DecimalSeparator = own == ',' ? '.' : own == '.' ? ',' : '\0';
}

void TkPlotNumberText::Append(std::string& Out, Double Value) const
{
    char text[FloatTextCapacity];
    const Integer length = FloatToText(text, Value, ffGeneral, 15, 0, FWriting);
    Out.append(text, static_cast<std::size_t>(length));
}

bool TkPlotNumberText::Read(std::string_view Text, Double& Value) const
{
    // A number in the user's own form holds no other separator: most fields
    // need no search for one.
    if (TryStrToFloat(Text, Value, FReading, false)) return true;
    const char foreign = FForeign.DecimalSeparator;
    const bool fromForeignUser = foreign != '\0' && Text.find(foreign) != std::string_view::npos;
    return TryStrToFloat(Text, Value, fromForeignUser ? FForeign : FReading, true);
}

Double TkPlotNumberText::ReadOrRaise(std::string_view Text) const
{
    Double value = 0;
    if (!Read(Text, value)) throw EConvertError(Format(SInvalidFloat, TextExcerpt(Text)));
    return value;
}

void RaiseLineError(Integer Line, const String& Message)
{
    throw EConvertError("line " + IntToStr(Line) + ": " + Message);
}

namespace {

bool IsBinaryByte(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b < ' ' && (b < '\t' || b > '\r');
}

// IsBinaryByte for the eight bytes of Word at once. Each byte is compared on
// its low seven bits alone, so no carry crosses into the next one.
bool HoldsBinaryByte(std::uint64_t Word)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHigh = 0x80 * kOnes;
    const std::uint64_t low = Word & ~kHigh;
    const std::uint64_t ascii = ~Word & kHigh;
    const auto below = [&](std::uint64_t Limit) { return ~(low + (0x80 - Limit) * kOnes) & ascii; };
    return (below('\t') | (below(' ') & ~below('\r' + 1))) != 0;
}

}  // namespace

std::size_t FindBinaryByte(std::string_view Text)
{
    // A word at a time up to the word that holds one.
    std::size_t from = 0;
    for (std::uint64_t word = 0; from + sizeof word <= Text.size(); from += sizeof word) {
        std::memcpy(&word, Text.data() + from, sizeof word);
        if (HoldsBinaryByte(word)) break;
    }
    const auto found = std::find_if(Text.begin() + static_cast<std::ptrdiff_t>(from), Text.end(), IsBinaryByte);
    return found == Text.end() ? std::string_view::npos : static_cast<std::size_t>(found - Text.begin());
}

void CheckTextBytes(std::string_view Text)
{
    const std::size_t at = FindBinaryByte(Text);
    if (at == std::string_view::npos) return;
    RaiseLineError(LineOfOffset(Text, at), "the control character #" + IntToStr(static_cast<unsigned char>(Text[at])) +
                                               " is no text: the file is binary");
}
