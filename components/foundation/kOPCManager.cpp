#include "components/foundation/kOPCManager.h"

#include "components/foundation/kOPCExplorer.h"

#include "platform/Consts.h"
#include "platform/FormStream.h"
#include "platform/Graphics.h"
#include "platform/ImgList.h"
#include "platform/Menus.h"
#include "platform/Resources.h"

TClass TkOPCGroupObject::StaticClassInfo()
{
    using C = TkOPCGroupObject;
    static const TClassInfo info = TClassBuilder<C, TPersistent>("TkOPCGroupObject")
                                       .String("Name", &C::Name)
                                       .String("ComputerName", &C::ComputerName)
                                       .String("OPCServerName", &C::OPCServerName)
                                       .Integer("UpdateRate", &C::UpdateRate, &C::SetUpdateRate)
                                       .Build();
    return &info;
}

TClass TkOPCGroupStream::StaticClassInfo()
{
    using C = TkOPCGroupStream;
    static const TClassInfo info = TClassBuilder<C, TPersistent>("TkOPCGroupStream")
                                       .String("Name", &C::Name)
                                       .String("ComputerName", &C::ComputerName)
                                       .String("OPCServerName", &C::OPCServerName)
                                       .Integer("UpdateRate", &C::UpdateRate)
                                       .Build();
    return &info;
}

TClass TkOPCManager::StaticClassInfo()
{
    using C = TkOPCManager;
    static const TClassInfo info = TClassBuilder<C, TCustomControl>("TkOPCManager")
                                       .Bool("Visible", &C::Visible, &C::SetVisible)
                                       .Default(false)
                                       .Reference("PopupMenu", &C::PopupMenu, &C::SetPopupMenu)
                                       .Event("OnBeforeGroupUpdate", &C::OnBeforeGroupUpdate)
                                       .Event("OnAfterGroupUpdate", &C::OnAfterGroupUpdate)
                                       .Build();
    return &info;
}

// ---------------------------------------------------------------------------
// Groups
// ---------------------------------------------------------------------------

void TkOPCGroupObject::SetUpdateRate(Integer Value)
{
    if (Value == FUpdateRate) return;
    FUpdateRate = Value;
    if (FHandle != 0) OPCGroupSetUpdateRate(FHandle, Value);
}

void TkOPCGroupObject::Resume()
{
    if (FHandle != 0) OPCGroupResume(FHandle);
}

void TkOPCGroupObject::Suspend()
{
    if (FHandle != 0) OPCGroupSuspend(FHandle);
}

// ---------------------------------------------------------------------------
// Manager
// ---------------------------------------------------------------------------

namespace {

constexpr Integer ManagerSize = 28;
constexpr Integer GlyphSize = 24;
constexpr const char GlyphResource[] = "OPCMANAGER";

TOwned<TImageList> DesignGlyph()
{
    TOwned<TImageList> images(Create<TImageList>(nullptr));
    images->SetSize(GlyphSize, GlyphSize);
    if (FindResourceData(GlyphResource).empty()) return images;
    TBitmap glyph;
    glyph.LoadFromResourceName(GlyphResource);
    images->AddMasked(&glyph, clWhite);
    return images;
}

// A manager that cannot tell the library it exists is simply not the first.
Integer ManagerCreatedOrZero() noexcept
{
    try {
        return OPCManagerCreated();
    } catch (...) {
        return 0;
    }
}

}  // namespace

TkOPCManager::TkOPCManager(TComponent* AOwner)
    : TCustomControl(AOwner),
      FFirstInstance(ManagerCreatedOrZero()),
      FCookie(OPCRegisterTarget(this)),
      FImageList(DesignGlyph())
{
    TCustomControl::SetBounds(Left(), Top(), ManagerSize, ManagerSize);
    SetVisible(false);
}

// Nothing may raise here: each library complaint is dropped.
TkOPCManager::~TkOPCManager()
{
    OPCUnregisterTarget(FCookie);
    while (!FGroups.empty()) {
        try {
            GroupDelete(GetGroupCount() - 1);
        } catch (...) {
        }
    }
    try {
        if (FFirstInstance != 0) OPCManagerDestroyed();
    } catch (...) {
    }
}

void TkOPCManager::SetBounds(Integer ALeft, Integer ATop, Integer, Integer)
{
    TCustomControl::SetBounds(ALeft, ATop, ManagerSize, ManagerSize);
}

void TkOPCManager::Paint()
{
    TCanvas* canvas = Canvas();
    const Integer last = ManagerSize - 1;
    canvas->Pen()->SetColor(clBtnHighlight);
    canvas->MoveTo(0, last);
    canvas->LineTo(0, 0);
    canvas->LineTo(last, 0);
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->LineTo(last, last);
    canvas->LineTo(0, last);
    FImageList->Draw(canvas, 2, 2, 0);
}

Integer TkOPCManager::GroupAdd(const String& Name, const String& ComputerName, const String& OPCServerName,
                               Integer UpdateRate)
{
    FGroups.push_back(std::make_unique<TkOPCGroupObject>(Name, ComputerName, OPCServerName, UpdateRate));
    TkOPCGroupObject& group = *FGroups.back();
    group.SetHandle(OPCGroupAdd(ComputerName, OPCServerName, Name, UpdateRate, OPCGroupCallbackFor(FCookie)));
    return GetGroupCount() - 1;
}

TkOPCGroupObject* TkOPCManager::GetGroup(Integer Index) const
{
    if (Index < 0 || Index >= GetGroupCount()) throw EListError(Format(SListIndexError, Index));
    return FGroups[static_cast<std::size_t>(Index)].get();
}

void TkOPCManager::GroupDelete(Integer Index)
{
    TkOPCGroupObject* group = GetGroup(Index);
    // The group goes even when the library complains about it.
    const TScopeExit remove([this, Index] { FGroups.erase(FGroups.begin() + Index); });
    if (group->Handle() != 0) OPCGroupDelete(group->Handle());
}

void TkOPCManager::GroupClear()
{
    while (!FGroups.empty()) GroupDelete(0);
}

Integer TkOPCManager::GetGroupIndex(const String& Name) const
{
    for (Integer i = 0; i < GetGroupCount(); ++i)
        if (SameText(FGroups[static_cast<std::size_t>(i)]->Name(), Name)) return i;
    return -1;
}

TkOPCGroupObject* TkOPCManager::FindGroupByHandle(Integer Handle) const
{
    for (const auto& group : FGroups)
        if (group->Handle() == Handle) return group.get();
    return nullptr;
}

void TkOPCManager::CloseAllServerConnections() { OPCCloseAllServerConnections(); }

void TkOPCManager::ExplorerShow() { ShowOPCExplorer(); }

void TkOPCManager::OPCGroupUpdate(Integer GroupHandle, bool After)
{
    const TkOPCGroupObject* group = GroupHandle != 0 ? FindGroupByHandle(GroupHandle) : nullptr;
    const String name = group ? group->Name() : String();
    const TGroupUpdateEvent& event = After ? OnAfterGroupUpdate : OnBeforeGroupUpdate;
    if (event) event(this, name);
}

// ---------------------------------------------------------------------------
// Form data
// ---------------------------------------------------------------------------

void TkOPCManager::DefineProperties(TFiler& Filer)
{
    TCustomControl::DefineProperties(Filer);
    Filer.DefineProperty(
        "Groups", [this](TReader& Reader) { ReadGroups(Reader); },
        [this](TWriter& Writer) { WriteGroups(Writer); }, !FGroups.empty());
}

void TkOPCManager::WriteGroups(TWriter& Writer) const
{
    Writer.WriteValue(vaCollection);
    for (const auto& group : FGroups) {
        TkOPCGroupStream stream;
        stream.Name = group->Name();
        stream.ComputerName = group->ComputerName();
        stream.OPCServerName = group->OPCServerName();
        stream.UpdateRate = group->UpdateRate();
        Writer.WriteListBegin();
        Writer.WriteProperties(&stream);
        Writer.WriteListEnd();
    }
    Writer.WriteListEnd();
}

void TkOPCManager::ReadGroups(TReader& Reader)
{
    if (Reader.NextValue() != vaCollection) return Reader.SkipValue();
    Reader.ReadValue();
    std::vector<std::unique_ptr<TkOPCGroupStream>> read;
    while (!Reader.EndOfList()) {
        TkOPCGroupStream& stream = *read.emplace_back(std::make_unique<TkOPCGroupStream>());
        Reader.ReadListBegin();
        while (!Reader.EndOfList()) Reader.ReadProperty(&stream);
        Reader.ReadListEnd();
    }
    Reader.ReadListEnd();
    GroupClear();
    for (const auto& stream : read) {
        // One group the library refuses must not fail the whole form: it
        // stays listed, unregistered.
        try {
            GroupAdd(stream->Name, stream->ComputerName, stream->OPCServerName, stream->UpdateRate);
        } catch (...) {
        }
    }
}

void kOPCManagerInitialization() { RegisterClass(TkOPCManager::StaticClassInfo()); }
