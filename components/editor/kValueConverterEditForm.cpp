#include "components/editor/kValueConverterEditForm.h"

#include <cmath>

#include "platform/Forms.h"
#include "platform/Math.h"

namespace {

// Beside its label, as the pickers sit on the date/time page.
constexpr Integer kPickerGap = 5;
constexpr Integer kPickerRaise = 3;
constexpr Integer kPickerWidth = 137;

// The fields read as the editor's edits do: text that is no whole number
// of the field (emptied, letters, a fraction) reads 0.
Int64 ReadWhole(const TkComponentEditorEdit* Edit)
{
    Int64 value = 0;
    return TryStrToInt64(Trim(Edit->AsString()), value) ? value : 0;
}

// A time field; one past 32 bits is out of every field's range all the same.
Integer ReadSmall(const TkComponentEditorEdit* Edit) { return SatInt32(ReadWhole(Edit)); }

// A whole number that may be a float's text past 64 bits.
Double ReadWholeFloat(const TkComponentEditorEdit* Edit)
{
    Double value = 0;
    if (!TryStrToFloat(Trim(Edit->AsString()), value) || !std::isfinite(value)) return 0;
    return value == std::trunc(value) ? value : 0;
}

}  // namespace

TClass TkValueConverterEditForm::StaticClassInfo()
{
    using C = TkValueConverterEditForm;
    static const TClassInfo info = TClassBuilder<C, TkCustomEditorForm>("TkValueConverterEditForm")
                                       .Field("ButtonPanel", &C::ButtonPanel)
                                       .Field("OkButton", &C::OkButton)
                                       .Field("CancelButton", &C::CancelButton)
                                       .Field("ValueEdit", &C::ValueEdit)
                                       .Field("PageControl", &C::PageControl)
                                       .Field("IntervalSheet", &C::IntervalSheet)
                                       .Field("DateTimeSheet", &C::DateTimeSheet)
                                       .Field("PriceSheet", &C::PriceSheet)
                                       .Field("DaysEdit", &C::DaysEdit)
                                       .Field("WeeksEdit", &C::WeeksEdit)
                                       .Field("HoursEdit", &C::HoursEdit)
                                       .Field("MinutesEdit", &C::MinutesEdit)
                                       .Field("SecondsEdit", &C::SecondsEdit)
                                       .Field("MilliSecondsEdit", &C::MilliSecondsEdit)
                                       .Field("DaysUpDown", &C::DaysUpDown)
                                       .Field("WeeksUpDown", &C::WeeksUpDown)
                                       .Field("HoursUpDown", &C::HoursUpDown)
                                       .Field("MinutesUpDown", &C::MinutesUpDown)
                                       .Field("SecondsUpDown", &C::SecondsUpDown)
                                       .Field("MilliSecondsUpDown", &C::MilliSecondsUpDown)
                                       .Field("SetAllZeroButton", &C::SetAllZeroButton)
                                       .Field("DateLabel", &C::DateLabel)
                                       .Field("TimeLabel", &C::TimeLabel)
                                       .Field("NowButton", &C::NowButton)
                                       .Field("PriceIntegerEdit", &C::PriceIntegerEdit)
                                       .Field("Price32ndsEdit", &C::Price32ndsEdit)
                                       .Field("Price256thsEdit", &C::Price256thsEdit)
                                       .Field("PriceIntegerUpDown", &C::PriceIntegerUpDown)
                                       .Field("Price32ndsUpDown", &C::Price32ndsUpDown)
                                       .Field("Price256thsUpDown", &C::Price256thsUpDown)
                                       .Method<TNotifyEvent>("FormCreate", &C::FormCreate)
                                       .Method<TNotifyEvent>("TimeChange", &C::TimeChange)
                                       .Method<TNotifyEvent>("WeeksChange", &C::WeeksChange)
                                       .Method<TNotifyEvent>("Price32Change", &C::Price32Change)
                                       .Method<TNotifyEvent>("SetNowButtonClick", &C::SetNowButtonClick)
                                       .Method<TNotifyEvent>("SetAllZeroButtonClick", &C::SetAllZeroButtonClick)
                                       .Build();
    return &info;
}

TkValueConverterEditForm::TkValueConverterEditForm(TComponent* AOwner) : TkCustomEditorForm(AOwner) {}

void TkValueConverterEditForm::FormCreate(TObject*)
{
    const auto place = [this](TLabel* Label, TkDateTimePickerKind Kind) {
        TkDateTimePickerEdit* picker = Create<TkDateTimePickerEdit>(this);
        picker->SetParent(DateTimeSheet);
        picker->SetKind(Kind);
        picker->SetBounds(Label->Left() + Label->Width() + kPickerGap, Label->Top() - kPickerRaise, kPickerWidth,
                          picker->Height());
        picker->OnUpdate = [this](TObject* Sender) { DateTimePickerChange(Sender); };
        return picker;
    };
    DatePicker = place(DateLabel, kdtpkDate);
    TimePicker = place(TimeLabel, kdtpkTime);
}

void TkValueConverterEditForm::ShowPage(TkValueConverterPageType Page)
{
    TTabSheet* sheets[] = {IntervalSheet, DateTimeSheet, PriceSheet};
    PageControl->SetActivePage(sheets[Page == kvcptDateTime ? 1 : (Page == kvcptPrice32nd ? 2 : 0)]);
}

void TkValueConverterEditForm::SetValue(Double Value)
{
    const TkValueConverterView view = ValueConverterView(Value);
    ValueEdit->SetAsFloat(view.Value);
    if (DatePicker) DatePicker->SetDateTime(view.Date);
    if (TimePicker) TimePicker->SetDateTime(view.TimeOfDay);
    DaysEdit->SetAsString(IntToStr(view.Days));
    WeeksEdit->SetAsString(IntToStr(view.Weeks));
    HoursEdit->SetAsInteger(view.Time.Hours);
    MinutesEdit->SetAsInteger(view.Time.Minutes);
    SecondsEdit->SetAsInteger(view.Time.Seconds);
    MilliSecondsEdit->SetAsInteger(view.Time.MilliSeconds);
    PriceIntegerEdit->SetAsString(view.PriceInteger);
    Price32ndsEdit->SetAsString(IntToStr(view.Price32nds));
    Price256thsEdit->SetAsString(IntToStr(view.Price256ths));
}

// The pages show the value again afterwards: the new one (unless told not
// to), or the old one when the fields made no value.
template <class F>
void TkValueConverterEditForm::MakeValue(F Make, bool Refresh)
{
    bool made = false;
    TScopeExit show([&] {
        if (Refresh || !made) SetValue(Value());
    });
    ValueEdit->SetAsFloat(Make());
    made = true;
}

TkTimeOfDay TkValueConverterEditForm::EditedTime() const
{
    return {ReadSmall(HoursEdit), ReadSmall(MinutesEdit), ReadSmall(SecondsEdit), ReadSmall(MilliSecondsEdit)};
}

void TkValueConverterEditForm::TimeChange(TObject*)
{
    MakeValue([this] { return IntervalValue(ReadWhole(DaysEdit), EditedTime(), Negative()); }, true);
}

void TkValueConverterEditForm::WeeksChange(TObject*)
{
    MakeValue([this] { return WeeksValue(ReadWhole(WeeksEdit), EditedTime(), Negative()); }, true);
}

void TkValueConverterEditForm::DateTimePickerChange(TObject*)
{
    MakeValue([this] { return DateTimeValue(DatePicker->DateTime(), TimePicker->DateTime(), Negative()); }, true);
}

// The price fields keep what the user typed.
void TkValueConverterEditForm::Price32Change(TObject*)
{
    MakeValue(
        [this] {
            return PriceValue(ReadWholeFloat(PriceIntegerEdit), ReadWhole(Price32ndsEdit), ReadWhole(Price256thsEdit));
        },
        false);
}

void TkValueConverterEditForm::SetNowButtonClick(TObject*)
{
    MakeValue([] { return Now(); }, true);
}

void TkValueConverterEditForm::SetAllZeroButtonClick(TObject*)
{
    MakeValue([] { return 0.0; }, true);
}

bool TkValueConverterEditForm::Execute(TComponent* AOwner, TkValueConverterPageType Page, Double& Value,
                                       const std::function<void(TkValueConverterEditForm*)>& Translate)
{
    TOwned<TkValueConverterEditForm> form{Create<TkValueConverterEditForm>(AOwner)};
    form->ShowPage(Page);
    if (Translate) Translate(form.get());
    form->SetValue(Value);
    if (form->ShowModal() != mrOk) return false;
    Value = form->Value();
    return true;
}

void kValueConverterEditFormInitialization() { RegisterClass(TkValueConverterEditForm::StaticClassInfo()); }
