#pragma once
// The plot's output: the clipboard, image files and printing, with the
// settings and the pictures they keep.

#include "components/plot/component/kPlotSettings.h"
#include "platform/Graphics.h"

class TkPlotComponent;
class TMetafile;

class TkPlotOutput {
public:
    explicit TkPlotOutput(TkPlotComponent& Plot);
    ~TkPlotOutput();

    // The plot as CopyFormat says, drawn without toolbars or selections;
    // afterwards each toolbar shows as it did.
    void CopyToClipBoard();
    // The plot drawn into a metafile picture that the plot keeps and owns;
    // toolbars and selections stay as they are.
    TPicture* GetSnapShotPicture();
    // Asks for a file in the save dialog and saves the image it names.
    void Save();
    // The image file whose ending names the format, ignoring case: "bmp",
    // "emf", "jpg" (quality 100, progressive) or "png" (level 9). False, with
    // nothing written, for any other ending.
    bool SaveImageByExtension(const String& FileName);
    // Prints page by page: each page shows X axis 0 one Span further on,
    // from its Min to its Min + Span when printing began. Any failure
    // raises "Error Printing : " and the cause, with the plot as before.
    void PrintChart();
    // Shows the print preview modally (see kSetPlotPreviewRunner); raises
    // when no preview is installed.
    void PreviewChart();
    // Height to the proportions of the printer's paper.
    void PrintSizeToFillPage();
    // X axis 0's Span such that the printed axis shows MinutesPerMillimeter;
    // unchanged when the plot has no height or no X axis.
    void PrintAdjustXSpanToMinutesPerMillimeter(Double MinutesPerMillimeter);

    TkPlotExportFormat CopyFormat = kpefMetaFile;
    TkPlotPrintSettings Print;

private:
    TkPlotComponent& FPlot;
    // Made on first use and kept: the clipboard's and the snapshot's.
    TOwned<TMetafile> FMetafile;
    TOwned<TPicture> FSnapShotPicture;
};
