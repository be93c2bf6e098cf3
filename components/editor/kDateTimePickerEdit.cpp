#include "components/editor/kDateTimePickerEdit.h"

#include <cmath>
#include <cstdio>

#include "platform/Forms.h"

namespace {

// The years a date field shows.
constexpr Word kFirstYear = 1601;
constexpr Word kLastYear = 9999;

}  // namespace

TClass TkDateTimePickerEdit::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkDateTimePickerEdit, TkComponentEditorEdit>("TkDateTimePickerEdit").Build();
    return &info;
}

TkDateTimePickerEdit::TkDateTimePickerEdit(TComponent* AOwner) : TkComponentEditorEdit(AOwner) {}

void TkDateTimePickerEdit::SetKind(TkDateTimePickerKind Value) { FKind = Value; }

TDateTime TkDateTimePickerEdit::DateTime() const
{
    const String text = Trim(AsString());
    unsigned a = 0;
    unsigned b = 0;
    unsigned c = 0;
    unsigned ms = 0;
    char end = 0;
    TDateTime value = 0;
    if (FKind == kdtpkDate) {
        const bool read = std::sscanf(text.c_str(), "%4u-%2u-%2u%c", &a, &b, &c, &end) == 3;
        if (!read || a < kFirstYear || a > kLastYear || !TryEncodeDate(Word(a), Word(b), Word(c), value))
            throw EConvertError("'" + TextExcerpt(text) + "' is not a date (yyyy-mm-dd, years 1601 to 9999)");
        return value;
    }
    const bool read = std::sscanf(text.c_str(), "%2u:%2u:%2u.%3u%c", &a, &b, &c, &ms, &end) == 4;
    if (!read || !TryEncodeTime(Word(a), Word(b), Word(c), Word(ms), value))
        throw EConvertError("'" + TextExcerpt(text) + "' is not a time of day (hh:nn:ss.zzz)");
    return value;
}

bool TkDateTimePickerEdit::SetDateTime(TDateTime Value)
{
    if (!std::isfinite(Value)) return false;
    if (FKind == kdtpkTime) {
        SetAsString(FormatDateTime("hh:nn:ss.zzz", Value - std::trunc(Value)));
        return true;
    }
    Word year = 0;
    Word month = 0;
    Word day = 0;
    Word hour = 0;
    Word minute = 0;
    Word second = 0;
    Word ms = 0;
    const TDateTime date = std::trunc(Value);
    if (!TryDecodeDateTime(date, year, month, day, hour, minute, second, ms) || year < kFirstYear || year > kLastYear)
        return false;
    SetAsString(FormatDateTime("yyyy-mm-dd", date));
    return true;
}

void kDateTimePickerEditInitialization() { RegisterClass(TkDateTimePickerEdit::StaticClassInfo()); }
