// Cursors read from resources, and the screen's cursor table.

#include <gtest/gtest.h>

#include <vector>

#include "platform/Forms.h"
#include "platform/Resources.h"

namespace {

void PutLE(std::vector<unsigned char>& Out, Cardinal Value, int Bytes)
{
    for (int i = 0; i < Bytes; ++i) Out.push_back(static_cast<unsigned char>(Value >> (8 * i)));
}

// A cursor file of one 1-bit image Side x Side: black with a white first
// column, the screen showing through the right half.
std::vector<unsigned char> MonochromeCursor(Cardinal Side, Cardinal HotX, Cardinal HotY)
{
    std::vector<unsigned char> image;
    PutLE(image, 40, 4);
    PutLE(image, Side, 4);
    PutLE(image, Side * 2, 4);
    PutLE(image, 1, 2);
    PutLE(image, 1, 2);
    for (int i = 0; i < 6; ++i) PutLE(image, 0, 4);
    PutLE(image, 0, 4);  // palette: black
    PutLE(image, 0x00FFFFFF, 4);  // white
    const Cardinal row = ((Side + 31) / 32) * 4;
    for (Cardinal y = 0; y < Side; ++y)  // colour: the first column white
        for (Cardinal i = 0; i < row; ++i) image.push_back(i == 0 ? 0x80 : 0);
    for (Cardinal y = 0; y < Side; ++y)  // mask: the right half transparent
        for (Cardinal i = 0; i < row; ++i) {
            Cardinal bits = 0;
            for (Cardinal b = 0; b < 8; ++b)
                if (i * 8 + b >= Side / 2 && i * 8 + b < Side) bits |= 0x80u >> b;
            image.push_back(static_cast<unsigned char>(bits));
        }
    std::vector<unsigned char> file;
    PutLE(file, 0, 2);
    PutLE(file, 2, 2);
    PutLE(file, 1, 2);
    file.push_back(static_cast<unsigned char>(Side));
    file.push_back(static_cast<unsigned char>(Side));
    file.push_back(2);
    file.push_back(0);
    PutLE(file, HotX, 2);
    PutLE(file, HotY, 2);
    PutLE(file, static_cast<Cardinal>(image.size()), 4);
    PutLE(file, 22, 4);
    file.insert(file.end(), image.begin(), image.end());
    return file;
}

}  // namespace

TEST(Cursors, ResourceCursorsLoadOnceAndGoToTheScreenTable)
{
    static const std::vector<unsigned char> data = MonochromeCursor(32, 5, 0);
    RegisterResource("TestHand", data.data(), data.size());
    const HCURSOR hand = LoadCursor("testhand");
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(LoadCursor("TESTHAND"), hand);
    EXPECT_EQ(LoadCursor("NoSuchCursor"), nullptr);

    const HCURSOR before = Screen->Cursors(120);
    EXPECT_NE(before, nullptr);  // the standard arrow for an unknown identifier
    Screen->SetCursors(120, hand);
    EXPECT_EQ(Screen->Cursors(120), hand);
    Screen->SetCursors(120, nullptr);
    EXPECT_EQ(Screen->Cursors(120), before);
    EXPECT_NE(Screen->Cursors(crHandPoint), Screen->Cursors(crArrow));
}

TEST(Cursors, MalformedCursorDataIsRefused)
{
    static std::vector<std::vector<unsigned char>> bad;
    const std::vector<unsigned char> good = MonochromeCursor(16, 0, 0);
    const auto variant = [&](std::size_t At, unsigned char Value) {
        bad.push_back(good);
        bad.back()[At] = Value;
    };
    bad.emplace_back(good.begin(), good.begin() + 30);  // truncated
    variant(2, 1);          // an icon, not a cursor
    variant(18, 0xFF);      // the image past the end
    variant(22 + 14, 3);    // 3 bits per pixel
    variant(22 + 5, 0x40);  // 16400 pixels wide
    variant(14, static_cast<unsigned char>(good[14] - 10));  // the mask cut short
    for (std::size_t i = 0; i < bad.size(); ++i) {
        const String name = "BadCursor" + std::to_string(i);
        RegisterResource(name, bad[i].data(), bad[i].size());
        EXPECT_EQ(LoadCursor(name), nullptr) << name;
    }
}
