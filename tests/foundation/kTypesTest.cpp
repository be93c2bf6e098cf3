#include <gtest/gtest.h>

#include "components/foundation/kTypes.h"

namespace {

// The name table must have one name per value, the last one spelled as the
// last enumerator.
template <class E>
void ExpectNames(E last, const char* lastName)
{
    const TTypeInfo* info = TypeInfoOf(E{});
    ASSERT_EQ(info->Names.size(), std::size_t(last) + 1) << info->Name;
    EXPECT_EQ(GetEnumName(info, last), lastName);
}

}  // namespace

TEST(kTypes, NameTablesMatchTheEnumerations)
{
    ExpectNames(kbsLowered, "kbsLowered");
    ExpectNames(kfdEllipseCenterIn, "kfdEllipseCenterIn");
    ExpectNames(kra270, "kra270");
    ExpectNames(kahRight, "kahRight");
    ExpectNames(kavBottom, "kavBottom");
    ExpectNames(ksaRight, "ksaRight");
    ExpectNames(kosTopLeft, "kosTopLeft");
    ExpectNames(kpsFixedDecimalPoints, "kpsFixedDecimalPoints");
    ExpectNames(kpmsCharacter, "kpmsCharacter");
    ExpectNames(kplsDashDotDot, "kplsDashDotDot");
    ExpectNames(kpdpsEmpty, "kpdpsEmpty");
    ExpectNames(kpcdpmsYOnly, "kpcdpmsYOnly");
    ExpectNames(kpistRational, "kpistRational");
    ExpectNames(kphlsCandleStick, "kphlsCandleStick");
    ExpectNames(kpdrPercent, "kpdrPercent");
    ExpectNames(kopcxvsElapsedSeconds, "kopcxvsElapsedSeconds");
    ExpectNames(kpefJPEG, "kpefJPEG");
    ExpectNames(kpifPNG, "kpifPNG");
    ExpectNames(kpfsStayOnTop, "kpfsStayOnTop");
    EXPECT_EQ(GetEnumValue(TypeInfoOf(kpmsCircle), "KPMSDIAMOND"), kpmsDiamond);
}
