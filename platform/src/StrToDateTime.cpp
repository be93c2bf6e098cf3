#include <algorithm>
#include <array>
#include <optional>

#include "platform/Consts.h"
#include "platform/SysUtils.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads the text from left to right; every step either consumes what it
// wants or leaves the position where it was.
class TScanner {
public:
    explicit TScanner(std::string_view text) : FText(text) {}

    bool AtEnd() const { return FPos == FText.size(); }
    void SkipBlanks()
    {
        while (!AtEnd() && IsBlank(FText[FPos])) ++FPos;
    }
    bool Take(char c)
    {
        if (AtEnd() || FText[FPos] != c) return false;
        ++FPos;
        return true;
    }
    bool TakeWord(std::string_view word)
    {
        if (word.empty() || FText.size() - FPos < word.size() || !SameText(FText.substr(FPos, word.size()), word))
            return false;
        FPos += word.size();
        return true;
    }
    // Up to MaxDigits digits (at least one); Digits tells how many were read.
    std::optional<Word> Number(std::size_t MaxDigits, std::size_t* Digits = nullptr)
    {
        std::size_t n = 0;
        unsigned value = 0;
        while (!AtEnd() && IsDigit(FText[FPos]) && n < MaxDigits) {
            value = value * 10 + unsigned(FText[FPos] - '0');
            ++FPos, ++n;
        }
        // A longer run of digits is not a number of the field.
        if (n == 0 || (!AtEnd() && IsDigit(FText[FPos]))) return std::nullopt;
        if (Digits) *Digits = n;
        return static_cast<Word>(value);
    }

private:
    std::string_view FText;
    std::size_t FPos = 0;
};

// Where day, month and year stand in the settings' short date format.
enum TDateField { dfDay, dfMonth, dfYear };

std::array<TDateField, 3> DateOrder(std::string_view format)
{
    std::array<TDateField, 3> order{};
    std::size_t count = 0;
    auto add = [&](TDateField field) {
        if (std::find(order.begin(), order.begin() + count, field) == order.begin() + count) order[count++] = field;
    };
    for (char c : format) {
        if (c == 'd' || c == 'D') add(dfDay);
        if (c == 'm' || c == 'M') add(dfMonth);
        if (c == 'y' || c == 'Y') add(dfYear);
    }
    // A format that leaves a field out reads it where day, month, year would.
    for (const TDateField field : {dfDay, dfMonth, dfYear}) add(field);
    return order;
}

// A year of one or two digits lies within 50 years of the current one.
Word FullYear(Word year, std::size_t digits)
{
    if (digits > 2) return year;
    Word thisYear = 0, month = 0, day = 0;
    DecodeDate(Date(), thisYear, month, day);
    const int pivot = thisYear - 50;
    int full = pivot - pivot % 100 + year;
    if (full < pivot) full += 100;
    return static_cast<Word>(full);
}

struct TDateParts {
    Word Year = 1899, Month = 12, Day = 30;  // day 0
};

struct TTimeParts {
    Word Hour = 0, Min = 0, Sec = 0, MSec = 0;
};

std::optional<TDateParts> ReadDate(TScanner& scan, const TFormatSettings& settings)
{
    std::array<Word, 3> numbers{};
    std::array<std::size_t, 3> digits{};
    std::size_t count = 0;
    do {
        const auto number = scan.Number(4, &digits[count]);
        if (!number) return std::nullopt;
        numbers[count++] = *number;
    } while (count < 3 && scan.Take(settings.DateSeparator));
    if (count < 2) return std::nullopt;

    Word day = 0, month = 0, year = 0;
    DecodeDate(Date(), year, month, day);
    std::size_t yearDigits = 4;
    std::size_t next = 0;
    for (const TDateField field : DateOrder(settings.ShortDateFormat)) {
        // Two numbers are the day and the month, in their order.
        if (field == dfYear && count == 2) continue;
        const Word number = numbers[next];
        switch (field) {
            case dfDay: day = number; break;
            case dfMonth: month = number; break;
            case dfYear: year = number, yearDigits = digits[next]; break;
        }
        ++next;
    }
    const TDateParts date{FullYear(year, yearDigits), month, day};
    TDateTime value = 0;
    if (!TryEncodeDate(date.Year, date.Month, date.Day, value)) return std::nullopt;
    return date;
}

// 0 without a marker, 1 for AM, 2 for PM.
int ReadAmPm(TScanner& scan, const TFormatSettings& settings)
{
    scan.SkipBlanks();
    if (scan.TakeWord(settings.TimeAMString) || scan.TakeWord("AM")) return 1;
    if (scan.TakeWord(settings.TimePMString) || scan.TakeWord("PM")) return 2;
    return 0;
}

std::optional<TTimeParts> ReadTime(TScanner& scan, const TFormatSettings& settings)
{
    std::array<Word, 4> parts{};  // hours, minutes, seconds, milliseconds
    const auto hours = scan.Number(2);
    if (!hours) return std::nullopt;
    parts[0] = *hours;
    for (std::size_t i = 1; i < 3 && scan.Take(settings.TimeSeparator); ++i) {
        const auto number = scan.Number(2);
        if (!number) return std::nullopt;
        parts[i] = *number;
        if (i == 2 && scan.Take(settings.DecimalSeparator)) {
            std::size_t digits = 0;
            const auto fraction = scan.Number(3, &digits);
            if (!fraction) return std::nullopt;
            parts[3] = static_cast<Word>(*fraction * (digits == 1 ? 100 : digits == 2 ? 10 : 1));
        }
    }
    switch (ReadAmPm(scan, settings)) {
        case 1:
            if (parts[0] < 1 || parts[0] > 12) return std::nullopt;
            parts[0] %= 12;
            break;
        case 2:
            if (parts[0] < 1 || parts[0] > 12) return std::nullopt;
            parts[0] = static_cast<Word>(parts[0] % 12 + 12);
            break;
        default: break;
    }
    const TTimeParts time{parts[0], parts[1], parts[2], parts[3]};
    TDateTime value = 0;
    if (!TryEncodeTime(time.Hour, time.Min, time.Sec, time.MSec, value)) return std::nullopt;
    return time;
}

// True when the first word of the text is a time (it holds the time
// separator before any blank).
bool StartsWithTime(std::string_view text, char timeSeparator)
{
    for (char c : text) {
        if (IsBlank(c)) return false;
        if (c == timeSeparator) return true;
    }
    return false;
}

}  // namespace

bool TryStrToDateTime(std::string_view s, TDateTime& value, const TFormatSettings& settings)
{
    const String text = Trim(s);
    TScanner scan(text);
    std::optional<TDateParts> date = TDateParts{};
    std::optional<TTimeParts> time = TTimeParts{};
    if (StartsWithTime(text, settings.TimeSeparator)) {
        time = ReadTime(scan, settings);
    } else {
        date = ReadDate(scan, settings);
        scan.SkipBlanks();
        if (date && !scan.AtEnd()) time = ReadTime(scan, settings);
    }
    if (!date || !time || !scan.AtEnd()) return false;
    // Both were checked: the encoding cannot fail.
    value = EncodeDateTime(date->Year, date->Month, date->Day, time->Hour, time->Min, time->Sec, time->MSec);
    return true;
}

TDateTime StrToDateTime(std::string_view s, const TFormatSettings& settings)
{
    TDateTime value = 0;
    if (!TryStrToDateTime(s, value, settings)) throw EConvertError(Format(SInvalidDateTimeText, TextExcerpt(s)));
    return value;
}
