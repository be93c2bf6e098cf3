#pragma once
// Walks a directory tree, reporting each entry that matches a mask and a
// set of attributes, and each directory it enters. Pending messages are
// processed on the way, so a Cancel button works.
//
// The default Path is the file system's root: a default recursive scan
// walks the whole file system. Each directory is entered once however
// many links lead to it, so link loops end.

#include <functional>

#include "platform/SysUtils.h"
#include "widgets/QdControls.h"

enum TFileAttribute { fatArchive, fatReadonly, fatHidden, fatSystem, fatDirectory };
PL_ENUM_NAMES(TFileAttribute, "fatArchive", "fatReadonly", "fatHidden", "fatSystem", "fatDirectory")
using TFileAttributes = TSet<TFileAttribute>;

using TQdLocateEvent = std::function<void(TObject* Sender, const String& Path, const TSearchRec& SearchRec, bool& Cancel)>;
using TQdPathChange = std::function<void(TObject* Sender, const String& Path)>;

class TQdDirScan : public TQdComponent {
    PL_CLASSINFO()
public:
    using TQdComponent::TQdComponent;
    void BeforeDestruction() override;

    // Scans Path for Mask; OnNotify at the end. A cancelled scan (Cancel,
    // OnLocate's Cancel, the application ending, the component freed)
    // ends with the silent EAbort instead.
    void Execute();
    void Cancel() { FCancel = true; }
    bool Scanning() const { return FScanning; }

    // Wildcards * and ?, without case; "*.*" matches every name. Trimmed;
    // empty means "*.*".
    const String& Mask() const { return FMask; }
    void SetMask(const String& Value) { FMask = Value; }
    const String& Path() const { return FPath; }
    void SetPath(const String& Value) { FPath = Value; }
    bool Recursive() const { return FRecursive; }
    void SetRecursive(bool Value) { FRecursive = Value; }
    // Which entries beyond plain files are reported: hidden ones (names
    // starting with a dot) and directories. Archive, read-only and system
    // select plain files alike.
    TFileAttributes Attributes() const { return FAttributes; }
    void SetAttributes(TFileAttributes Value) { FAttributes = Value; }

    TQdLocateEvent OnLocate;
    TQdPathChange OnPathChange;
    TNotifyEvent OnNotify;

private:
    struct TWalk;
    void Scan(const String& Path, TWalk& Walk);

    String FMask = "*.*";
    String FPath = "/";
    bool FRecursive = true;
    Integer FAttr = 0;
    TFileAttributes FAttributes{fatArchive, fatReadonly};
    bool FCancel = false;
    bool FScanning = false;
};
