#include <gtest/gtest.h>

#include <functional>

#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"
#include "support/MessageOf.h"

TEST(SysUtilsStrings, TrimCaseAndComparison)
{
    EXPECT_EQ(Trim(" \t\r\n\x01" "a b\x1f "), "a b");
    EXPECT_EQ(TrimLeft("  x  "), "x  ");
    EXPECT_EQ(TrimRight("  x \x7f"), "  x \x7f");  // DEL is above #32
    EXPECT_EQ(Trim("é "), "é");                     // UTF-8 bytes are above #32

    EXPECT_EQ(UpperCase("abc-é"), "ABC-é");
    EXPECT_EQ(LowerCase("ABC-É"), "abc-É");
    EXPECT_EQ(AnsiUpperCase("abc-éß-ω"), "ABC-Éß-Ω");
    EXPECT_EQ(AnsiLowerCase("ÉCOLE"), "école");

    EXPECT_TRUE(SameText("Hello", "hELLO"));
    EXPECT_FALSE(SameText("été", "ÉTÉ"));
    EXPECT_TRUE(AnsiSameText("été", "ÉTÉ"));
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("b", "A"), 0);
    EXPECT_LT(CompareText("ab", "ABC"), 0);
    EXPECT_LT(CompareStr("B", "a"), 0);

    // Folding, then code points: "é" (U+E9) sorts after "z"; the locale plays no part.
    EXPECT_EQ(AnsiCompareText("Été", "été"), 0);
    EXPECT_GT(AnsiCompareText("é", "Z"), 0);
    EXPECT_LT(AnsiCompareText("a", "B"), 0);
    EXPECT_LT(AnsiCompareText("abc", "ABCD"), 0);
    EXPECT_EQ(AnsiCompareText("ΣΊΣΥΦΟΣ", "σίσυφος"), 0);
    EXPECT_GT(AnsiCompareStr("a", "B"), 0);
}

TEST(SysUtilsStrings, PositionsCopyDeleteInsertAreOneBased)
{
    EXPECT_EQ(Pos("lo", "hello lo"), 4);
    EXPECT_EQ(Pos("x", "hello"), 0);
    EXPECT_EQ(Pos("", "hello"), 0);
    EXPECT_EQ(PosEx("lo", "hello lo", 5), 7);
    EXPECT_EQ(PosEx("lo", "hello", 9), 0);
    EXPECT_EQ(Copy("hello", 2, 3), "ell");
    EXPECT_EQ(Copy("hello", 0, 2), "he");
    EXPECT_EQ(Copy("hello", 4, 100), "lo");
    EXPECT_EQ(Copy("hello", 9, 1), "");
    EXPECT_EQ(Copy("hello", 2, -1), "");
    EXPECT_EQ(Copy("hello", 3), "llo");
    String s = "hello";
    Delete(s, 2, 2);
    EXPECT_EQ(s, "hlo");
    Delete(s, 0, 5);
    EXPECT_EQ(s, "hlo");
    Insert("XY", s, 2);
    EXPECT_EQ(s, "hXYlo");
    Insert("!", s, 99);
    EXPECT_EQ(s, "hXYlo!");
    EXPECT_EQ(LastDelimiter("/\\", "a/b\\c.txt"), 4);
    EXPECT_EQ(StringOfChar('-', 3), "---");
    EXPECT_EQ(StringOfChar('-', -3), "");

    EXPECT_EQ(CharCount("aé€😀"), 4);
    EXPECT_EQ(CharCopy("aé€😀b", 2, 3), "é€😀");
    EXPECT_EQ(CharCopy("aé", 3, 1), "");
}

TEST(SysUtilsStrings, QuotingAndReplacing)
{
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(AnsiQuotedStr("a\"b", '"'), "\"a\"\"b\"");
    EXPECT_EQ(AnsiDequotedStr("'it''s' tail", '\''), "it's");
    EXPECT_EQ(AnsiDequotedStr("plain", '\''), "plain");

    EXPECT_EQ(StringReplace("aXbxc", "x", "-", {}), "aXb-c");
    EXPECT_EQ(StringReplace("aXbxc", "x", "-", {rfIgnoreCase}), "a-bxc");
    EXPECT_EQ(StringReplace("aXbxc", "x", "-", {rfReplaceAll, rfIgnoreCase}), "a-b-c");
    EXPECT_EQ(StringReplace("aaa", "a", "aa", {rfReplaceAll}), "aaaaaa");
    EXPECT_EQ(StringReplace("abc", "", "x", {rfReplaceAll}), "abc");
    EXPECT_EQ(BoolToStr(true), "-1");
    EXPECT_EQ(BoolToStr(false, true), "False");
}

// A quoted text is cut before a character, never inside one.
TEST(SysUtilsStrings, ExcerptsEndBeforeACharacter)
{
    EXPECT_EQ(TextExcerpt(std::string(256, '7')), std::string(256, '7'));
    EXPECT_EQ(TextExcerpt(std::string(257, '7')), std::string(253, '7') + "...");
    // Two bytes a character: byte 253 is the second of one.
    String text;
    for (Integer i = 0; i < 129; ++i) text += "é";
    EXPECT_EQ(TextExcerpt(text), text.substr(0, 252) + "...");
}

// A value or a name of a megabyte makes no message of a megabyte.
TEST(SysUtilsStrings, MessagesQuoteAnExcerptOfAHugeValueOrName)
{
    const String huge(1 << 20, 'n');
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Software\\Excerpts", true));
    const std::pair<const char*, std::function<void()>> raisers[] = {
        {"file open", [&] { TFileStream("/tmp/" + huge, fmOpenRead); }},
        {"file save", [&] { TSafeFileStream("/tmp/" + huge); }},
        {"date", [&] { StrToDateTime(huge); }},
        {"colour", [&] { StringToColor(huge); }},
        {"class", [&] { FindClass(huge); }},
        {"component name", [&] { TOwned<TComponent>(Create<TComponent>(nullptr))->SetName(huge + " "); }},
        {"registry value", [&] { registry.ReadInteger(huge); }},
        {"registry write", [&] { registry.WriteString(huge + "\n", "x"); }},
    };
    for (const auto& [what, raise] : raisers) {
        const String message = MessageOf(raise);
        EXPECT_LT(message.size(), 400u) << what;
        EXPECT_NE(message.find("nnn..."), String::npos) << what << ": " << message.substr(0, 400);
    }
    registry.CloseKey();
    DeleteFile(std::getenv("PL_REGISTRY_USER"));
}

TEST(SysUtilsIntegers, TextOfIntegers)
{
    EXPECT_EQ(IntToStr(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(IntToStr(Int64{-9223372036854775807LL - 1}), "-9223372036854775808");
    EXPECT_EQ(IntToStr(std::size_t{42}), "42");
    EXPECT_EQ(IntToStr(Byte{200}), "200");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(Int64{-1}, 1), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(IntToHex(Word{0xABC}, 0), "ABC");
}

TEST(SysUtilsIntegers, StrToIntIsStrict)
{
    const struct {
        const char* text;
        Integer value;
    } valid[] = {
        {"0", 0},       {"  42", 42},      {"-17", -17},          {"+5", 5},
        {"$FF", 255},   {"0x1f", 31},      {"-$10", -16},         {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1}, {"$FFFFFFFF", -1}, {"007", 7},
    };
    for (const auto& c : valid) {
        EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
        Integer v = 0;
        EXPECT_TRUE(TryStrToInt(c.text, v));
        EXPECT_EQ(v, c.value);
    }
    for (const char* bad : {"", " ", "-", "$", "0x", "12 ", "1.5", "12abc", "2147483648", "-2147483649",
                            "$100000000", "1e3", "--1", "0x-1", "١٢"}) {
        Integer v = 99;
        EXPECT_FALSE(TryStrToInt(bad, v)) << bad;
        EXPECT_EQ(v, 99);
        EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
    }
    EXPECT_EQ(StrToIntDef("x", -3), -3);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), -9223372036854775807LL - 1);
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
    EXPECT_EQ(StrToInt64Def("4294967296", 0), 4294967296LL);

    EXPECT_NE(MessageOf<EConvertError>([] { StrToInt("12x"); }).find("'12x'"), String::npos);
}
