#pragma once
// A shown form with two controls of one kind: the one under test and
// another to take the focus from it. The mouse goes through the real
// router on the virtual clock; keys go to the focused control.

#include <gtest/gtest.h>

#include "platform/Forms.h"
#include "platform/Testing.h"
#include "support/Painted.h"

template <class T>
class TwoControlForm : public ::testing::Test {
protected:
    // Creates the Width x Height form and its two controls, lets Place lay
    // out each once it is parented (Place(Control, true), then
    // Place(Other, false)), and shows the form.
    template <class P>
    void ShowForm(Integer Width, Integer Height, P&& Place)
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, Width, Height);
        Control = AddControl();
        Place(Control, true);
        Other = AddControl();
        Place(Other, false);
        Form->Show();
        Testing::Input::Flush();
    }
    void TearDown() override
    {
        FreeAndNil(Form);
        Testing::Input::Flush();
    }

    // Each press well apart from the last, so none pairs into a double click.
    void Press(Integer X, Integer Y)
    {
        Testing::VirtualClock::Advance(DoubleClickTime + 1);
        Testing::Input::MouseDown(Control, mbLeft, X, Y);
    }
    void Click(Integer X, Integer Y)
    {
        Testing::VirtualClock::Advance(DoubleClickTime + 1);
        Testing::Input::Click(Control, mbLeft, X, Y);
    }
    TColor PixelAt(Integer X, Integer Y) { return PaintedAlone(Control)->Canvas()->Pixels(X, Y); }

    TForm* Form = nullptr;
    T* Control = nullptr;
    T* Other = nullptr;

private:
    T* AddControl()
    {
        T* control = Create<T>(Form);
        control->SetParent(Form);
        return control;
    }
};
