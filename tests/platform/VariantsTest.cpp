#include <gtest/gtest.h>

#include <cstring>

#include "platform/Variants.h"

TEST(Variants, TypeCodesAndConversions)
{
    EXPECT_EQ(VarType(Variant()), varEmpty);
    EXPECT_EQ(VarType(Variant::Null()), varNull);
    EXPECT_EQ(VarType(Variant(SmallInt{1})), varSmallint);
    EXPECT_EQ(VarType(Variant(Integer{1})), varInteger);
    EXPECT_EQ(VarType(Variant(Single{1})), varSingle);
    EXPECT_EQ(VarType(Variant(1.0)), varDouble);
    EXPECT_EQ(VarType(Variant::FromDateTime(1)), varDate);
    EXPECT_EQ(VarType(Variant("x")), varOleStr);
    EXPECT_EQ(VarType(Variant(true)), varBoolean);
    EXPECT_EQ(VarType(Variant(ShortInt{1})), varShortInt);
    EXPECT_EQ(VarType(Variant(Byte{1})), varByte);
    EXPECT_EQ(VarType(Variant(Word{1})), varWord);
    EXPECT_EQ(VarType(Variant(LongWord{1})), varLongWord);
    EXPECT_EQ(VarType(Variant(Int64{1})), varInt64);

    EXPECT_EQ(VarToDouble(Variant(Integer{-7})), -7);
    EXPECT_EQ(VarToDouble(Variant(Single{0.5f})), 0.5);
    EXPECT_EQ(VarToDouble(Variant(true)), -1);
    EXPECT_EQ(VarToDouble(Variant()), 0);
    EXPECT_EQ(VarToDouble(Variant(" 2.5 ")), 2.5);
    EXPECT_THROW(VarToDouble(Variant("abc")), EConvertError);
    EXPECT_THROW(VarToDouble(Variant("nan")), EConvertError);
    EXPECT_THROW(VarToDouble(Variant::Null()), EVariantError);
    {
        TFormatSettings fs;
        fs.DecimalSeparator = ',';
        TFormatSettingsScope scope(fs);
        EXPECT_EQ(VarToDouble(Variant("2,5")), 2.5);
    }

    EXPECT_EQ(VarToStr(Variant(true)), "True");
    EXPECT_EQ(VarToStr(Variant(false)), "False");
    EXPECT_EQ(VarToStr(Variant::Null()), "");
    EXPECT_EQ(VarToStr(Variant(1.0 / 3)), "0.333333333333333");
    EXPECT_EQ(VarToStr(Variant(Int64{-5})), "-5");
    EXPECT_EQ(VarToStr(Variant::FromDateTime(EncodeDate(2024, 3, 5))), "05/03/2024");
    EXPECT_THROW(VarToStr(VarArrayCreate({0, 1}, varVariant)), EVariantError);
}

TEST(Variants, ArraysOfOneAndTwoDimensions)
{
    Variant a = VarArrayCreate({1, 3}, varDouble);
    EXPECT_TRUE(VarIsArray(a));
    EXPECT_EQ(VarType(a), varArray | varDouble);
    EXPECT_EQ(VarArrayDimCount(a), 1);
    EXPECT_EQ(VarArrayLowBound(a, 1), 1);
    EXPECT_EQ(VarArrayHighBound(a, 1), 3);
    EXPECT_EQ(VarToDouble(a[2]), 0);
    a.PutElement({2}, 4.5);
    const Variant copy = a;
    a.PutElement({2}, 9.0);
    EXPECT_EQ(VarToDouble(copy[2]), 4.5);  // copies are values
    EXPECT_EQ(VarToDouble(a[2]), 9);
    EXPECT_THROW(a[0], EVariantError);
    EXPECT_THROW(a[4], EVariantError);
    EXPECT_THROW(VarArrayLowBound(a, 2), EVariantError);

    Variant m = VarArrayCreate({-1, 0, 5, 7}, varVariant);
    EXPECT_EQ(VarArrayDimCount(m), 2);
    EXPECT_EQ(VarArrayHighBound(m, 2), 7);
    m.PutElement({-1, 7}, "x");
    m.PutElement({0, 5}, Integer{3});
    EXPECT_EQ(VarToStr(m.GetElement({-1, 7})), "x");
    EXPECT_EQ(VarToDouble(m.GetElement({0, 5})), 3);
    EXPECT_TRUE(VarIsEmpty(m.GetElement({0, 6})));
    EXPECT_THROW(m.GetElement({1, 5}), EVariantError);
    EXPECT_THROW(m.GetElement({0}), EVariantError);

    Variant empty = VarArrayCreate({0, -1}, varVariant);
    EXPECT_EQ(VarArrayHighBound(empty, 1), -1);
    EXPECT_THROW(VarArrayCreate({0, -2}, varVariant), EVariantError);
    EXPECT_THROW(VarArrayCreate({0, 1, 0, 1, 0, 1}, varVariant), EVariantError);
    EXPECT_EQ(VarArrayDimCount(Variant(1.0)), 0);
    EXPECT_THROW(Variant(1.0)[0], EVariantError);
}

TEST(Variants, ByteArraysExposeTheirStorage)
{
    Variant bytes = VarArrayCreate({0, 3}, varByte);
    std::memcpy(VarArrayLock(bytes), "\x89PNG", 4);
    VarArrayUnlock(bytes);
    EXPECT_EQ(VarType(bytes[0]), varByte);
    EXPECT_EQ(VarToDouble(bytes[0]), 0x89);
    EXPECT_EQ(VarToDouble(bytes[3]), 'G');
    bytes.PutElement({1}, Integer{65});
    EXPECT_EQ(VarToDouble(bytes[1]), 65);
    EXPECT_THROW(bytes.PutElement({1}, Integer{256}), EVariantError);
    Variant doubles = VarArrayCreate({0, 1}, varDouble);
    EXPECT_THROW(VarArrayLock(doubles), EVariantError);
}
