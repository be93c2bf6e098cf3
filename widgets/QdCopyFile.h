#pragma once
// Copies a file block by block, reporting progress after each block and
// processing pending messages meanwhile, so that a Cancel button works.
//
// The copy goes to a temporary file beside the destination, which takes
// the destination's place only once every byte has arrived: a copy that
// fails, is cancelled or whose component is freed meanwhile leaves the
// destination as it was. A cancelled copy still ends with AfterCopy.

#include <functional>

#include "platform/SysUtils.h"
#include "widgets/QdControls.h"

enum TQdOverwriteMode { omAlways, omEvent };
PL_ENUM_NAMES(TQdOverwriteMode, "omAlways", "omEvent")

using TQdOverwriteEvent = std::function<void(TObject* Sender, bool& Overwrite)>;
// Size of the source in bytes, the current date, the source's packed
// file time.
using TQdOpenEvent = std::function<void(TObject* Sender, Int64 Size, TDateTime Date, Integer Time)>;
using TQdProgressEvent = std::function<void(TObject* Sender, Int64 BytesCopied, bool& Cancel)>;

class TQdCopyFile : public TQdComponent {
    PL_CLASSINFO()
public:
    using TQdComponent::TQdComponent;
    void BeforeDestruction() override;

    // Copies SourceFile to DestFile. Raises EFOpenError for a missing
    // source, EFCreateError when source and destination are the same file
    // (checked before anything is opened), EReadError when fewer bytes
    // could be read than the source holds, the class library's file errors
    // otherwise; AfterCopy then does not fire.
    void Execute();
    // Ends a copy in progress after its current block.
    void Terminate() { FCancel = true; }

    const String& SourceFile() const { return FSourceFile; }
    void SetSourceFile(const String& Value) { FSourceFile = Value; }
    const String& DestFile() const { return FDestFile; }
    void SetDestFile(const String& Value) { FDestFile = Value; }
    TQdMaxInt BufferSize() const { return FBufferSize; }
    // Bytes per block; below 1 counts as 1.
    void SetBufferSize(TQdMaxInt Value) { FBufferSize = Value < 1 ? 1 : Value; }
    TQdOverwriteMode Overwrite() const { return FOverwrite; }
    void SetOverwrite(TQdOverwriteMode Value) { FOverwrite = Value; }
    bool CopyDateTime() const { return FCopyDateTime; }
    void SetCopyDateTime(bool Value) { FCopyDateTime = Value; }

    TQdOverwriteEvent BeforeOverwrite;
    TQdOpenEvent BeforeOpen;
    TQdProgressEvent OnProgress;
    TNotifyEvent AfterCopy;

private:
    void CheckExists();
    bool CheckOverwrite();

    String FDestFile;
    String FSourceFile;
    TQdMaxInt FBufferSize = 1024;
    TQdOverwriteMode FOverwrite = omAlways;
    bool FCancel = false;
    bool FCopyDateTime = true;
};
