#pragma once
// Components for form-stream tests: published values of every kind, a
// parent/child tree, defined properties (a collection, binary data, a name
// that is also published), a stand-in class and a root with fields and
// event handlers.

#include <functional>
#include <vector>

#include "platform/FormStream.h"

namespace FormTest {

// What Loaded reports, in call order; the reader clears it.
inline std::vector<String> LoadedLog;

enum TTestAlign { taNone, taTop, taClient };
PL_ENUM_NAMES(TTestAlign, "taNone", "taTop", "taClient")
enum TTestAnchor { akLeft, akTop, akRight, akBottom };
PL_ENUM_NAMES(TTestAnchor, "akLeft", "akTop", "akRight", "akBottom")
enum TTestStyle { tsBold, tsItalic, tsUnderline };
PL_ENUM_NAMES(TTestStyle, "tsBold", "tsItalic", "tsUnderline")

using TIntEvent = std::function<void(TObject*, Integer)>;

class TTestFont : public TPersistent {
    PL_CLASSINFO()
public:
    Integer Height = -11;
    String Name = "Tahoma";
    TSet<TTestStyle> Style;
};

inline TClass TTestFont::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TTestFont, TPersistent>("TTestFont")
                                       .Integer("Height", &TTestFont::Height)
                                       .Default(-11)
                                       .String("Name", &TTestFont::Name)
                                       .Default("Tahoma")
                                       .Set("Style", &TTestFont::Style)
                                       .Default(TSet<TTestStyle>{})
                                       .Build();
    return &info;
}

class TTestItem : public TPersistent {
    PL_CLASSINFO()
public:
    String Title;
    Double Value = 0;
};

inline TClass TTestItem::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TTestItem, TPersistent>("TTestItem")
                                       .String("Title", &TTestItem::Title)
                                       .Default("")
                                       .Float("Value", &TTestItem::Value)
                                       .Default(0.0)
                                       .Build();
    return &info;
}

// A control-like component: a parent, published values of every kind and
// defined properties (a collection, binary data, a name also published).
class TFormTestControl : public TComponent {
    PL_CLASSINFO()
public:
    explicit TFormTestControl(TComponent* AOwner) : TComponent(AOwner) {}

    Integer Left = 0;
    Integer Width = 100;
    Int64 Big = 0;
    Double Ratio = 0;
    Single Scale = 1;
    Extended Precise = 0;
    String Caption;
    Char Accel = 0;
    TTestAlign Align = taNone;
    bool Visible = true;
    TSet<TTestAnchor> Anchors{akLeft, akTop};
    TColor Color = -16777201;
    TFormTestControl* Buddy = nullptr;
    TNotifyEvent OnClick;
    TIntEvent OnValue;
    Integer ZOrder = 0;
    std::vector<TOwned<TTestItem>> Points;
    std::vector<Byte> Data;
    bool LoadingSeenBySetter = false;
    // Makes writing the defined ZOrder value raise.
    bool FailWritingZOrder = false;

    TTestFont* Font() const { return FFont.get(); }
    TStringList* Items() const { return FItems.get(); }
    TFormTestControl* Parent() const { return FParent; }
    const std::vector<TFormTestControl*>& Controls() const { return FControls; }

    void SetLeft(Integer Value)
    {
        LoadingSeenBySetter = ComponentState().Contains(csLoading);
        Left = Value;
    }
    void SetParent(TFormTestControl* Value)
    {
        if (FParent) std::erase(FParent->FControls, this);
        FParent = Value;
        if (FParent) FParent->FControls.push_back(this);
    }

    void BeforeDestruction() override
    {
        TComponent::BeforeDestruction();
        for (TFormTestControl* c : FControls) c->FParent = nullptr;
        FControls.clear();
        SetParent(nullptr);
    }
    void SetParentComponent(TComponent* Value) override { SetParent(dynamic_cast<TFormTestControl*>(Value)); }
    TComponent* GetParentComponent() const override { return FParent; }
    bool HasParent() const override { return true; }
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override
    {
        for (TFormTestControl* c : FControls)
            if (c->Owner() == Root) Proc(c);
        TComponent::GetChildren(Proc, Root);
    }
    void Loaded() override
    {
        TComponent::Loaded();
        LoadedLog.push_back("Loaded " + Name());
    }
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == Buddy) Buddy = nullptr;
    }

    void DefineProperties(TFiler& Filer) override
    {
        TComponent::DefineProperties(Filer);
        Filer.DefineProperty(
            "ZOrder", [this](TReader& r) { ZOrder = r.ReadInteger() + 1000; },
            [this](TWriter& w) {
                if (FailWritingZOrder) throw EWriteError("ZOrder refused");
                w.WriteInteger(ZOrder);
            },
            true);
        Filer.DefineProperty(
            "Points", [this](TReader& r) { ReadPoints(r); }, [this](TWriter& w) { WritePoints(w); },
            !Points.empty());
        Filer.DefineBinaryProperty(
            "Data",
            [this](TStream& s) {
                Data.resize(static_cast<std::size_t>(s.Size()));
                s.ReadBuffer(Data.data(), s.Size());
            },
            [this](TStream& s) { s.WriteBuffer(Data.data(), static_cast<Int64>(Data.size())); }, !Data.empty());
    }

private:
    // Each item is one ReadListBegin..ReadListEnd pair inside the collection.
    void ReadPoints(TReader& Reader)
    {
        Points.clear();
        if (Reader.NextValue() != vaCollection) return Reader.SkipValue();
        Reader.ReadValue();
        while (!Reader.EndOfList()) {
            auto item = CreateOwned<TTestItem>();
            Reader.ReadListBegin();
            while (!Reader.EndOfList()) Reader.ReadProperty(item.get());
            Reader.ReadListEnd();
            Points.push_back(std::move(item));
        }
        Reader.ReadListEnd();
    }
    void WritePoints(TWriter& Writer)
    {
        Writer.WriteValue(vaCollection);
        for (auto& item : Points) {
            Writer.WriteListBegin();
            Writer.WriteProperties(item.get());
            Writer.WriteListEnd();
        }
        Writer.WriteListEnd();
    }

    TOwned<TTestFont> FFont = CreateOwned<TTestFont>();
    TOwned<TStringList> FItems = CreateOwned<TStringList>();
    TFormTestControl* FParent = nullptr;
    std::vector<TFormTestControl*> FControls;
};

inline TClass TFormTestControl::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TFormTestControl, TComponent>("TFormTestControl")
                                       .Integer("Left", &TFormTestControl::Left, &TFormTestControl::SetLeft)
                                       .Integer("Width", &TFormTestControl::Width)
                                       .Default(100)
                                       .Int64("Big", &TFormTestControl::Big)
                                       .Default(0)
                                       .Float("Ratio", &TFormTestControl::Ratio)
                                       .Default(0)
                                       .Float("Scale", &TFormTestControl::Scale)
                                       .Default(1)
                                       .Float("Precise", &TFormTestControl::Precise)
                                       .Default(0)
                                       .String("Caption", &TFormTestControl::Caption)
                                       .Default("")
                                       .Char("Accel", &TFormTestControl::Accel)
                                       .Default(0)
                                       .Enum("Align", &TFormTestControl::Align)
                                       .Default(taNone)
                                       .Bool("Visible", &TFormTestControl::Visible)
                                       .Default(true)
                                       .Set("Anchors", &TFormTestControl::Anchors)
                                       .Default(TSet<TTestAnchor>{akLeft, akTop})
                                       .IdentInteger("Color", "TTestColor", &TFormTestControl::Color)
                                       .Default(-16777201)
                                       .Object("Font", &TFormTestControl::Font)
                                       .Object("Items", &TFormTestControl::Items)
                                       .Reference("Buddy", &TFormTestControl::Buddy)
                                       .Event("OnClick", &TFormTestControl::OnClick)
                                       .Event("OnValue", &TFormTestControl::OnValue)
                                       .Integer("ZOrder", &TFormTestControl::ZOrder)
                                       .Build();
    return &info;
}

// A temporary stand-in: unknown properties are skipped.
class TFormTestStandIn : public TFormTestControl {
    PL_CLASSINFO()
public:
    using TFormTestControl::TFormTestControl;
};

inline TClass TFormTestStandIn::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TFormTestStandIn, TFormTestControl>("TFormTestStandIn").StandIn().Build();
    return &info;
}

class TFormTestRoot : public TFormTestControl {
    PL_CLASSINFO()
public:
    using TFormTestControl::TFormTestControl;

    TFormTestControl* Panel1 = nullptr;
    TFormTestControl* Button2 = nullptr;
    TFormTestStandIn* Stand1 = nullptr;
    Integer Clicks = 0;
    Integer LastValue = 0;

    void RootClick(TObject*) { ++Clicks; }
    void ValueChanged(TObject*, Integer Value) { LastValue = Value; }
    bool HasParent() const override { return false; }
};

inline TClass TFormTestRoot::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TFormTestRoot, TFormTestControl>("TFormTestRoot")
                                       .Field("Panel1", &TFormTestRoot::Panel1)
                                       .Field("Button2", &TFormTestRoot::Button2)
                                       .Field("Stand1", &TFormTestRoot::Stand1)
                                       .Method<TNotifyEvent>("RootClick", &TFormTestRoot::RootClick)
                                       .Method("ValueChanged", &TFormTestRoot::ValueChanged)
                                       .Build();
    return &info;
}

// Registers the classes and the TTestColor identifiers; idempotent.
inline void RegisterFormTestClasses()
{
    RegisterClasses({TFormTestControl::StaticClassInfo(), TFormTestStandIn::StaticClassInfo()});
    RegisterIntegerIdents("TTestColor", {{-16777201, "clTestFace"}, {0x0000FF, "clTestRed"}});
}

}  // namespace FormTest
