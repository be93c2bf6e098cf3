#include "widgets/QdDirScan.h"

#include <set>
#include <utility>

#include "platform/Forms.h"
#include "platform/SysServices.h"
#include "platform/TypInfo.h"

namespace {

// The platform's attribute bit of each attribute, in declaration order.
constexpr Integer kAttributeBits[] = {faArchive, faReadOnly, faHidden, 0x04, faDirectory};

}  // namespace

// What one Execute carries through the tree. Alive is checked after every
// call-out, before the component is touched again.
struct TQdDirScan::TWalk {
    TWeakRef<TQdDirScan> Alive;
    String Mask;
    std::set<std::pair<UInt64, UInt64>> Visited;

    // Ends the walk silently when it was cancelled or its component died.
    void CheckAbort() const
    {
        if (!Alive || Alive->FCancel || Application->Terminated()) Abort();
    }
    void ProcessMessages() const
    {
        Application->ProcessMessages();
        if (!Alive) Abort();
    }
    // False for a directory entered before (through a link or otherwise).
    bool FirstVisit(const String& Path)
    {
        TFileIdentity id;
        return GetFileIdentity(Path, id) && Visited.emplace(id.Device, id.Inode).second;
    }
};

TClass TQdDirScan::StaticClassInfo()
{
    using D = TQdDirScan;
    static const TClassInfo info = TClassBuilder<D, TQdComponent>("TQdDirScan")
                                       .String("Mask", &D::Mask, &D::SetMask).Default(String("*.*"))
                                       .String("Path", &D::Path, &D::SetPath).Default(String("/"))
                                       .Bool("Recursive", &D::Recursive, &D::SetRecursive).Default(true)
                                       .Set("Attributes", &D::Attributes, &D::SetAttributes)
                                       .Default(TFileAttributes{fatArchive, fatReadonly})
                                       .Event("OnLocate", &D::OnLocate)
                                       .Event("OnNotify", &D::OnNotify)
                                       .Event("OnPathChange", &D::OnPathChange)
                                       .Build();
    return &info;
}

void TQdDirScan::BeforeDestruction()
{
    // A scan in progress ends at its next check, without waiting here.
    Cancel();
    TQdComponent::BeforeDestruction();
}

void TQdDirScan::Execute()
{
    FAttr = 0;
    for (Integer a = fatArchive; a <= fatDirectory; ++a)
        if (FAttributes.Contains(static_cast<TFileAttribute>(a))) FAttr |= kAttributeBits[a];
    FCancel = false;
    FScanning = true;
    TWalk walk{TWeakRef<TQdDirScan>(this), Trim(FMask), {}};
    if (walk.Mask.empty()) walk.Mask = "*.*";
    {
        TScopeExit done([&walk] {
            if (walk.Alive) walk.Alive->FScanning = false;
        });
        Scan(FPath.empty() ? String() : IncludeTrailingPathDelimiter(FPath), walk);
    }
    if (OnNotify) OnNotify(this);
}

void TQdDirScan::Scan(const String& Path, TWalk& Walk)
{
    Walk.CheckAbort();
    if (!Walk.FirstVisit(Path.empty() ? String(".") : Path)) return;
    if (OnPathChange) OnPathChange(this, Path);
    Walk.CheckAbort();
    TSearchRec found;
    for (Integer r = FindFirst(Path + Walk.Mask, FAttr, found); r == 0; r = FindNext(found)) {
        Walk.CheckAbort();
        bool cancel = false;
        if (OnLocate) OnLocate(this, Path, found, cancel);
        if (cancel && Walk.Alive) FCancel = true;
        Walk.CheckAbort();
    }
    if (FRecursive) {
        for (Integer r = FindFirst(Path + "*.*", faDirectory, found); r == 0; r = FindNext(found)) {
            Walk.ProcessMessages();
            if ((found.Attr & faDirectory) && found.Name != "." && found.Name != "..")
                Scan(Path + found.Name + PathDelim, Walk);
            Walk.CheckAbort();
        }
    }
    Walk.ProcessMessages();
}
