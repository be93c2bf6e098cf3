#pragma once
// Whole-file reads and safe writes of the plot's files, and the text they
// are made of: lines of text ended by CR LF, numbers in the general format.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "components/foundation/kErrorText.h"
#include "platform/SysUtils.h"

// The bytes of the file (EFOpenError naming it when it cannot be read).
std::string ReadFileBytes(const String& FileName);
// The first MaxLength bytes of the file (fewer when it is shorter): enough
// to tell the form of a file of any size.
std::string ReadFileHead(const String& FileName, std::size_t MaxLength);

// Both ends of a file of any size: its first HeadLength bytes, its last
// TailLength bytes (fewer when it is shorter) and its size.
struct TkFileEnds {
    std::string Head;
    std::string Tail;
    Int64 Size = 0;
};
TkFileEnds ReadFileEnds(const String& FileName, std::size_t HeadLength, std::size_t TailLength);

// Writes Bytes to a temporary file beside FileName, then puts it in
// FileName's place in one step: a failure on the way leaves the old file
// whole and no temporary behind (EFCreateError naming the file, or
// EWriteError).
void SaveFileSafely(const String& FileName, std::string_view Bytes);
// Appends Bytes to the end of an existing file, all of them or none
// (EFOpenError when it does not exist, EWriteError when the write falls
// short, which leaves the file as it was).
void AppendToFile(const String& FileName, std::string_view Bytes);

// Splits text into lines at CR LF, LF or CR; a UTF-8 byte-order mark
// before the first line is dropped, and an empty tail after the last line
// break is no line.
class TkTextLineReader {
public:
    explicit TkTextLineReader(std::string_view Text);
    bool Next(std::string_view& Line);
    // Next, and the line split at Separator in the same pass: an empty
    // field at the line's end is none, so an empty line has no fields.
    bool Next(std::string_view& Line, char Separator, std::vector<std::string_view>& Fields);
    // Of the line Next gave last, from 1.
    Integer LineNumber() const { return FLineNumber; }
    // Bytes after the line Next gave last.
    std::size_t RestSize() const { return FRest.size(); }

private:
    template <bool Split>
    bool Take(std::string_view& Line, char Separator, std::vector<std::string_view>* Fields);

    std::string_view FRest;
    Integer FLineNumber = 0;
};

// Number text of the plot's text files: the general format to 15
// significant digits, with the user's decimal separator unless it is the
// column separator, when "." keeps the columns apart. Reading takes either
// separator, and "NAN", "INF" and "-INF", which the writer gives for values
// that are no numbers.
class TkPlotNumberText {
public:
    explicit TkPlotNumberText(char ColumnSeparator);
    void Append(std::string& Out, Double Value) const;
    // False when Text (blanks around it allowed) is no number.
    bool Read(std::string_view Text, Double& Value) const;
    // Read, or EConvertError with the conversion message.
    Double ReadOrRaise(std::string_view Text) const;

private:
    TFormatSettings FWriting;
    TFormatSettings FReading;
    // FReading with the other decimal separator, for files from a user who
    // has it; '\0' as the separator when the user's own has no other.
    TFormatSettings FForeign;
};

// Raised by the readers: Message behind "line N: ".
[[noreturn]] void RaiseLineError(Integer Line, const String& Message);

// Where Text holds its first byte that no text file holds: NUL or another
// control character but TAB, LF, VT, FF and CR; npos when none.
std::size_t FindBinaryByte(std::string_view Text);
// EConvertError naming the line of the first binary byte: such a file is
// no text of any form, whatever it holds besides.
void CheckTextBytes(std::string_view Text);
// Runs Body; what it raises comes out with the file's name in front.
template <class F>
void NamingTheFile(const String& FileName, F&& Body)
{
    WithErrorPrefix("\"" + TextExcerpt(FileName) + "\" ", std::forward<F>(Body));
}
