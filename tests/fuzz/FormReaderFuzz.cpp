// Feeds arbitrary bytes to the form reader over a fresh root. Whatever is
// read must write back, read again and write the same text.

#include <cstddef>
#include <cstdint>

#include "platform/FormStream.h"

namespace {

enum TFuzzKind { fkOne, fkTwo, fkThree };
PL_ENUM_NAMES(TFuzzKind, "fkOne", "fkTwo", "fkThree")

class TFuzzItem : public TPersistent {
    PL_CLASSINFO()
public:
    String Title;
    Double Value = 0;
};

TClass TFuzzItem::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TFuzzItem, TPersistent>("TFuzzItem")
                                       .String("Title", &TFuzzItem::Title)
                                       .Float("Value", &TFuzzItem::Value)
                                       .Build();
    return &info;
}

class TFuzzControl : public TComponent {
    PL_CLASSINFO()
public:
    explicit TFuzzControl(TComponent* AOwner) : TComponent(AOwner) {}

    Integer Left = 0;
    Single Scale = 1;
    String Caption;
    Char Accel = 0;
    TFuzzKind Kind = fkOne;
    TSet<TFuzzKind> Kinds;
    bool Visible = true;
    TFuzzControl* Buddy = nullptr;
    TNotifyEvent OnClick;
    std::vector<TOwned<TFuzzItem>> Points;
    std::vector<Byte> Data;

    TStringList* Items() const { return FItems.get(); }
    void SetParentComponent(TComponent* Value) override { FParent = dynamic_cast<TFuzzControl*>(Value); }
    TComponent* GetParentComponent() const override { return FParent; }
    bool HasParent() const override { return FParent != nullptr; }
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation != opRemove) return;
        if (AComponent == Buddy) Buddy = nullptr;
        if (AComponent == FParent) FParent = nullptr;
    }
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override
    {
        if (Root != this) return;
        for (Integer i = 0; i < ComponentCount(); ++i) Proc(Components(i));
    }
    void DefineProperties(TFiler& Filer) override
    {
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
    void ReadPoints(TReader& Reader)
    {
        Points.clear();
        if (Reader.NextValue() != vaCollection) return Reader.SkipValue();
        Reader.ReadValue();
        while (!Reader.EndOfList()) {
            auto item = CreateOwned<TFuzzItem>();
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

    TOwned<TStringList> FItems = CreateOwned<TStringList>();
    TFuzzControl* FParent = nullptr;
};

TClass TFuzzControl::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TFuzzControl, TComponent>("TFuzzControl")
                                       .Integer("Left", &TFuzzControl::Left)
                                       .Float("Scale", &TFuzzControl::Scale)
                                       .Default(1)
                                       .String("Caption", &TFuzzControl::Caption)
                                       .Char("Accel", &TFuzzControl::Accel)
                                       .Enum("Kind", &TFuzzControl::Kind)
                                       .Set("Kinds", &TFuzzControl::Kinds)
                                       .Bool("Visible", &TFuzzControl::Visible)
                                       .Default(true)
                                       .Object("Items", &TFuzzControl::Items)
                                       .Reference("Buddy", &TFuzzControl::Buddy)
                                       .Event("OnClick", &TFuzzControl::OnClick)
                                       .Build();
    return &info;
}

class TFuzzStandIn : public TFuzzControl {
    PL_CLASSINFO()
public:
    using TFuzzControl::TFuzzControl;
};

TClass TFuzzStandIn::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TFuzzStandIn, TFuzzControl>("TFuzzStandIn").StandIn().Build();
    return &info;
}

class TFuzzRoot : public TFuzzControl {
    PL_CLASSINFO()
public:
    using TFuzzControl::TFuzzControl;
    void Clicked(TObject*) {}
};

TClass TFuzzRoot::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TFuzzRoot, TFuzzControl>("TFuzzRoot")
                                       .Method<TNotifyEvent>("Clicked", &TFuzzRoot::Clicked)
                                       .Build();
    return &info;
}

// The text of what was read, or empty when the input is refused.
String ReadAndWrite(const String& text)
{
    TOwned<TFuzzRoot> root(Create<TFuzzRoot>(nullptr));
    try {
        ReadComponent(text, root.get());
    } catch (const EReadError&) {
        return String();
    } catch (const EConvertError&) {
        return String();
    }
    return WriteComponent(root.get());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool registered = [] {
        RegisterClasses({TFuzzControl::StaticClassInfo(), TFuzzStandIn::StaticClassInfo()});
        return true;
    }();
    (void)registered;
    const String first = ReadAndWrite(String(reinterpret_cast<const char*>(data), size));
    if (first.empty()) return 0;
    const String second = ReadAndWrite(first);
    if (second != first) __builtin_trap();
    return 0;
}
