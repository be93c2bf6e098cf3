#include <algorithm>

#include "platform/Consts.h"
#include "platform/SysUtils.h"

namespace {

// One "%[index:][-][width][.precision]type" directive.
struct TFormatSpec {
    bool LeftAlign = false;
    int Width = -1;
    int Precision = -1;
    char Type = 0;  // lower case
};

class TFormatter {
public:
    TFormatter(std::string_view format, std::span<const TVarRec> args, const TFormatSettings& settings)
        : FFormat(format), FArgs(args), FSettings(settings)
    {
    }

    String Run()
    {
        FOut.reserve(FFormat.size() + 16);
        while (FPos < FFormat.size()) {
            const char c = FFormat[FPos++];
            if (c != '%') {
                FOut += c;
            } else if (FPos < FFormat.size() && FFormat[FPos] == '%') {
                FOut += '%';
                ++FPos;
            } else {
                Directive();
            }
        }
        return std::move(FOut);
    }

private:
    [[noreturn]] void Invalid() const { throw EConvertError(Format(SInvalidFormat, TextExcerpt(FFormat))); }

    char Peek() const { return FPos < FFormat.size() ? FFormat[FPos] : '\0'; }

    const TVarRec& NextArg()
    {
        if (FArgIndex >= FArgs.size()) throw EConvertError(Format(SArgumentMissing, TextExcerpt(FFormat)));
        return FArgs[FArgIndex++];
    }

    // Digits or '*' (the next argument, which must be an integer); -1 when absent.
    int ReadCount()
    {
        if (Peek() == '*') {
            ++FPos;
            const TVarRec& arg = NextArg();
            if (arg.Kind() != TVarRec::vtInt64 && arg.Kind() != TVarRec::vtUInt64) Invalid();
            return static_cast<int>(std::clamp<Int64>(arg.AsInt64(), -1, 1 << 20));
        }
        if (Peek() < '0' || Peek() > '9') return -1;
        Int64 n = 0;
        while (Peek() >= '0' && Peek() <= '9') n = std::min<Int64>(n * 10 + (FFormat[FPos++] - '0'), 1 << 20);
        return static_cast<int>(n);
    }

    TFormatSpec ReadSpec()
    {
        TFormatSpec spec;
        int count = ReadCount();
        if (Peek() == ':') {
            ++FPos;
            FArgIndex = static_cast<std::size_t>(std::max(count, 0));
            count = -1;
        }
        if (count < 0) {
            if (Peek() == '-') {
                spec.LeftAlign = true;
                ++FPos;
            }
            count = ReadCount();
        }
        spec.Width = count;
        if (Peek() == '.') {
            ++FPos;
            spec.Precision = std::max(ReadCount(), 0);
        }
        const char type = Peek();
        if (type == '\0') Invalid();
        ++FPos;
        spec.Type = static_cast<char>(type >= 'A' && type <= 'Z' ? type + 32 : type);
        return spec;
    }

    void Directive()
    {
        const TFormatSpec spec = ReadSpec();
        String text;
        switch (spec.Type) {
        case 'd': text = Decimal(NextInteger(), spec.Precision); break;
        case 'u': text = Unsigned(NextInteger(), spec.Precision, 10); break;
        case 'x': text = Unsigned(NextInteger(), spec.Precision, 16); break;
        case 's': text = Text(spec.Precision); break;
        case 'p': text = Pointer(); break;
        case 'f': text = Float(ffFixed, 18, spec.Precision < 0 ? 2 : spec.Precision); break;
        case 'n': text = Float(ffNumber, 18, spec.Precision < 0 ? 2 : spec.Precision); break;
        case 'e': text = Float(ffExponent, spec.Precision < 0 ? 15 : spec.Precision, 3); break;
        case 'g': text = Float(ffGeneral, spec.Precision < 0 ? 15 : spec.Precision, 3); break;
        default: Invalid();
        }
        Pad(text, spec);
    }

    const TVarRec& NextInteger()
    {
        const TVarRec& arg = NextArg();
        if (arg.Kind() != TVarRec::vtInt64 && arg.Kind() != TVarRec::vtUInt64) Invalid();
        return arg;
    }

    static String ZeroPadded(String digits, int minDigits)
    {
        if (minDigits > static_cast<int>(digits.size())) digits.insert(0, minDigits - digits.size(), '0');
        return digits;
    }

    static String Decimal(const TVarRec& arg, int minDigits)
    {
        if (arg.Kind() == TVarRec::vtUInt64) return ZeroPadded(UInt64ToStr(arg.AsUInt64()), minDigits);
        const Int64 v = arg.AsInt64();
        const UInt64 magnitude = v < 0 ? UInt64{0} - static_cast<UInt64>(v) : static_cast<UInt64>(v);
        return (v < 0 ? "-" : "") + ZeroPadded(UInt64ToStr(magnitude), minDigits);
    }

    static String Unsigned(const TVarRec& arg, int minDigits, int base)
    {
        UInt64 bits = arg.Kind() == TVarRec::vtUInt64 ? arg.AsUInt64() : static_cast<UInt64>(arg.AsInt64());
        if (arg.IntegerBits() == 32) bits &= 0xFFFFFFFFu;
        return base == 10 ? ZeroPadded(UInt64ToStr(bits), minDigits) : IntToHexBits(bits, minDigits);
    }

    String Text(int maxChars)
    {
        const TVarRec& arg = NextArg();
        if (!arg.IsText()) Invalid();
        return maxChars < 0 ? String(arg.AsString()) : CharCopy(arg.AsString(), 1, maxChars);
    }

    String Pointer()
    {
        const TVarRec& arg = NextArg();
        if (arg.Kind() != TVarRec::vtPointer) Invalid();
        return IntToHexBits(reinterpret_cast<std::uintptr_t>(arg.AsPointer()), 16);
    }

    String Float(TFloatFormat format, int precision, int digits)
    {
        const TVarRec& arg = NextArg();
        Extended value = 0;
        switch (arg.Kind()) {
        case TVarRec::vtExtended: value = arg.AsExtended(); break;
        case TVarRec::vtInt64: value = static_cast<Extended>(arg.AsInt64()); break;
        case TVarRec::vtUInt64: value = static_cast<Extended>(arg.AsUInt64()); break;
        default: Invalid();
        }
        char buffer[FloatTextCapacity];
        const Integer n = FloatToText(buffer, value, format, precision, digits, FSettings);
        return String(buffer, static_cast<std::size_t>(n));
    }

    void Pad(const String& text, const TFormatSpec& spec)
    {
        const int padding = spec.Width - CharCount(text);
        if (padding > 0 && !spec.LeftAlign) FOut.append(static_cast<std::size_t>(padding), ' ');
        FOut += text;
        if (padding > 0 && spec.LeftAlign) FOut.append(static_cast<std::size_t>(padding), ' ');
    }

    std::string_view FFormat;
    std::span<const TVarRec> FArgs;
    const TFormatSettings& FSettings;
    std::size_t FPos = 0;
    std::size_t FArgIndex = 0;
    String FOut;
};

}  // namespace

String FormatArgs(std::string_view format, std::span<const TVarRec> args, const TFormatSettings& settings)
{
    return TFormatter(format, args, settings).Run();
}
