#pragma once
// A shown editor form that counts the user changes its kit controls
// report, with helpers to place controls on it. The mouse goes through the
// real router on the virtual clock; keys go to the focused control.

#include <gtest/gtest.h>

#include "components/editor/kEditorForm.h"
#include "platform/Testing.h"

class TCountingEditorForm : public TkCustomEditorForm {
public:
    using TkCustomEditorForm::TkCustomEditorForm;
    void UserChange() override { ++UserChanges; }
    Integer UserChanges = 0;
};

class EditorFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = Create<TCountingEditorForm>(nullptr);
        Form->SetBounds(0, 0, 400, 300);
        Form->Show();
        Testing::Input::Flush();
    }
    void TearDown() override
    {
        FreeAndNil(Form);
        Testing::Input::Flush();
        Testing::Answers::Clear();
    }

    // A control owned by the form and shown on it at (Left, Top).
    template <class T>
    T* Add(Integer Left, Integer Top)
    {
        T* control = Create<T>(Form);
        control->SetParent(Form);
        control->SetLeft(Left);
        control->SetTop(Top);
        return control;
    }
    // A handler that appends What to Log.
    TNotifyEvent Record(const char* What)
    {
        return [this, What](TObject*) { Log.push_back(What); };
    }

    TCountingEditorForm* Form = nullptr;
    std::vector<String> Log;
};
