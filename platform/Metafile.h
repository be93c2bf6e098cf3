#pragma once
// Enhanced metafiles. A metafile canvas records what is drawn on it at the
// metafile's size, as the drawing calls and as the pixels they give;
// freeing the canvas closes the recording. Played back on a canvas at 1:1
// it gives exactly the pixels of drawing there directly, and at any other
// size it draws the calls again, scaled. Saved, it is an enhanced metafile
// file: the header with the creator and description texts, the lines,
// shapes, fills and texts as vector records with their pens, brushes and
// fonts, pixel copies as bitmap records, and the end record.

#include <memory>

struct TDisplayList;
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
    // Plays the recording back stretched over R: the recorded pixels at
    // 1:1, the drawing calls scaled otherwise (one-pixel pens of width 0
    // stay one pixel; wider pens and fonts scale).
    void Draw(TCanvas* ACanvas, const TRect& R) override;

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    friend class TMetafileCanvas;
    TOwned<TBitmap> FPicture;
    std::shared_ptr<const TDisplayList> FList;
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
