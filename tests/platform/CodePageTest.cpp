#include <gtest/gtest.h>

#include <vector>

#include "platform/SysUtils.h"
#include "support/MessageOf.h"

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

// One encoding for the whole file: the code page's bytes of today while
// they hold the text and read back as such, else UTF-8 behind its mark.
TEST(CodePage, TextFileEncodingIsDecidedForTheWholeFile)
{
    const std::string mark = "\xEF\xBB\xBF";
    struct Case {
        String Text;
        RawByteString Bytes;
        String ReadBack;  // empty: Text
    };
    for (const Case& c : std::vector<Case>{
             {"", "", ""},
             {"plain\r\n", "plain\r\n", ""},
             {"carré €\x1F\u0081\r\n", "carr\xE9 \x80\x1F\x81\r\n", ""},
             {"a\r\nΘερμοκρασία\r\n", mark + "a\r\nΘερμοκρασία\r\n", ""},
             {"温度 😀 é", mark + "温度 😀 é", ""},
             // Code-page bytes that would read back as a byte-order mark.
             {"ÿþx", mark + "ÿþx", ""},
             {"þÿ", mark + "þÿ", ""},
             {"ï»¿x", mark + "ï»¿x", ""},
             {"\uFEFFx", mark + "\uFEFFx", ""},
             // Bytes that are no UTF-8 go as U+FFFD, not as raw bytes.
             {"a\xC3-\xC0\xAF", mark + "a\uFFFD-\uFFFD\uFFFD", "a\uFFFD-\uFFFD\uFFFD"},
         }) {
        EXPECT_EQ(EncodeTextFile(c.Text), c.Bytes) << c.Text;
        EXPECT_EQ(DecodeTextFile(c.Bytes), c.ReadBack.empty() ? c.Text : c.ReadBack) << c.Text;
    }
}

TEST(CodePage, TextMarkedAsUtf8MustBeUtf8)
{
    const std::string mark = "\xEF\xBB\xBF";
    const String tail = ", though the file's byte-order mark says UTF-8";
    for (const auto& [bytes, message] : std::vector<std::pair<std::string, String>>{
             {mark + "ok\r\nbad \xE9t\xE9\r\n", "line 2: the byte #233 is no UTF-8" + tail},
             {mark + "a\rb\nc\r\n\x80", "line 4: the byte #128 is no UTF-8" + tail},
             {mark + "\xC0\xAF", "line 1: the byte #192 is no UTF-8" + tail},  // overlong
             {mark + "\xED\xA0\x80", "line 1: the byte #237 is no UTF-8" + tail},  // a surrogate
             {mark + "euro \xE2\x82", "line 1: the byte #226 is no UTF-8" + tail},  // cut short
             {mark + "\xEF\xBF\xBD\xF0\x9F\x98\x80", "(no exception)"},
         })
        EXPECT_EQ(MessageOf<EEncodingError>([&] { DecodeTextFile(bytes); }), message) << bytes;
}
