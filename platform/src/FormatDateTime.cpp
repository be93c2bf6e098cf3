#include <algorithm>

#include "platform/SysUtils.h"

namespace {

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool StartsWithText(std::string_view s, std::size_t at, std::string_view word)
{
    return s.size() - at >= word.size() && SameText(s.substr(at, word.size()), word);
}

struct TDateParts {
    Word Year, Month, Day, Hour, Min, Sec, MSec;
    Word WeekDay;  // 1 = Sunday
    bool HasTime;
};

class TDateTimeWriter {
public:
    TDateTimeWriter(const TDateParts& parts, const TFormatSettings& settings) : FParts(parts), FSettings(settings) {}

    String Run(std::string_view format)
    {
        Append(format.empty() ? std::string_view("c") : format, 0);
        return std::move(FOut);
    }

private:
    // Nested formats (c, ddddd, t...) expand two levels deep at most, so a
    // settings format that names itself cannot recurse forever.
    void Append(std::string_view f, int level)
    {
        if (level > 2) return;
        char lastLetter = 0;
        for (std::size_t i = 0; i < f.size();) {
            const char c = f[i];
            char code = Upper(c);
            if (code >= 'A' && code <= 'Z') {
                if (code == 'M' && lastLetter == 'H') code = 'N';
                lastLetter = code;
            }
            const std::size_t run = RunLength(f, i);
            switch (code) {
            case '\'':
            case '"': {
                const std::size_t close = f.find(c, i + 1);
                const std::size_t end = close == std::string_view::npos ? f.size() : close;
                FOut.append(f.substr(i + 1, end - i - 1));
                i = end == f.size() ? end : end + 1;
                continue;
            }
            case 'C':
                Append(FSettings.ShortDateFormat, level + 1);
                if (FParts.HasTime) {
                    FOut += ' ';
                    Append(FSettings.LongTimeFormat, level + 1);
                }
                i += 1;
                continue;
            case 'D': i += Days(std::min<std::size_t>(run, 6), level); continue;
            case 'Y':
                Number(run <= 2 ? FParts.Year % 100 : FParts.Year, run <= 2 ? 2 : 4);
                i += run;
                continue;
            case 'M': i += Months(std::min<std::size_t>(run, 4)); continue;
            case 'N': Number(FParts.Min, run >= 2 ? 2 : 1), i += std::min<std::size_t>(run, 2); continue;
            case 'H': Number(Hour(f, i + run), run >= 2 ? 2 : 1), i += std::min<std::size_t>(run, 2); continue;
            case 'S': Number(FParts.Sec, run >= 2 ? 2 : 1), i += std::min<std::size_t>(run, 2); continue;
            case 'Z': Number(FParts.MSec, run >= 3 ? 3 : 1), i += std::min<std::size_t>(run, 3); continue;
            case 'T':
                Append(run >= 2 ? FSettings.LongTimeFormat : FSettings.ShortTimeFormat, level + 1);
                i += std::min<std::size_t>(run, 2);
                continue;
            case 'A': i += AmPm(f, i); continue;
            case '/': FOut += FSettings.DateSeparator, ++i; continue;
            case ':': FOut += FSettings.TimeSeparator, ++i; continue;
            default: FOut += c, ++i; continue;
            }
        }
    }

    static std::size_t RunLength(std::string_view f, std::size_t i)
    {
        std::size_t n = 1;
        while (i + n < f.size() && Upper(f[i + n]) == Upper(f[i])) ++n;
        return n;
    }

    void Number(int value, int minDigits)
    {
        const String digits = IntToStr(value);
        if (static_cast<int>(digits.size()) < minDigits) FOut.append(minDigits - digits.size(), '0');
        FOut += digits;
    }

    std::size_t Days(std::size_t run, int level)
    {
        switch (run) {
        case 1: Number(FParts.Day, 1); break;
        case 2: Number(FParts.Day, 2); break;
        case 3: FOut += FSettings.ShortDayNames[FParts.WeekDay - 1]; break;
        case 4: FOut += FSettings.LongDayNames[FParts.WeekDay - 1]; break;
        case 5: Append(FSettings.ShortDateFormat, level + 1); break;
        default: Append(FSettings.LongDateFormat, level + 1); break;
        }
        return run;
    }

    std::size_t Months(std::size_t run)
    {
        switch (run) {
        case 1: Number(FParts.Month, 1); break;
        case 2: Number(FParts.Month, 2); break;
        case 3: FOut += FSettings.ShortMonthNames[FParts.Month - 1]; break;
        default: FOut += FSettings.LongMonthNames[FParts.Month - 1]; break;
        }
        return run;
    }

    // A 12-hour clock when an am/pm code follows later in the format.
    int Hour(std::string_view f, std::size_t from) const
    {
        bool twelveHour = false;
        for (std::size_t i = from; i < f.size() && !twelveHour; ++i) {
            if (f[i] == '\'' || f[i] == '"') {
                const std::size_t close = f.find(f[i], i + 1);
                if (close == std::string_view::npos) break;
                i = close;
            } else {
                twelveHour = StartsWithText(f, i, "am/pm") || StartsWithText(f, i, "a/p") ||
                             StartsWithText(f, i, "ampm");
            }
        }
        if (!twelveHour) return FParts.Hour;
        const int h = FParts.Hour % 12;
        return h == 0 ? 12 : h;
    }

    // am/pm and a/p copy the letters of the format in their case; ampm
    // writes the settings' strings. Any other 'a' is plain text.
    std::size_t AmPm(std::string_view f, std::size_t i)
    {
        const bool pm = FParts.Hour >= 12;
        if (StartsWithText(f, i, "am/pm")) {
            FOut.append(f.substr(pm ? i + 3 : i, 2));
            return 5;
        }
        if (StartsWithText(f, i, "a/p")) {
            FOut += f[pm ? i + 2 : i];
            return 3;
        }
        if (StartsWithText(f, i, "ampm")) {
            FOut += pm ? FSettings.TimePMString : FSettings.TimeAMString;
            return 4;
        }
        FOut += f[i];
        return 1;
    }

    const TDateParts& FParts;
    const TFormatSettings& FSettings;
    String FOut;
};

}  // namespace

String FormatDateTime(std::string_view format, TDateTime value, const TFormatSettings& settings)
{
    TDateParts parts{};
    DecodeDateTime(value, parts.Year, parts.Month, parts.Day, parts.Hour, parts.Min, parts.Sec, parts.MSec);
    parts.WeekDay = DayOfWeek(value);
    parts.HasTime = parts.Hour != 0 || parts.Min != 0 || parts.Sec != 0 || parts.MSec != 0;
    return TDateTimeWriter(parts, settings).Run(format);
}

String DateToStr(TDateTime value, const TFormatSettings& settings) { return FormatDateTime("ddddd", value, settings); }
String TimeToStr(TDateTime value, const TFormatSettings& settings) { return FormatDateTime("tt", value, settings); }
String DateTimeToStr(TDateTime value, const TFormatSettings& settings) { return FormatDateTime("c", value, settings); }
