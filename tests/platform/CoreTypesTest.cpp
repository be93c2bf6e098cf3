#include <gtest/gtest.h>

#include "platform/Math.h"
#include "platform/SysUtils.h"

TEST(MathConversions, RoundTiesToEvenAndRaisesOnNonFinite)
{
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(3.5), 4);
    EXPECT_THROW(Round(std::numeric_limits<double>::quiet_NaN()), EInvalidOp);
    EXPECT_THROW(Trunc(std::numeric_limits<double>::infinity()), EInvalidOp);
    EXPECT_THROW(Trunc(1e30), EInvalidOp);
    EXPECT_EQ(RoundPix(1e30), 1000000);
    EXPECT_EQ(RoundPix(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(MathConversions, IntegerHelpers)
{
    EXPECT_EQ(Wrap32(0x100000001LL), 1);
    EXPECT_EQ(SatInt32(1LL << 40), 2147483647);
    EXPECT_EQ(MulDiv(7, 3, 2), 11);
    EXPECT_EQ(MulDiv(-7, 3, 2), -11);
    EXPECT_THROW(Div(1, 0), EDivByZero);
    EXPECT_THROW(ToSingle(1e300), EOverflow);
}

TEST(Rectangles, EdgesAndIntersection)
{
    TRect r = Rect(2, 2, 6, 6);
    EXPECT_TRUE(PtInRect(r, Point(2, 2)));
    EXPECT_FALSE(PtInRect(r, Point(6, 5)));
    TRect out;
    EXPECT_FALSE(IntersectRect(out, r, Rect(6, 2, 8, 6)));
    EXPECT_TRUE(IntersectRect(out, r, Rect(4, 4, 8, 8)));
    EXPECT_EQ(out, Rect(4, 4, 6, 6));
}
