#pragma once
// Enhanced metafiles. A metafile canvas records what is drawn on it at the
// metafile's size; freeing the canvas closes the recording. Played back on
// a canvas at 1:1 it gives exactly the pixels of drawing there directly;
// saved, it is an enhanced metafile file (the header with the creator and
// description texts, the recorded picture as one device-independent bitmap
// record, and the end record).

#include <memory>

#include "platform/Graphics.h"

class TMetafile : public TGraphic {
    PL_CLASSINFO()
public:
    TMetafile();
    ~TMetafile() override;

    void Assign(TPersistent* Source) override;

    bool Empty() const override;
    // The size of the recording, in pixels at 96 per inch; setting it
    // clears what was recorded.
    Integer Width() const override;
    void SetWidth(Integer Value) override;
    Integer Height() const override;
    void SetHeight(Integer Value) override;
    void SetSize(Integer AWidth, Integer AHeight);

    const String& CreatedBy() const { return FCreatedBy; }
    const String& Description() const { return FDescription; }

    // Reading metafiles is not supported: raises EInvalidGraphic.
    void LoadFromStream(TStream& Stream) override;
    // An empty metafile raises EInvalidGraphic and writes nothing.
    void SaveToStream(TStream& Stream) override;
    // Plays the recording back stretched over R.
    void Draw(TCanvas* ACanvas, const TRect& R) override;

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    friend class TMetafileCanvas;
    TOwned<TBitmap> FPicture;
    String FCreatedBy;
    String FDescription;
};

// Records into Metafile (which must outlive the canvas) at its size, over
// white; the texts go into the file's header.
class TMetafileCanvas : public TCanvas {
public:
    TMetafileCanvas(TMetafile* Metafile, const String& CreatedBy, const String& Description);
    ~TMetafileCanvas() override;
    TMetafileCanvas(const TMetafileCanvas&) = delete;
    TMetafileCanvas& operator=(const TMetafileCanvas&) = delete;

private:
    struct TRecording;
    TMetafile* FMetafile;
    std::unique_ptr<TRecording> FRecording;
};
