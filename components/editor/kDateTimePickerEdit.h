#pragma once
// The editor kit's date or time field: an edit that shows a date as
// "yyyy-mm-dd" or a time of day as "hh:nn:ss.zzz" and reads it back
// strictly. Values written from code fire nothing; a date the field cannot
// show (before 1601 or after 9999) leaves it as it was.

#include "components/editor/kEditorEdit.h"

enum TkDateTimePickerKind { kdtpkDate, kdtpkTime };

class TkDateTimePickerEdit : public TkComponentEditorEdit {
    PL_CLASSINFO()
public:
    explicit TkDateTimePickerEdit(TComponent* AOwner);

    TkDateTimePickerKind Kind() const { return FKind; }
    void SetKind(TkDateTimePickerKind Value);
    // The whole days of a date, or the fraction of a day of a time. Text
    // that is no date (time) raises EConvertError saying what was expected.
    TDateTime DateTime() const;
    // Event-free; false (nothing written) for a date it cannot show.
    bool SetDateTime(TDateTime Value);

private:
    TkDateTimePickerKind FKind = kdtpkDate;
};

void kDateTimePickerEditInitialization();
