#pragma once
// The value converter dialog: one value shown and edited as an interval,
// as a date and a time, and as a price in 32nds and 256ths. An edit on the
// interval or date/time page makes the value anew and refreshes every page;
// a price edit only makes the value. A field that holds no whole number
// reads 0; a time of day out of range raises, and the value stays as it was.

#include "components/editor/kDateTimePickerEdit.h"
#include "components/editor/kEditorControls.h"
#include "components/editor/kEditorEdit.h"
#include "components/editor/kEditorForm.h"
#include "components/editor/kUpDown.h"
#include "components/editor/kValueConverter.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

class TkValueConverterEditForm : public TkCustomEditorForm {
    PL_CLASSINFO()
public:
    explicit TkValueConverterEditForm(TComponent* AOwner);

    Double Value() const { return ValueEdit->AsFloat(); }
    // Every page from Value, without events.
    void SetValue(Double Value);
    void ShowPage(TkValueConverterPageType Page);

    // Opens the dialog on Value at Page; on OK, Value takes the result.
    // Translate, when given, translates the dialog's texts first.
    static bool Execute(TComponent* AOwner, TkValueConverterPageType Page, Double& Value,
                        const std::function<void(TkValueConverterEditForm*)>& Translate = nullptr);

    // --- the form's controls ---------------------------------------------------------
    TPanel* ButtonPanel = nullptr;
    TButton* OkButton = nullptr;
    TButton* CancelButton = nullptr;
    TkComponentEditorEdit* ValueEdit = nullptr;
    TkComponentEditorPageControl* PageControl = nullptr;
    TTabSheet* IntervalSheet = nullptr;
    TTabSheet* DateTimeSheet = nullptr;
    TTabSheet* PriceSheet = nullptr;
    TkComponentEditorEdit* DaysEdit = nullptr;
    TkComponentEditorEdit* WeeksEdit = nullptr;
    TkComponentEditorEdit* HoursEdit = nullptr;
    TkComponentEditorEdit* MinutesEdit = nullptr;
    TkComponentEditorEdit* SecondsEdit = nullptr;
    TkComponentEditorEdit* MilliSecondsEdit = nullptr;
    TkUpDown* DaysUpDown = nullptr;
    TkUpDown* WeeksUpDown = nullptr;
    TkUpDown* HoursUpDown = nullptr;
    TkUpDown* MinutesUpDown = nullptr;
    TkUpDown* SecondsUpDown = nullptr;
    TkUpDown* MilliSecondsUpDown = nullptr;
    TkComponentEditorButton* SetAllZeroButton = nullptr;
    TLabel* DateLabel = nullptr;
    TLabel* TimeLabel = nullptr;
    TkComponentEditorButton* NowButton = nullptr;
    TkComponentEditorEdit* PriceIntegerEdit = nullptr;
    TkComponentEditorEdit* Price32ndsEdit = nullptr;
    TkComponentEditorEdit* Price256thsEdit = nullptr;
    TkUpDown* PriceIntegerUpDown = nullptr;
    TkUpDown* Price32ndsUpDown = nullptr;
    TkUpDown* Price256thsUpDown = nullptr;
    // Made when the form is created, beside their labels.
    TkDateTimePickerEdit* DatePicker = nullptr;
    TkDateTimePickerEdit* TimePicker = nullptr;

    // --- handlers named by the form data --------------------------------------------------
    void FormCreate(TObject* Sender);
    void TimeChange(TObject* Sender);
    void WeeksChange(TObject* Sender);
    void DateTimePickerChange(TObject* Sender);
    void Price32Change(TObject* Sender);
    void SetNowButtonClick(TObject* Sender);
    void SetAllZeroButtonClick(TObject* Sender);

private:
    TkTimeOfDay EditedTime() const;
    // The value shown is negative: interval and date edits keep its sign.
    bool Negative() const { return Value() < 0; }
    template <class F>
    void MakeValue(F Make, bool Refresh);
};

void kValueConverterEditFormInitialization();
