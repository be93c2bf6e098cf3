#include <gtest/gtest.h>

#include <cmath>

#include "platform/Classes.h"

namespace {

enum TShade { shLight, shDark, shBlack };
PL_ENUM_NAMES(TShade, "shLight", "shDark", "shBlack")
enum TMark { mkDot, mkCross };
PL_ENUM_NAMES(TMark, "mkDot", "mkCross")

using TValueEvent = std::function<void(TObject*, Integer)>;

// Three levels: TLevel1 -> TLevel2 -> TLevel3; TLevel3 redeclares Beta.
class TLevel1 : public TComponent {
    PL_CLASSINFO()
public:
    using TComponent::TComponent;
    Integer Alpha = 0;
    Integer Beta = 5;
    Byte Small = 0;
    TShade Shade = shLight;
};

TClass TLevel1::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TLevel1, TComponent>("TLevel1")
                                       .Integer("Alpha", &TLevel1::Alpha)
                                       .Integer("Beta", &TLevel1::Beta)
                                       .Default(5)
                                       .Integer("Small", &TLevel1::Small)
                                       .Enum("Shade", &TLevel1::Shade)
                                       .Build();
    return &info;
}

class TLevel2 : public TLevel1 {
    PL_CLASSINFO()
public:
    using TLevel1::TLevel1;
    Double Gamma = 0;
    Single Thin = 0;
    String Text;
    TSet<TMark> Marks;
    TNotifyEvent OnPing;
    TValueEvent OnValue;
    TLevel1* Partner = nullptr;
    Integer GetComputed() const { return Alpha * 2; }
    bool StoreGamma() const { return Gamma > 0; }
};

TClass TLevel2::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TLevel2, TLevel1>("TLevel2")
                                       .Float("Gamma", &TLevel2::Gamma)
                                       .Stored(&TLevel2::StoreGamma)
                                       .Float("Thin", &TLevel2::Thin)
                                       .String("Text", &TLevel2::Text)
                                       .Set("Marks", &TLevel2::Marks)
                                       .Event("OnPing", &TLevel2::OnPing)
                                       .Event("OnValue", &TLevel2::OnValue)
                                       .Reference("Partner", &TLevel2::Partner)
                                       .Integer("Computed", &TLevel2::GetComputed)
                                       .Build();
    return &info;
}

class TLevel3 : public TLevel2 {
    PL_CLASSINFO()
public:
    using TLevel2::TLevel2;
    Int64 Delta = 0;
    Integer Pings = 0;
    void Ping(TObject*) { ++Pings; }
    void Value(TObject*, Integer v) { Pings += v; }
};

TClass TLevel3::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TLevel3, TLevel2>("TTypInfoLevel3")
                                       .Int64("Delta", &TLevel3::Delta)
                                       .Integer("Beta", &TLevel3::Beta)
                                       .Default(7)
                                       .Method<TNotifyEvent>("Ping", &TLevel3::Ping)
                                       .Method("Value", &TLevel3::Value)
                                       .Build();
    return &info;
}

std::vector<String> Names(const TPropList& list)
{
    std::vector<String> names;
    for (PPropInfo p : list) names.push_back(p->Name);
    return names;
}

TEST(TypInfoTest, PropListListsAncestorsFirstAndReplacesRedeclaredInPlace)
{
    EXPECT_EQ(Names(GetPropList(TLevel3::StaticClassInfo())),
              (std::vector<String>{"Name", "Tag", "Alpha", "Beta", "Small", "Shade", "Gamma", "Thin", "Text", "Marks",
                                   "OnPing", "OnValue", "Partner", "Computed", "Delta"}));
    EXPECT_EQ(GetPropInfo(TLevel3::StaticClassInfo(), "beta")->Default, TValue(Int64{7}));
    EXPECT_EQ(GetPropInfo(TLevel1::StaticClassInfo(), "BETA")->Default, TValue(Int64{5}));
    EXPECT_EQ(GetPropInfo(TLevel2::StaticClassInfo(), "Delta"), nullptr);
    EXPECT_TRUE(TLevel3::StaticClassInfo()->InheritsFrom(TComponent::StaticClassInfo()));
    EXPECT_FALSE(TLevel1::StaticClassInfo()->InheritsFrom(TLevel2::StaticClassInfo()));
}

TEST(TypInfoTest, TypedAccessChecksRangesAndKinds)
{
    TOwned<TLevel3> obj(Create<TLevel3>(nullptr));
    TLevel3* o = obj.get();
    SetOrdProp(o, "Alpha", -12);
    EXPECT_EQ(o->Alpha, -12);
    EXPECT_EQ(GetOrdProp(o, "Computed"), -24);
    EXPECT_THROW(SetOrdProp(o, "Computed", 1), EConvertError);  // read-only
    EXPECT_THROW(SetOrdProp(o, "Alpha", Int64{1} << 31), EConvertError);
    EXPECT_THROW(SetOrdProp(o, "Small", 256), EConvertError);
    EXPECT_THROW(SetOrdProp(o, "Small", -1), EConvertError);
    SetOrdProp(o, "Small", 255);
    EXPECT_EQ(o->Small, 255);

    SetEnumProp(o, "Shade", "SHDARK");
    EXPECT_EQ(o->Shade, shDark);
    EXPECT_EQ(GetEnumProp(o, "Shade"), "shDark");
    EXPECT_THROW(SetOrdProp(o, "Shade", 3), EConvertError);
    EXPECT_THROW(SetEnumProp(o, "Shade", "shPurple"), EConvertError);

    SetSetProp(o, GetPropInfo(o, "Marks"), "[mkCross, MKDOT]");
    EXPECT_EQ(o->Marks, (TSet<TMark>{mkDot, mkCross}));
    EXPECT_EQ(GetSetProp(o, GetPropInfo(o, "Marks"), true), "[mkDot,mkCross]");
    EXPECT_THROW(SetOrdProp(o, "Marks", 4), EConvertError);

    SetFloatProp(o, "Gamma", 2.5);
    EXPECT_EQ(GetFloatProp(o, "Gamma"), 2.5);
    EXPECT_THROW(SetFloatProp(o, "Thin", 1e300), EConvertError);
    SetFloatProp(o, "Thin", std::numeric_limits<Extended>::infinity());
    EXPECT_TRUE(std::isinf(o->Thin));

    SetStrProp(o, "Text", "abc");
    EXPECT_EQ(GetStrProp(o, "Text"), "abc");
    EXPECT_THROW(SetStrProp(o, "Alpha", "x"), EConvertError);
    EXPECT_THROW(GetOrdProp(o, "NoSuch"), EConvertError);

    SetInt64Prop(o, GetPropInfo(o, "Delta"), Int64{1} << 40);
    EXPECT_EQ(o->Delta, Int64{1} << 40);
}

TEST(TypInfoTest, StoredAndDefaultDecideWhatIsWritten)
{
    TOwned<TLevel3> o(Create<TLevel3>(nullptr));
    PPropInfo gamma = GetPropInfo(o.get(), "Gamma");
    EXPECT_FALSE(IsStoredProp(o.get(), gamma));
    o->Gamma = 1;
    EXPECT_TRUE(IsStoredProp(o.get(), gamma));
    PPropInfo beta = GetPropInfo(o.get(), "Beta");
    o->Beta = 7;
    EXPECT_TRUE(IsDefaultPropValue(o.get(), beta));
    o->Beta = 5;
    EXPECT_FALSE(IsDefaultPropValue(o.get(), beta));
    EXPECT_FALSE(IsDefaultPropValue(o.get(), GetPropInfo(o.get(), "Alpha")));  // no default
    EXPECT_FALSE(IsStoredProp(o.get(), GetPropInfo(o.get(), "Name")));
}

TEST(TypInfoTest, MethodBindingRequiresTheExactEventType)
{
    TOwned<TLevel3> o(Create<TLevel3>(nullptr));
    PPropInfo ping = GetPropInfo(o.get(), "OnPing");
    PPropInfo value = GetPropInfo(o.get(), "OnValue");
    BindMethodProp(o.get(), ping, o.get(), "ping");
    ASSERT_TRUE(o->OnPing);
    o->OnPing(o.get());
    EXPECT_EQ(o->Pings, 1);
    EXPECT_EQ(GetMethodProp(o.get(), ping).Name, "Ping");
    EXPECT_THROW(BindMethodProp(o.get(), value, o.get(), "Ping"), EReadError);
    EXPECT_THROW(BindMethodProp(o.get(), ping, o.get(), "Missing"), EReadError);
    BindMethodProp(o.get(), value, o.get(), "Value");
    o->OnValue(o.get(), 10);
    EXPECT_EQ(o->Pings, 11);

    // A handler set in code has no published name.
    o->OnPing = [](TObject*) {};
    EXPECT_TRUE(GetMethodProp(o.get(), ping).Assigned());
    EXPECT_EQ(GetMethodProp(o.get(), ping).Name, "");
    SetMethodProp(o.get(), ping, TMethod{});
    EXPECT_FALSE(o->OnPing);
    EXPECT_THROW(SetMethodProp(o.get(), ping, TMethod{std::any(TValueEvent()), "x"}), EConvertError);
}

TEST(TypInfoTest, ObjectPropertiesCheckTheClass)
{
    TOwned<TLevel3> o(Create<TLevel3>(nullptr));
    TOwned<TLevel1> partner(Create<TLevel1>(nullptr));
    TOwned<TStringList> list(Create<TStringList>());
    PPropInfo p = GetPropInfo(o.get(), "Partner");
    EXPECT_TRUE(p->IsReference);
    EXPECT_EQ(p->ClassType(), TLevel1::StaticClassInfo());
    SetObjectProp(o.get(), p, partner.get());
    EXPECT_EQ(o->Partner, partner.get());
    EXPECT_THROW(SetObjectProp(o.get(), p, list.get()), EConvertError);
}

TEST(TypInfoTest, IdentifierTablesAndEnumerationNames)
{
    RegisterIntegerIdents("TTypInfoTestColor", {{-16777201, "clBtnFaceT"}, {255, "clRedT"}});
    RegisterIntegerIdents("TTypInfoTestColor", {{255, "clRedT"}});
    Int64 v = 0;
    EXPECT_TRUE(IdentToInt("ttypinfotestcolor", "CLBTNFACET", v));
    EXPECT_EQ(v, -16777201);
    String name;
    EXPECT_TRUE(IntToIdent("TTypInfoTestColor", 255, name));
    EXPECT_EQ(name, "clRedT");
    EXPECT_FALSE(IntToIdent("TTypInfoTestColor", 254, name));
    EXPECT_FALSE(IdentToInt("TNoTable", "x", v));

    const TTypeInfo* shade = TypeInfoOf(shLight);
    EXPECT_EQ(GetEnumValue(shade, "SHBLACK"), 2);
    EXPECT_EQ(GetEnumValue(shade, "black"), -1);
    EXPECT_EQ(GetEnumName(shade, 1), "shDark");
    EXPECT_THROW(GetEnumName(shade, 3), EConvertError);
    EXPECT_EQ(GetEnumName(BooleanTypeInfo(), 1), "True");
}

TEST(TypInfoTest, ComponentClassesHaveAVirtualConstructor)
{
    RegisterClass(TLevel3::StaticClassInfo());
    TOwned<TComponent> owner(Create<TComponent>(nullptr));
    TComponent* c = FindClass("ttypinfolevel3")->Create(owner.get());
    EXPECT_EQ(c->ClassName(), "TTypInfoLevel3");
    EXPECT_EQ(c->Owner(), owner.get());
    EXPECT_FALSE(TStringList::StaticClassInfo()->CanCreate());
    EXPECT_THROW(TStringList::StaticClassInfo()->Create(owner.get()), EInvalidOperation);
    EXPECT_THROW(FindClass("TNeverRegistered"), EClassNotFound);
    EXPECT_EQ(GetClass("TNeverRegistered"), nullptr);
    UnRegisterClass(TLevel3::StaticClassInfo());
    EXPECT_EQ(GetClass("TTypInfoLevel3"), nullptr);
}

}  // namespace
