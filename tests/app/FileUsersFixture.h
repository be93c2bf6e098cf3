#pragma once
// The components that read and write whole files, and a scratch folder for
// their files.

#include <gtest/gtest.h>

#include "components/foundation/kSwitchLed.h"
#include "components/plot/component/kXYPlot.h"
#include "support/TempFolder.h"
#include "widgets/QdClasses.h"

class FileUsersTest : public ::testing::Test {
protected:
    TTempFolder Scratch;
    TOwned<TkXYPlot> Plot{Create<TkXYPlot>(nullptr)};
    TOwned<TkSwitchLed> Led{Create<TkSwitchLed>(nullptr)};
    TOwned<TQdBitmaps> Bitmaps = CreateOwned<TQdBitmaps>();
};
