#include "widgets/QdCopyFile.h"

#include <algorithm>
#include <vector>

#include "platform/Consts.h"
#include "platform/Forms.h"
#include "platform/SysServices.h"
#include "platform/TypInfo.h"

TClass TQdCopyFile::StaticClassInfo()
{
    using C = TQdCopyFile;
    static const TClassInfo info = TClassBuilder<C, TQdComponent>("TQdCopyFile")
                                       .String("DestFile", &C::DestFile, &C::SetDestFile).Default(String())
                                       .String("SourceFile", &C::SourceFile, &C::SetSourceFile).Default(String())
                                       .Integer("BufferSize", &C::BufferSize, &C::SetBufferSize).Default(1024)
                                       .Enum("Overwrite", &C::Overwrite, &C::SetOverwrite).Default(omAlways)
                                       .Bool("CopyDateTime", &C::CopyDateTime, &C::SetCopyDateTime).Default(true)
                                       .Event("BeforeOverwrite", &C::BeforeOverwrite)
                                       .Event("BeforeOpen", &C::BeforeOpen)
                                       .Event("OnProgress", &C::OnProgress)
                                       .Event("AfterCopy", &C::AfterCopy)
                                       .Build();
    return &info;
}

void TQdCopyFile::BeforeDestruction()
{
    // A copy in progress notices, and leaves the destination alone.
    Terminate();
    TQdComponent::BeforeDestruction();
}

void TQdCopyFile::CheckExists()
{
    TSearchRec found;
    if (FindFirst(FSourceFile, faAnyFile & ~faDirectory, found) != 0) return;
    FindClose(found);
    if (BeforeOpen) BeforeOpen(this, found.Size, Date(), found.Time);
}

bool TQdCopyFile::CheckOverwrite()
{
    bool overwrite = true;
    if (FOverwrite == omEvent && FileExists(FDestFile) && BeforeOverwrite) BeforeOverwrite(this, overwrite);
    return overwrite;
}

void TQdCopyFile::Execute()
{
    FCancel = false;
    // Creating the destination would empty the source first.
    if (SameFile(FSourceFile, FDestFile)) throw EFCreateError("Cannot copy a file onto itself: " + TextExcerpt(FDestFile));
    // Handlers run from here on and may free the component: what the copy
    // needs after a call-out lives in locals.
    TWeakRef<TQdCopyFile> alive(this);
    const String source = FSourceFile, dest = FDestFile;
    const Int64 blockSize = FBufferSize;
    const bool copyDateTime = FCopyDateTime;
    CheckExists();
    if (!alive) return;
    TFileStream input(source, fmOpenRead | fmShareDenyWrite);
    const Int64 size = input.Size();
    const Integer age = FileAge(source);
    if (!CheckOverwrite() || !alive) {
        if (alive && AfterCopy) AfterCopy(this);
        return;
    }
    // The destination changes only when the copy completes.
    TSafeFileStream output(dest);
    // No block needs more room than the whole source and one byte more.
    std::vector<Byte> buffer(static_cast<std::size_t>(std::min(blockSize, size + 1)));
    const Int64 request = static_cast<Int64>(buffer.size());
    Int64 total = 0;
    for (Int64 read = request; read == request && !FCancel;) {
        Application->ProcessMessages();
        if (!alive) return;
        read = input.Read(buffer.data(), request);
        output.WriteBuffer(buffer.data(), read);
        total += read;
        bool cancel = false;
        if (OnProgress) OnProgress(this, total, cancel);
        if (!alive) return;
        FCancel = FCancel || cancel;
    }
    if (!FCancel) {
        // A short read before the end is a read error, not the end.
        if (total < size) throw EReadError(String(SReadError) + ": " + TextExcerpt(source));
        output.Commit();
        if (copyDateTime) FileSetDate(dest, age);
    }
    if (AfterCopy) AfterCopy(this);
}
