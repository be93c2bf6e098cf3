#pragma once
// Non-visual components of the panel widget library: the shared bitmap
// list here, and the system components, each in a file of its own.

#include "widgets/QdClasses.h"
#include "widgets/QdControls.h"
#include "widgets/QdCopyFile.h"
#include "widgets/QdDirScan.h"
#include "widgets/QdKeyStatus.h"
#include "widgets/QdRunOnce.h"
#include "widgets/QdStringList.h"
#include "widgets/QdTrayIcon.h"

// Registers the unit's components for form data; part of the library's
// unit initialisation.
void QdSystemInitialization();

// A shared list of bitmaps: every change of the list reaches the attached
// links, then OnChange.
class TQdBitmapList : public TQdSharedComponent {
    PL_CLASSINFO()
public:
    explicit TQdBitmapList(TComponent* AOwner);
    ~TQdBitmapList() override;

    TQdBitmaps* Bitmaps() const { return FBitmaps.get(); }
    // Copies Value's bitmaps into the list.
    void SetBitmaps(TQdBitmaps* Value) { FBitmaps->Assign(Value); }
    // The bitmap at Index, nullptr outside 0 .. Count - 1.
    TBitmap* GetBitmap(Integer Index) const;

    TNotifyEvent OnChange;

protected:
    // OnChange with the component as sender.
    virtual void Changed();

private:
    void BitmapsChanged(TObject* Sender);

    TOwned<TQdBitmaps> FBitmaps;
};
