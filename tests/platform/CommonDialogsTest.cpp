// The file dialogs' filter labels.

#include <gtest/gtest.h>

#include "platform/CommonDialogs.h"

TEST(FileFilterLabel, ShowsThePatternsOnceWhetherOrNotTheDescriptionNamesThem)
{
    EXPECT_EQ(FileFilterLabel("Bitmap (*.bmp)", "*.bmp"), "Bitmap (*.bmp)");
    EXPECT_EQ(FileFilterLabel("Text (*.txt;*.log)", "*.txt;*.log"), "Text (*.txt;*.log)");
    EXPECT_EQ(FileFilterLabel("Text files", "*.txt;*.log"), "Text files (*.txt *.log)");
    // Parentheses naming other patterns are part of the description.
    EXPECT_EQ(FileFilterLabel("Images (*.png)", "*.png;*.jpg"), "Images (*.png) (*.png *.jpg)");
}
