#pragma once
// A shown form that controls under test are placed on, and the form-data
// round trip of a control: the mouse goes through the real router on the
// virtual clock, pictures through the control's own paint.

#include <gtest/gtest.h>

#include "platform/FormStream.h"
#include "platform/Forms.h"
#include "platform/Testing.h"

class ShownForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = Create<TForm>(nullptr);
        Form->SetName("F");
        Form->SetClientWidth(200);
        Form->SetClientHeight(150);
        Form->Show();
        Testing::Input::Flush();
    }
    // Answers a failed test left unused would answer the next test's windows.
    void TearDown() override
    {
        Free(Form);
        Testing::Input::Flush();
        Testing::Answers::Clear();
    }
    template <class T>
    T* Add(TWinControl* Parent, Integer Left, Integer Top, Integer Width, Integer Height)
    {
        T* c = Create<T>(Form);
        c->SetBounds(Left, Top, Width, Height);
        c->SetParent(Parent);
        Testing::Input::Flush();
        return c;
    }
    // The control as the screen shows it once the sizes it sets while
    // painting have been applied.
    static TOwned<TBitmap> Settled(TControl* Control)
    {
        Testing::Grab(Control);
        Testing::Input::Flush();
        return Testing::Grab(Control);
    }

    TForm* Form = nullptr;
};

// A right click in Field, its menu answered by the entry with this caption;
// a click after the last is never taken for its second half.
inline void ChooseFromMenu(TControl* Field, const String& Caption)
{
    Testing::Answers::Menu(Caption);
    Testing::VirtualClock::Advance(DoubleClickTime + 1);
    Testing::Input::Click(Field, mbRight, 6, 6);
    Testing::Input::Flush();
}

// The form text of Root, read back into a new form and written again:
// equal texts mean every stored value came back. Returns the text.
inline String ExpectFormRoundTrip(TForm* Root)
{
    const String text = WriteComponent(Root);
    TOwned<TForm> copy(Create<TForm>(nullptr));
    ReadComponent(text, copy.get());
    EXPECT_EQ(WriteComponent(copy.get()), text);
    return text;
}
