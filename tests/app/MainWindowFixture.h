#pragma once
// A fresh main window per test, shown, with the user's ways of choosing.

#include <gtest/gtest.h>

#include "app/AppUnits.h"
#include "app/JOV.h"
#include "platform/Testing.h"

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegisterProgramUnits();
        InitializeUnits();
    }

    void SetUp() override
    {
        Form = Create<TForm1>(Application);
        Form->Show();
        Testing::Input::Flush();
    }

    void TearDown() override { FreeAndNil(Form); }

    // Chooses an item the way a user does: with the arrow keys on the
    // focused combo box, each step a choice of its own.
    void Choose(TComboBox* Box, Integer Item)
    {
        Box->SetFocus();
        while (Box->ItemIndex() < Item) Testing::Input::Key(VK_DOWN);
        while (Box->ItemIndex() > Item) Testing::Input::Key(VK_UP);
        Testing::Input::Flush();
    }

    void ClickSwitch() { Testing::Input::Click(Form->kSwitchLed1, mbLeft, 10, 10); }
    void Tick(Integer Count = 1) { Testing::VirtualClock::Advance(50 * Count); }

    static TkXYPlotChannel* Points(TkXYPlot* Plot) { return Plot->GetChannel(0); }

    TForm1* Form = nullptr;
};
