// Paste and drop into every text control: what carries no text (data of no
// format at all, which the clipboard of a fresh X11 session answers with,
// or an image alone) leaves the control's text as it was, whichever way it
// arrives; text is inserted.

#include <gtest/gtest.h>

#include <functional>

#include "platform/Clipbrd.h"
#include "platform/Memo.h"
#include "platform/StdCtrls.h"
#include "platform/Testing.h"
#include "support/ExceptionCatcher.h"
#include "support/ShownForm.h"

using namespace Testing;

namespace {

struct TTextControl {
    const char* Kind;
    std::function<TWinControl*(TForm* Form)> Make;
};

const TTextControl TextControls[] = {
    {"edit", [](TForm* Form) -> TWinControl* { return Create<TEdit>(Form); }},
    {"memo", [](TForm* Form) -> TWinControl* { return Create<TMemo>(Form); }},
    {"combo box", [](TForm* Form) -> TWinControl* {
         auto* combo = Create<TComboBox>(Form);
         combo->SetStyle(csDropDown);
         return combo;
     }},
};

struct TArrival {
    const char* Way;
    std::function<void(TWinControl* Control, const Input::TTransferData& Data)> Bring;
};

const TArrival Arrivals[] = {
    {"Ctrl+V", [](TWinControl*, const Input::TTransferData& Data) {
         Input::PutOnClipboard(Data);
         Input::Key('V', {ssCtrl});
     }},
    {"Shift+Insert", [](TWinControl*, const Input::TTransferData& Data) {
         Input::PutOnClipboard(Data);
         Input::Key(VK_INSERT, {ssShift});
     }},
    {"drop", [](TWinControl* Control, const Input::TTransferData& Data) { Input::Drop(Control, Data, 10, 8); }},
    // The field's own menu offers its paste greyed: the test's answer finds
    // it so and says so, and nothing is pasted.
    {"menu", [](TWinControl* Control, const Input::TTransferData& Data) {
         Input::PutOnClipboard(Data);
         ExceptionCatcher greyed;
         ChooseFromMenu(Control, "Coller");
         Answers::Clear();
         EXPECT_EQ(greyed.Messages.size(), 1u);
     }},
};

class TextPaste : public ShownForm {
protected:
    void TearDown() override
    {
        ShownForm::TearDown();
        Clipboard()->Clear();
        Input::Flush();
    }

    TWinControl* Focused(const TTextControl& Kind, const String& Text)
    {
        TWinControl* control = Kind.Make(Form);
        control->SetParent(Form);
        control->SetBounds(8, 8, 180, 60);
        control->SetText(Text);
        control->SetFocus();
        Input::Flush();
        return control;
    }
};

TEST_F(TextPaste, WhatCarriesNoTextLeavesTheTextWhicheverWayItArrives)
{
    const Input::TTransferData noText[] = {{}, {{"image/png", "\x89PNG\r\n\x1a\n"}}};
    for (const TTextControl& kind : TextControls)
        for (const TArrival& arrival : Arrivals)
            for (const Input::TTransferData& data : noText) {
                TWinControl* control = Focused(kind, "kept");
                arrival.Bring(control, data);
                EXPECT_EQ(control->Text(), "kept") << kind.Kind << ", " << arrival.Way << ", " << data.size();
                control->Free();
            }
}

TEST_F(TextPaste, TextIsInserted)
{
    for (const TTextControl& kind : TextControls) {
        TWinControl* control = Focused(kind, "");
        Arrivals[0].Bring(control, {{"text/plain", "added"}});
        EXPECT_EQ(control->Text(), "added") << kind.Kind;
        control->Free();
    }
}

}  // namespace
