#include <gtest/gtest.h>

#include "platform/SysUtils.h"

TEST(CodePage, EveryWindows1252ByteRoundTrips)
{
    for (int b = 0; b < 256; ++b) {
        const RawByteString byte(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToWin1252(Win1252ToUtf8(byte)), byte) << b;
    }
    // The five bytes the code page leaves undefined keep their C1 control.
    for (int b : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(Utf8ToUtf16(Win1252ToUtf8(RawByteString(1, static_cast<char>(b)))), std::u16string(1, char16_t(b)));
}

TEST(CodePage, TableAndReplacement)
{
    EXPECT_EQ(Utf8ToWin1252("é€"), "\xE9\x80");
    EXPECT_EQ(Win1252ToUtf8("\xE9\x80\x99\x9F\xFF"), "é€™Ÿÿ");
    EXPECT_EQ(Utf8ToWin1252("Ω-😀-\xC3"), "?-?-?");  // outside the table, and a truncated sequence
    EXPECT_EQ(Utf8ToWin1252("\xC0\xAF"), "??");       // overlong form
}

TEST(CodePage, Utf16)
{
    EXPECT_EQ(Utf8ToUtf16("aé€😀"), (std::u16string{u'a', u'é', u'€', 0xD83D, 0xDE00}));
    EXPECT_EQ(Utf16ToUtf8(u"aé€😀"), "aé€😀");
    EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', 0xD800, u'b', 0xDC00}), "a\uFFFDb\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), std::u16string(3, 0xFFFD));  // an encoded surrogate
}
