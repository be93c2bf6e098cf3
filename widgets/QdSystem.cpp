#include "widgets/QdSystem.h"

#include "platform/TypInfo.h"

void QdSystemInitialization()
{
    RegisterClasses({TQdBitmapList::StaticClassInfo(), TQdStringList::StaticClassInfo(), TQdCopyFile::StaticClassInfo(),
                     TQdDirScan::StaticClassInfo(), TQdKeyStatus::StaticClassInfo(),
                     TQdRunOnce::StaticClassInfo(), TQdTrayIcon::StaticClassInfo()});
}

// ---------------------------------------------------------------------------
// TQdBitmapList
// ---------------------------------------------------------------------------

TClass TQdBitmapList::StaticClassInfo()
{
    using L = TQdBitmapList;
    static const TClassInfo info = TClassBuilder<L, TQdSharedComponent>("TQdBitmapList")
                                       .Object("Bitmaps", &L::Bitmaps, &L::SetBitmaps)
                                       .Event("OnChange", &L::OnChange)
                                       .Build();
    return &info;
}

TQdBitmapList::TQdBitmapList(TComponent* AOwner)
    : TQdSharedComponent(AOwner), FBitmaps(CreateOwned<TQdBitmaps>())
{
    FBitmaps->OnChange = [this](TObject* Sender) { BitmapsChanged(Sender); };
}

TQdBitmapList::~TQdBitmapList() = default;

TBitmap* TQdBitmapList::GetBitmap(Integer Index) const
{
    if (Index < 0 || Index >= FBitmaps->Count()) return nullptr;
    return FBitmaps->Bitmaps(Index);
}

void TQdBitmapList::Changed()
{
    if (OnChange) OnChange(this);
}

void TQdBitmapList::BitmapsChanged(TObject*)
{
    NotifyClients();
    Changed();
}
