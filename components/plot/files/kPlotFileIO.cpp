#include "components/plot/files/kPlotFileIO.h"

#include <algorithm>

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

bool TkTextLineReader::Next(std::string_view& Line)
{
    if (FRest.empty()) return false;
    const std::size_t end = FRest.find_first_of("\r\n");
    ++FLineNumber;
    if (end == std::string_view::npos) {
        Line = FRest;
        FRest = {};
        return true;
    }
    Line = FRest.substr(0, end);
    const bool crLf = FRest[end] == '\r' && end + 1 < FRest.size() && FRest[end + 1] == '\n';
    FRest.remove_prefix(end + (crLf ? 2 : 1));
    return true;
}

// ---------------------------------------------------------------------------

TkPlotNumberText::TkPlotNumberText(char ColumnSeparator) : FWriting(FormatSettings), FReading(FormatSettings)
{
    if (FWriting.DecimalSeparator == ColumnSeparator) FWriting.DecimalSeparator = '.';
    FForeignSeparator = FReading.DecimalSeparator == ',' ? '.' : FReading.DecimalSeparator == '.' ? ',' : '\0';
}

void TkPlotNumberText::Append(std::string& Out, Double Value) const
{
    char text[FloatTextCapacity];
    const Integer length = FloatToText(text, Value, ffGeneral, 15, 0, FWriting);
    Out.append(text, static_cast<std::size_t>(length));
}

bool TkPlotNumberText::Read(std::string_view Text, Double& Value) const
{
    const std::size_t foreign = FForeignSeparator == '\0' ? std::string_view::npos : Text.find(FForeignSeparator);
    if (foreign == std::string_view::npos) return TryStrToFloat(Text, Value, FReading, true);
    // The file came from a user with the other decimal separator.
    std::string exchanged(Text);
    exchanged[foreign] = FReading.DecimalSeparator;
    return TryStrToFloat(exchanged, Value, FReading, true);
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

std::size_t FindBinaryByte(std::string_view Text)
{
    const auto binary = [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b < ' ' && (b < '\t' || b > '\r');
    };
    const auto found = std::find_if(Text.begin(), Text.end(), binary);
    return found == Text.end() ? std::string_view::npos : static_cast<std::size_t>(found - Text.begin());
}

Integer LineOfOffset(std::string_view Text, std::size_t Offset)
{
    const std::string_view before = Text.substr(0, Offset);
    Integer line = 1;
    for (std::size_t i = 0; i < before.size(); ++i)
        if (before[i] == '\n' || (before[i] == '\r' && (i + 1 >= Text.size() || Text[i + 1] != '\n'))) ++line;
    return line;
}

void CheckTextBytes(std::string_view Text)
{
    const std::size_t at = FindBinaryByte(Text);
    if (at == std::string_view::npos) return;
    RaiseLineError(LineOfOffset(Text, at), "the control character #" + IntToStr(static_cast<unsigned char>(Text[at])) +
                                               " is no text: the file is binary");
}
