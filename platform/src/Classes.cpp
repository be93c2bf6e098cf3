#include "platform/Classes.h"

#include <algorithm>

#include "platform/Consts.h"

// --- TPersistent -----------------------------------------------------------

TClass TPersistent::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TPersistent, TObject>("TPersistent").Build();
    return &info;
}

void TPersistent::Assign(TPersistent* Source)
{
    if (Source) {
        Source->AssignTo(this);
        return;
    }
    AssignTo(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest)
{
    const String source = Dest ? ClassName() : String("nil");
    throw EConvertError(Format(SAssignError, source, Dest ? Dest->ClassName() : ClassName()));
}

void TPersistent::DefineProperties(TFiler&) {}

String TPersistent::GetNamePath() const { return ClassName(); }

// --- TComponent ------------------------------------------------------------

TClass TComponent::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TComponent, TPersistent>("TComponent")
                                       .String("Name", &TComponent::Name, &TComponent::SetName)
                                       .Stored(false)
                                       .Integer("Tag", &TComponent::FTag)
                                       .Default(0)
                                       .Build();
    return &info;
}

bool IsValidIdent(const String& Ident)
{
    auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (Ident.empty() || !alpha(Ident[0])) return false;
    return std::all_of(Ident.begin() + 1, Ident.end(), [&](char c) { return alpha(c) || digit(c); });
}

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner) AOwner->Insert(this);
}

TComponent::~TComponent()
{
    // Reached without BeforeDestruction only by a plain delete; the links
    // are released the same way, through the other objects only.
    MarkDestroying();
    ReleaseLinks();
}

void TComponent::AfterConstruction()
{
    TPersistent::AfterConstruction();
    if (FOwner) FOwner->Notification(this, opInsert);
}

void TComponent::BeforeDestruction()
{
    TPersistent::BeforeDestruction();
    MarkDestroying();
    ReleaseLinks();
}

void TComponent::MarkDestroying()
{
    FComponentState.Include(csDestroying);
    for (TComponent* c : FComponents) c->MarkDestroying();
}

void TComponent::ReleaseLinks()
{
    if (FLinksReleased) return;
    FLinksReleased = true;
    while (!FFreeNotifies.empty()) {
        TComponent* partner = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        std::erase(partner->FFreeNotifies, this);
        partner->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(Integer Index) const
{
    if (Index < 0 || Index >= ComponentCount()) RaiseListIndexError(Index);
    return FComponents[static_cast<std::size_t>(Index)];
}

Integer TComponent::ComponentIndex() const
{
    if (!FOwner) return -1;
    auto& list = FOwner->FComponents;
    return static_cast<Integer>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(const String& AName) const
{
    if (AName.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, AName)) return c;
    return nullptr;
}

void TComponent::ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName) const
{
    if (NewName.empty()) return;
    if (AComponent && SameText(CurName, NewName)) return;
    if (TComponent* other = FindComponent(NewName); other && other != AComponent)
        throw EComponentError(Format(SDuplicateName, TextExcerpt(NewName)));
}

void TComponent::SetName(const String& NewName)
{
    if (FName == NewName) return;
    if (!NewName.empty() && !IsValidIdent(NewName))
        throw EComponentError(Format(SInvalidComponentName, TextExcerpt(NewName)));
    if (FOwner) FOwner->ValidateRename(this, FName, NewName);
    else ValidateRename(nullptr, FName, NewName);
    SetReference(false);
    FName = NewName;
    SetReference(true);
}

void TComponent::SetReference(bool Enable)
{
    if (!FOwner || FName.empty()) return;
    if (const TFieldInfo* field = FOwner->ClassInfo()->FindField(FName)) field->Set(FOwner, Enable ? this : nullptr);
}

void TComponent::Insert(TComponent* AComponent)
{
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent)
{
    std::erase(FComponents, AComponent);
    AComponent->FOwner = nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (AComponent->FOwner == this) return;
    ValidateRename(nullptr, String(), AComponent->FName);
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    Insert(AComponent);
    AComponent->SetReference(true);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    if (AComponent->FOwner != this) return;
    Notification(AComponent, opRemove);
    AComponent->SetReference(false);
    Remove(AComponent);
}

void TComponent::DestroyComponents()
{
    // Each one leaves this list through RemoveComponent while it is freed,
    // so the rest of the tree hears of it.
    while (!FComponents.empty()) FComponents.back()->Free();
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this) return;
    if (FOwner && AComponent->FOwner == FOwner) return;  // the owner's notices reach it already
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this) ==
        AComponent->FFreeNotifies.end())
        AComponent->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    if (!AComponent) return;
    std::erase(FFreeNotifies, AComponent);
    std::erase(AComponent->FFreeNotifies, this);
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove) RemoveFreeNotification(AComponent);
    // Receivers may free components meanwhile: walk down and re-clamp.
    for (Integer i = ComponentCount() - 1; i >= 0; --i) {
        FComponents[static_cast<std::size_t>(i)]->Notification(AComponent, Operation);
        i = std::min(i, ComponentCount());
    }
}

void TComponent::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
    if (Root != this) return;
    for (TComponent* c : FComponents)
        if (!c->HasParent()) Proc(c);
}

void TComponent::SetParentComponent(TComponent*) {}

TComponent* TComponent::GetParentComponent() const { return nullptr; }

bool TComponent::HasParent() const { return false; }

String TComponent::GetNamePath() const { return FName; }

void TComponent::SetComponentStateFlag(TComponentStateItem Item, bool On)
{
    if (On) FComponentState.Include(Item);
    else FComponentState.Exclude(Item);
}

// --- Lists -----------------------------------------------------------------

void RaiseListIndexError(Integer Index)
{
    throw EListError(Format(SListIndexError, Index));
}
