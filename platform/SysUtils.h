#pragma once
// Exceptions, string and number text, date-time and code-page conversion.

#include <array>
#include <concepts>
#include <exception>
#include <functional>
#include <span>
#include <string_view>

#include "platform/System.h"

class Exception : public std::exception {
public:
    explicit Exception(String message) : FMessage(std::move(message)) {}
    const char* what() const noexcept override { return FMessage.c_str(); }
    const String& Message() const { return FMessage; }
    void SetMessage(const String& message) { FMessage = message; }
    virtual const char* ClassName() const { return "Exception"; }

private:
    String FMessage;
};

#define PL_DECLARE_EXCEPTION(Name, Base)                             \
    class Name : public Base {                                       \
    public:                                                          \
        using Base::Base;                                            \
        const char* ClassName() const override { return #Name; }     \
    };

// Silent: the application's exception handler ignores it.
PL_DECLARE_EXCEPTION(EAbort, Exception)
PL_DECLARE_EXCEPTION(EConvertError, Exception)
// Bytes that are no text of the encoding their file announces.
PL_DECLARE_EXCEPTION(EEncodingError, Exception)
PL_DECLARE_EXCEPTION(EStringListError, Exception)
PL_DECLARE_EXCEPTION(EListError, Exception)
PL_DECLARE_EXCEPTION(EInvalidCast, Exception)
PL_DECLARE_EXCEPTION(EMathError, Exception)
PL_DECLARE_EXCEPTION(EInvalidOp, EMathError)
PL_DECLARE_EXCEPTION(EOverflow, EMathError)
PL_DECLARE_EXCEPTION(EZeroDivide, EMathError)
PL_DECLARE_EXCEPTION(EIntError, Exception)
PL_DECLARE_EXCEPTION(EDivByZero, EIntError)
PL_DECLARE_EXCEPTION(ERangeError, EIntError)
PL_DECLARE_EXCEPTION(EStreamError, Exception)
PL_DECLARE_EXCEPTION(EFCreateError, EStreamError)
PL_DECLARE_EXCEPTION(EFOpenError, EStreamError)
PL_DECLARE_EXCEPTION(EFilerError, EStreamError)
PL_DECLARE_EXCEPTION(EReadError, EFilerError)
PL_DECLARE_EXCEPTION(EWriteError, EFilerError)
PL_DECLARE_EXCEPTION(EClassNotFound, EFilerError)
PL_DECLARE_EXCEPTION(EInOutError, Exception)
PL_DECLARE_EXCEPTION(EOutOfResources, Exception)
PL_DECLARE_EXCEPTION(EComponentError, Exception)
PL_DECLARE_EXCEPTION(EVariantError, Exception)
PL_DECLARE_EXCEPTION(EPrinter, Exception)
PL_DECLARE_EXCEPTION(EInvalidGraphic, Exception)
PL_DECLARE_EXCEPTION(EInvalidOperation, Exception)
PL_DECLARE_EXCEPTION(ERegistryException, Exception)
PL_DECLARE_EXCEPTION(EThread, Exception)

// ===========================================================================
// Strings are UTF-8. Pos, Copy, Delete and Insert count bytes from 1, as the
// class library's single-byte strings did; CharCount and CharCopy count
// Unicode characters wherever the length of a text in characters matters.
// ===========================================================================

// Raises EAbort, the silent exception.
[[noreturn]] void Abort();

// ---- Format settings -------------------------------------------------------

struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char ListSeparator = ',';
    String ShortDateFormat = "dd/mm/yyyy";
    String LongDateFormat = "dddd, d mmmm yyyy";
    String ShortTimeFormat = "hh:nn";
    String LongTimeFormat = "hh:nn:ss";
    String TimeAMString = "AM";
    String TimePMString = "PM";
    // January and Sunday are at index 0.
    std::array<String, 12> ShortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<String, 12> LongMonthNames{"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
    std::array<String, 7> ShortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<String, 7> LongDayNames{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
};

// The settings every conversion without explicit settings uses.
extern TFormatSettings FormatSettings;

// Replaces the global FormatSettings for its lifetime (tests), then restores them.
class TFormatSettingsScope {
public:
    TFormatSettingsScope();
    explicit TFormatSettingsScope(const TFormatSettings& settings);
    ~TFormatSettingsScope();
    TFormatSettingsScope(const TFormatSettingsScope&) = delete;
    TFormatSettingsScope& operator=(const TFormatSettingsScope&) = delete;

private:
    TFormatSettings FSaved;
};

// ---- Strings ---------------------------------------------------------------

// Trim removes every character <= #32 (controls and blank) at the ends.
String Trim(std::string_view s);
// The same part of s, without a copy.
std::string_view TrimView(std::string_view s);
String TrimLeft(std::string_view s);
String TrimRight(std::string_view s);

// ASCII letters only; other bytes are kept.
String UpperCase(std::string_view s);
String LowerCase(std::string_view s);
// Unicode simple case mapping, independent of the locale.
String AnsiUpperCase(std::string_view s);
String AnsiLowerCase(std::string_view s);

// Byte order (< 0, 0, > 0).
Integer CompareStr(std::string_view a, std::string_view b);
// ASCII letters compared without case, then byte order.
Integer CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
// Code-point order.
Integer AnsiCompareStr(std::string_view a, std::string_view b);
// Unicode simple case folding, then code-point order; ignores the locale.
Integer AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);
// The text after that folding: two texts are AnsiSameText exactly when
// their folds are equal, so a fold keys a hashed lookup without case.
String AnsiCaseFold(std::string_view s);
bool AnsiSameStr(std::string_view a, std::string_view b);

// Encloses in single quotes, doubling the quotes inside.
String QuotedStr(std::string_view s);
String AnsiQuotedStr(std::string_view s, char quote);
// Removes the enclosing quotes and undoubles inner ones; text that does not
// start with the quote is returned unchanged.
String AnsiDequotedStr(std::string_view s, char quote);

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = TSet<TReplaceFlag>;
// rfIgnoreCase compares ASCII letters without case.
String StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                     TReplaceFlags flags);

// 1-based byte position of the first occurrence, 0 when absent or sub is empty.
Integer Pos(std::string_view sub, std::string_view s);
// Same, searching from byte offset (1-based); 0 for an offset out of range.
Integer PosEx(std::string_view sub, std::string_view s, Integer offset = 1);
// Bytes index..index+count-1 (1-based), clipped to the string.
String Copy(std::string_view s, Integer index, Integer count);
// From index to the end.
String Copy(std::string_view s, Integer index);
void Delete(String& s, Integer index, Integer count);
void Insert(std::string_view sub, String& s, Integer index);
String StringOfChar(char c, Integer count);
// 1-based byte position of the last character of s found in delimiters, 0 if none.
Integer LastDelimiter(std::string_view delimiters, std::string_view s);

// Number of Unicode characters (code points) of UTF-8 text.
Integer CharCount(std::string_view s);
// Characters index..index+count-1 (1-based, in characters), clipped.
String CharCopy(std::string_view s, Integer index, Integer count);
// A value or a name as a message quotes it: at most 256 bytes; a longer
// text is cut before a character and "..." follows the cut, so that no
// message grows with the text it quotes (a file name, a registry value, a
// number's text of 100 MB).
String TextExcerpt(std::string_view s);

// "True"/"False" with useBoolStrs, else "-1"/"0".
String BoolToStr(bool value, bool useBoolStrs = false);

// ---- Integers --------------------------------------------------------------

template <class T>
concept PlainInteger = std::integral<T> && !std::same_as<T, bool> && !std::same_as<T, char> &&
                       !std::same_as<T, char16_t> && !std::same_as<T, char32_t> && !std::same_as<T, wchar_t>;

String Int64ToStr(Int64 value);
String UInt64ToStr(UInt64 value);
// Any integer type, signed or unsigned, to decimal text.
template <PlainInteger T>
String IntToStr(T value)
{
    if constexpr (std::is_signed_v<T>)
        return Int64ToStr(value);
    else
        return UInt64ToStr(value);
}

// Upper-case hex of the value's bits in its own width, at least `digits` digits:
// IntToHex(-1, 4) = "FFFFFFFF" for a 32-bit value.
String IntToHexBits(UInt64 bits, Integer digits);
template <PlainInteger T>
String IntToHex(T value, Integer digits)
{
    return IntToHexBits(static_cast<UInt64>(static_cast<std::make_unsigned_t<T>>(value)), digits);
}

// Leading blanks, a sign, then decimal digits or "$"/"0x" hex digits; any
// trailing text or a value out of range raises EConvertError.
Integer StrToInt(std::string_view s);
Int64 StrToInt64(std::string_view s);
Integer StrToIntDef(std::string_view s, Integer defaultValue);
Int64 StrToInt64Def(std::string_view s, Int64 defaultValue);
bool TryStrToInt(std::string_view s, Integer& value);
bool TryStrToInt64(std::string_view s, Int64& value);

// ---- Float text ------------------------------------------------------------

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// General format, 15 significant digits: fixed notation when the decimal
// exponent is within -4..14, else "1.5E-5" / "1E15". NaN gives "NAN",
// infinities "INF"/"-INF", -0 gives "0".
String FloatToStr(Extended value, const TFormatSettings& settings = FormatSettings);
// Precision limits the significant digits (1..18) before Digits applies.
String FloatToStrF(Extended value, TFloatFormat format, Integer precision, Integer digits,
                   const TFormatSettings& settings = FormatSettings);
// Allocation-free form for hot paths: writes at most FloatTextCapacity bytes
// (no terminating zero) and returns their count.
constexpr Integer FloatTextCapacity = 64;
Integer FloatToText(char* buffer, Extended value, TFloatFormat format, Integer precision, Integer digits,
                    const TFormatSettings& settings = FormatSettings);
// Picture format: 0 # . , E+ E- e+ e-, 'quoted' and "quoted" text, and up to
// three ';' sections (positive; negative; zero).
String FormatFloat(std::string_view format, Extended value, const TFormatSettings& settings = FormatSettings);

// Blanks, a sign, digits with the settings' decimal separator, an optional
// exponent, blanks. NaN and infinity texts, hex and empty text are refused,
// and so is a value beyond the type's range, but for the text FloatToStr
// makes of its largest value (WithinFloatText). With allowSpecial the texts
// "NAN", "INF" and "-INF" (any case) are also read.
bool TryStrToFloat(std::string_view s, Extended& value, const TFormatSettings& settings = FormatSettings,
                   bool allowSpecial = false);
bool TryStrToFloat(std::string_view s, Double& value, const TFormatSettings& settings = FormatSettings,
                   bool allowSpecial = false);
bool TryStrToFloat(std::string_view s, Extended& value, bool allowSpecial);
bool TryStrToFloat(std::string_view s, Double& value, bool allowSpecial);
// Raises EConvertError where TryStrToFloat fails.
Extended StrToFloat(std::string_view s, const TFormatSettings& settings = FormatSettings);
Extended StrToFloatDef(std::string_view s, Extended defaultValue, const TFormatSettings& settings = FormatSettings);
// FloatToStr rounds the largest finite value of a float type up past it
// (1.79769313486232E308 for Double): a value beyond largest by no more
// than that rounding is largest, with the value's sign; any other value
// stays. So the text of every finite value reads back within its type:
// the Double reads above and the float property setters take it so.
Extended WithinFloatText(Extended value, Extended largest);

// ---- Format ----------------------------------------------------------------

// One argument of Format, as the class library's "array of const" element.
// It refers to string arguments without copying them: use it only within the
// call that receives it.
class TVarRec {
public:
    enum TKind { vtInt64, vtUInt64, vtExtended, vtString, vtChar, vtPointer };

    template <PlainInteger T>
    TVarRec(T v)
    {
        FBits = sizeof(T) <= 4 ? 32 : 64;
        if constexpr (std::is_signed_v<T>) {
            FKind = vtInt64;
            FInt = v;
        } else {
            FKind = vtUInt64;
            FUInt = v;
        }
    }
    template <std::floating_point T>
    TVarRec(T v) : FKind(vtExtended), FFloat(v) {}
    TVarRec(const char* s) : FKind(vtString), FText(s ? s : "") {}
    TVarRec(const String& s) : FKind(vtString), FText(s) {}
    TVarRec(std::string_view s) : FKind(vtString), FText(s) {}
    TVarRec(char c) : FKind(vtChar), FChar(c) {}
    TVarRec(const void* p) : FKind(vtPointer), FPointer(p) {}
    TVarRec(bool) = delete;  // the class library refuses Booleans in Format

    TKind Kind() const { return FKind; }
    bool IsText() const { return FKind == vtString || FKind == vtChar; }
    Int64 AsInt64() const { return FInt; }
    UInt64 AsUInt64() const { return FUInt; }
    // 32 for integer types up to 32 bits, else 64: %u and %x show negative
    // values in this width.
    int IntegerBits() const { return FBits; }
    Extended AsExtended() const { return FFloat; }
    std::string_view AsString() const { return FKind == vtChar ? std::string_view(&FChar, 1) : FText; }
    const void* AsPointer() const { return FPointer; }

private:
    TKind FKind = vtInt64;
    union {
        Int64 FInt = 0;
        UInt64 FUInt;
        Extended FFloat;
        const void* FPointer;
        char FChar;
    };
    std::string_view FText;
    int FBits = 64;
};

// "%[index:][-][width][.precision]type" with d u x s f e g n p, and "%%".
// Width and precision may be "*" (taken from the arguments). %f and %n
// default to 2 decimals; %e counts all significant digits (default 15) and
// writes "E+ddd". A missing or mismatched argument raises EConvertError.
String FormatArgs(std::string_view format, std::span<const TVarRec> args,
                  const TFormatSettings& settings = FormatSettings);

template <class... Args>
String Format(std::string_view format, const Args&... args)
{
    const TVarRec list[sizeof...(Args) + 1] = {TVarRec(args)..., TVarRec(0)};
    return FormatArgs(format, std::span<const TVarRec>(list, sizeof...(Args)), FormatSettings);
}
template <class... Args>
String Format(const TFormatSettings& settings, std::string_view format, const Args&... args)
{
    const TVarRec list[sizeof...(Args) + 1] = {TVarRec(args)..., TVarRec(0)};
    return FormatArgs(format, std::span<const TVarRec>(list, sizeof...(Args)), settings);
}

// ---- Date and time ---------------------------------------------------------
// A TDateTime counts days since 1899-12-30 00:00. For a negative value the
// truncated integer is the date and the absolute fraction the time of day:
// -1.25 is 1899-12-29 06:00.

constexpr Integer HoursPerDay = 24;
constexpr Integer MinsPerDay = 24 * 60;
constexpr Integer SecsPerDay = 24 * 60 * 60;
constexpr Integer MSecsPerDay = 24 * 60 * 60 * 1000;
// 0001-01-01 and 9999-12-31 as day numbers.
constexpr Integer MinDateTimeDay = -693593;
constexpr Integer MaxDateTimeDay = 2958465;

bool IsLeapYear(Word year);
Word DaysInAMonth(Word year, Word month);
// Raise EConvertError outside years 1..9999 or for an invalid day or time.
TDateTime EncodeDate(Word year, Word month, Word day);
TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec);
TDateTime EncodeDateTime(Word year, Word month, Word day, Word hour, Word min, Word sec, Word msec);
bool TryEncodeDate(Word year, Word month, Word day, TDateTime& value);
bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& value);
// Decoding rounds to whole milliseconds and carries into the date; NaN,
// infinities and dates outside years 1..9999 raise EConvertError.
void DecodeDate(TDateTime value, Word& year, Word& month, Word& day);
void DecodeTime(TDateTime value, Word& hour, Word& min, Word& sec, Word& msec);
void DecodeDateTime(TDateTime value, Word& year, Word& month, Word& day, Word& hour, Word& min, Word& sec,
                    Word& msec);
// False, leaving the outputs zero, where DecodeDateTime raises.
bool TryDecodeDateTime(TDateTime value, Word& year, Word& month, Word& day, Word& hour, Word& min, Word& sec,
                       Word& msec);
// 1 = Sunday .. 7 = Saturday.
Word DayOfWeek(TDateTime value);
// Moves by whole months, keeping the time; the day is clamped to the month's end.
TDateTime IncMonth(TDateTime value, Integer months = 1);
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);

// Local wall-clock date and time.
TDateTime Now();
TDateTime Date();
TDateTime Time();
// Milliseconds of a steady clock with an arbitrary origin: it never goes
// back, so intervals measured with it survive wall-clock changes.
Int64 MonotonicNow();
// Test hook: replaces the clocks behind Now/Date/Time and MonotonicNow.
// Empty functions restore the system clocks.
void SetClockOverride(std::function<TDateTime()> now, std::function<Int64()> monotonicMs);
struct TClockSource {
    std::function<TDateTime()> Now;
    std::function<Int64()> MonotonicMs;
};
// What SetClockOverride installed last (empty functions: the system clocks),
// so that a test can put it back.
TClockSource CurrentClockOverride();

// Codes: c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy h hh n nn s ss
// z zzz t tt am/pm a/p ampm / : and "quoted" or 'quoted' text; "m" right
// after an hour code means minutes; other characters are copied. An empty
// format means "c". NaN and dates outside years 1..9999 raise EConvertError.
String FormatDateTime(std::string_view format, TDateTime value, const TFormatSettings& settings = FormatSettings);
String DateToStr(TDateTime value, const TFormatSettings& settings = FormatSettings);
String TimeToStr(TDateTime value, const TFormatSettings& settings = FormatSettings);
String DateTimeToStr(TDateTime value, const TFormatSettings& settings = FormatSettings);
// Reads a date, a time, or a date and a time separated by blanks: the
// date's numbers in the order of the settings' ShortDateFormat with their
// DateSeparator (a missing year is this year's; one or two digits of a year
// fall within 50 years of now), the time as h[:n[:s[.z]]] with their
// TimeSeparator and DecimalSeparator and an optional AM/PM after it. Blanks
// around the text are ignored; anything else left over, an impossible date
// or time and an empty text fail. StrToDateTime raises EConvertError
// naming the text where TryStrToDateTime gives false.
bool TryStrToDateTime(std::string_view s, TDateTime& value, const TFormatSettings& settings = FormatSettings);
TDateTime StrToDateTime(std::string_view s, const TFormatSettings& settings = FormatSettings);

// ---- Files -----------------------------------------------------------------
// Paths accept '\' and '/' as separators and are written with '/'.

constexpr char PathDelim = '/';
constexpr Integer faReadOnly = 0x01;
constexpr Integer faHidden = 0x02;  // names starting with '.'
constexpr Integer faDirectory = 0x10;
constexpr Integer faArchive = 0x20;
constexpr Integer faAnyFile = 0x3F;

String ExtractFileName(std::string_view path);
// The extension with its dot ("" when none).
String ExtractFileExt(std::string_view path);
// Up to and including the last separator.
String ExtractFilePath(std::string_view path);
// Same, without the trailing separator.
String ExtractFileDir(std::string_view path);
String ChangeFileExt(std::string_view path, std::string_view extension);
String IncludeTrailingPathDelimiter(std::string_view path);
String ExcludeTrailingPathDelimiter(std::string_view path);
// Absolute, normalised path.
String ExpandFileName(std::string_view path);

bool FileExists(std::string_view path);
// True when nothing is at path, not even where a link there leads. A name
// the system cannot look up (a loop of links, a folder that may not be
// searched, a name too long) is no missing file: opening it tells why.
bool FileMissing(std::string_view path);
bool DirectoryExists(std::string_view path);
bool ForceDirectories(std::string_view path);
bool CreateDir(std::string_view path);
bool RemoveDir(std::string_view path);
bool DeleteFile(std::string_view path);
bool RenameFile(std::string_view oldName, std::string_view newName);
String GetCurrentDir();

// DOS-packed local date and time (seconds in steps of 2); -1 when the file
// does not exist.
Integer FileAge(std::string_view path);
Integer FileGetDate(std::string_view path);
// 0 on success, else an error code.
Integer FileSetDate(std::string_view path, Integer age);
TDateTime FileDateToDateTime(Integer fileDate);
Integer DateTimeToFileDate(TDateTime value);

struct TSearchRec {
    Integer Time = 0;  // DOS-packed
    Int64 Size = 0;
    Integer Attr = 0;
    String Name;
    // Internal state of the search.
    std::shared_ptr<void> FindHandle;
};
// The mask (after the last separator) compares without case; "*.*" matches
// every name. Returns 0 when an entry was found, else an error code.
Integer FindFirst(std::string_view path, Integer attr, TSearchRec& found);
Integer FindNext(TSearchRec& found);
void FindClose(TSearchRec& found);

// ---- Code pages ------------------------------------------------------------
// Windows-1252 bytes are the file format of single-byte text; UTF-16 is the
// Char form of the class library. A text file whose text Windows-1252 cannot
// hold is UTF-8 behind a byte-order mark, so that it reads back the same.

using RawByteString = std::string;
using UnicodeString = std::u16string;

// Characters outside Windows-1252 become '?'; invalid UTF-8 bytes too.
RawByteString Utf8ToWin1252(std::string_view utf8);
String Win1252ToUtf8(std::string_view bytes);
// Invalid UTF-8 bytes and unpaired surrogates become U+FFFD.
UnicodeString Utf8ToUtf16(std::string_view utf8);
String Utf16ToUtf8(std::u16string_view utf16);
// The text of a file's bytes: UTF-8 or UTF-16 (LE or BE) by a byte-order
// mark, which is dropped, else Windows-1252. Text of ASCII bytes alone is
// passed on without a copy. EEncodingError naming the line when the bytes
// after a UTF-8 mark are no UTF-8: they would be nobody's text.
String DecodeTextFile(RawByteString bytes);
// Whether bytes start with a byte-order mark that DecodeTextFile reads.
bool HasByteOrderMark(std::string_view bytes);
// The bytes of a text file holding Text, one encoding for the whole file:
// Windows-1252 when it holds every character and its bytes do not start
// like a byte-order mark (then they are Utf8ToWin1252's, ASCII text passed
// on without a copy), else UTF-8 behind its byte-order mark, each invalid
// UTF-8 byte of Text written as U+FFFD. DecodeTextFile reads Text back.
RawByteString EncodeTextFile(String Text);
// The line (from 1) of the byte at Offset, lines ending at CR LF, LF or CR.
Integer LineOfOffset(std::string_view Text, std::size_t Offset);
