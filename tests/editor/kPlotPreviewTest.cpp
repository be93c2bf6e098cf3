// The print preview: the page and picture layout, its degenerate sizes,
// the settings dialog writing back into the preview and the plot, and its
// Print button's picture.

#include <gtest/gtest.h>

#include "components/editor/EditorUnits.h"
#include "components/editor/kPlotPreview.h"
#include "components/editor/kPlotPreviewSettings.h"
#include "components/plot/channel/time/kPlotChannel.h"
#include "components/plot/component/kPlot.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/input/kPlotToolBar.h"
#include "components/plot/layout/kPlotLegend.h"
#include "platform/SysUtils.h"
#include "platform/Testing.h"
#include "support/LayoutCheck.h"
#include "support/MessageOf.h"

using namespace Testing;

void RegisterResources_APP();

namespace {

const TkPrintMargins OneInch;

}  // namespace

TEST(PreviewLayout, ThePageFitsTheBoxAndThePictureKeepsItsProportionsWithinTheMargins)
{
    // Letter landscape, 11 x 8.5 in, in a box whose height binds.
    const TkPreviewLayout layout = kPreviewLayout(836, 522, 11, 8.5, OneInch, 300, 200);
    const Integer pageWidth = layout.Page.Right - layout.Page.Left;
    const Integer pageHeight = layout.Page.Bottom - layout.Page.Top;
    EXPECT_NEAR(pageWidth, 502 * 11 / 8.5, 1.0);
    EXPECT_EQ(pageHeight, 502);
    EXPECT_EQ(layout.Shadow.Left, layout.Page.Left + 7);
    // One inch in from the page's corner, as printing places the plot.
    const Double pixelsPerInch = Round(pageWidth / 11.0);
    EXPECT_EQ(layout.Picture.Left - layout.Page.Left, pixelsPerInch);
    EXPECT_EQ(layout.Picture.Top - layout.Page.Top, pixelsPerInch);
    const Double width = layout.Picture.Right - layout.Picture.Left;
    const Double height = layout.Picture.Bottom - layout.Picture.Top;
    EXPECT_NEAR(width / height, 1.5, 0.01);
    EXPECT_LE(layout.Picture.Right, layout.Page.Right - pixelsPerInch + 1);
    EXPECT_LE(layout.Picture.Bottom, layout.Page.Bottom - pixelsPerInch + 1);
}

TEST(PreviewLayout, DegenerateSizesDrawLessInsteadOfMirroring)
{
    EXPECT_TRUE(IsRectEmpty(kPreviewLayout(20, 400, 11, 8.5, OneInch, 300, 200).Page));
    EXPECT_TRUE(IsRectEmpty(kPreviewLayout(400, 400, 0, 8.5, OneInch, 300, 200).Page));
    const TkPrintMargins huge{6, 1, 6, 1};
    const TkPreviewLayout noRoom = kPreviewLayout(400, 400, 11, 8.5, huge, 300, 200);
    EXPECT_FALSE(IsRectEmpty(noRoom.Page));
    EXPECT_TRUE(IsRectEmpty(noRoom.Picture));
    EXPECT_TRUE(IsRectEmpty(kPreviewLayout(400, 400, 11, 8.5, OneInch, 0, 200).Picture));
    Double w = 0, h = 0;
    kPreviewPaperSize(-1, w, h);
    EXPECT_EQ(w, 8.5);  // unknown paper: letter
    kPreviewPaperSize(4, w, h);
    EXPECT_NEAR(w, 148 / 25.4, 1e-9);  // A5
}

TEST(PlotPreview, SettingsGoBackIntoThePreviewAndThePlotAndCancelChangesNothing)
{
    RegisterEditorUnits();
    InitializeUnits();
    TOwned<TkPlot> plot{Create<TkPlot>(nullptr)};
    plot->SetBounds(0, 0, 300, 200);
    plot->SetPrintDocumentName("Run 7");
    bool toolbarShownInSnapshot = true;
    plot->OnBeforePrint = [&](TObject*) { toolbarShownInSnapshot = plot->GetToolBar(0)->Visible(); };

    Answers::Modal([&](TCustomForm* Form) {
        auto* preview = dynamic_cast<TkPlotPreviewForm*>(Form);
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->Caption(), "Run 7 (Preview)");
        EXPECT_EQ(LayoutCheck::Faults(preview), std::vector<String>{});
        TOwned<TBitmap> shown = Grab(preview->Preview());
        const TkPreviewLayout portraitLetter = preview->Layout();
        EXPECT_GT(portraitLetter.Page.Right - portraitLetter.Page.Left,
                  portraitLetter.Page.Bottom - portraitLetter.Page.Top);  // landscape by default
        EXPECT_EQ(shown->Canvas()->Pixels(portraitLetter.Shadow.Right - 2, portraitLetter.Shadow.Bottom - 2), clBlack);

        // Cancelled: nothing changes.
        Answers::Modal([](TCustomForm* Settings) {
            auto* form = dynamic_cast<TkPlotPreviewSettingsForm*>(Settings);
            EXPECT_EQ(LayoutCheck::Faults(form), std::vector<String>{});
            EXPECT_EQ(form->PrintDocumentNameEdit->AsString(), "Run 7");
            form->PrintMarginLeftEdit->SetAsFloat(3);
            form->CancelButton->Click();
        });
        preview->SettingsButton()->Click();
        EXPECT_EQ(plot->PrintMarginLeft(), 1.0);

        // A5 portrait with half-inch margins.
        Answers::Modal([](TCustomForm* Settings) {
            auto* form = dynamic_cast<TkPlotPreviewSettingsForm*>(Settings);
            form->PrintPaperSizeComboBox->SetAsInteger(4);
            form->PrintOrientationRadioGroup->SetAsInteger(0);
            for (auto* edit : {form->PrintMarginTopEdit, form->PrintMarginLeftEdit, form->PrintMarginRightEdit,
                               form->PrintMarginBottomEdit})
                edit->SetAsString("0.5");
            form->PrintDocumentNameEdit->SetAsString("Report");
            form->OkButton->Click();
        });
        preview->SettingsButton()->Click();
        EXPECT_EQ(preview->PrintSize, 4);
        EXPECT_EQ(preview->Caption(), "Report (Preview)");
        Grab(preview->Preview());
        const TkPreviewLayout a5 = preview->Layout();
        EXPECT_LT(a5.Page.Right - a5.Page.Left, a5.Page.Bottom - a5.Page.Top);

        // Negative margins are refused and change nothing.
        Answers::Modal([](TCustomForm* Settings) {
            auto* form = dynamic_cast<TkPlotPreviewSettingsForm*>(Settings);
            form->PrintMarginTopEdit->SetAsString("-2");
            form->OkButton->Click();
        });
        EXPECT_EQ(MessageOf([&] { preview->SettingsButton()->Click(); }), "Margins must not be negative");
        preview->CloseButton()->Click();
    });
    plot->PreviewChart();
    EXPECT_EQ(Answers::Pending(), 0);
    EXPECT_EQ(plot->PrintMarginTop(), 0.5);
    EXPECT_EQ(plot->PrintOrientation(), poPortrait);
    EXPECT_EQ(plot->PrintDocumentName(), "Report");
    EXPECT_FALSE(toolbarShownInSnapshot);
    EXPECT_TRUE(plot->GetToolBar(0)->Visible());
}

TEST(PlotPreview, ReturnAndEscapeInTheSettingsAnswerOkAndCancelFromEveryKindOfControl)
{
    RegisterEditorUnits();
    InitializeUnits();
    using TFocus = TWinControl* (*)(TkPlotPreviewSettingsForm*);
    const TFocus focusTargets[] = {
        [](TkPlotPreviewSettingsForm* F) -> TWinControl* { return F->PrintOrientationRadioGroup; },
        [](TkPlotPreviewSettingsForm* F) -> TWinControl* { return F->PrintMarginTopEdit; },
        [](TkPlotPreviewSettingsForm* F) -> TWinControl* { return F->PrintPaperSizeComboBox; },
    };
    for (const TFocus focus : focusTargets)
        for (const auto& [key, result] : {std::pair{VK_RETURN, mrOk}, std::pair{VK_ESCAPE, mrCancel}}) {
            TOwned<TkPlotPreviewSettingsForm> settings{Create<TkPlotPreviewSettingsForm>(nullptr)};
            Answers::Modal([&, key = key](TCustomForm*) {
                focus(settings.get())->SetFocus();
                Input::Key(key);
            });
            EXPECT_EQ(settings->ShowModal(), result) << focus(settings.get())->Name();
        }
    EXPECT_EQ(Answers::Pending(), 0);
}

namespace {

// The pixels of Color in Bitmap, relative to the corner of their box.
std::vector<TPoint> InkOf(TBitmap& Bitmap, TColor Color)
{
    std::vector<TPoint> ink;
    for (Integer y = 0; y < Bitmap.Height(); ++y)
        for (Integer x = 0; x < Bitmap.Width(); ++x)
            if (Bitmap.Canvas()->Pixels(x, y) == Color) ink.push_back({x, y});
    if (ink.empty()) return ink;
    TPoint corner = ink.front();
    for (const TPoint& p : ink) corner = {Min(corner.X, p.X), Min(corner.Y, p.Y)};
    for (TPoint& p : ink) p = {p.X - corner.X, p.Y - corner.Y};
    return ink;
}

// Whether Bitmap shows Text, in Font's colour, whole at some height of the
// font, rather than cut short.
bool ShowsWhole(TBitmap& Bitmap, const String& Text, TFont* Font)
{
    const std::vector<TPoint> shown = InkOf(Bitmap, Font->Color());
    for (Integer height = 4; height <= 40; ++height) {
        TOwned<TBitmap> drawn = CreateOwned<TBitmap>();
        drawn->SetSize(400, 60);
        drawn->Canvas()->Font()->Assign(Font);
        drawn->Canvas()->Font()->SetHeight(-height);
        drawn->Canvas()->Brush()->SetStyle(bsClear);
        drawn->Canvas()->TextOut(2, 2, Text);
        if (InkOf(*drawn, Font->Color()) == shown) return true;
    }
    return false;
}

}  // namespace

TEST(PlotPreview, AnEnlargedPreviewShowsTheLegendsTextWhole)
{
    RegisterEditorUnits();
    InitializeUnits();
    TOwned<TkPlot> plot{Create<TkPlot>(nullptr)};
    plot->SetBounds(0, 0, 680, 148);
    if (plot->ChannelCount() == 0) plot->AddChannel();
    plot->GetChannel(0)->SetTitleText("X(tau) ou X(k)");
    TFont* legendFont = plot->GetLegend(0)->Font();
    legendFont->SetColor(clFuchsia);
    Answers::Modal([&](TCustomForm* Form) {
        auto* preview = dynamic_cast<TkPlotPreviewForm*>(Form);
        ASSERT_NE(preview, nullptr);
        preview->SetBounds(0, 0, 1200, 800);
        Input::Flush();
        TOwned<TBitmap> shown = Grab(preview->Preview());
        EXPECT_GT(preview->Layout().Picture.Width(), plot->Width());  // drawn larger than the plot
        EXPECT_TRUE(ShowsWhole(*shown, "X(tau) ou X(k)", legendFont));
        preview->CloseButton()->Click();
    });
    plot->PreviewChart();
    EXPECT_EQ(Answers::Pending(), 0);
}

TEST(PlotPreview, CaptionsGoThroughThePlotsTranslationsButWhatTheControlsHoldDoesNot)
{
    RegisterEditorUnits();
    InitializeUnits();
    TOwned<TkPlot> plot{Create<TkPlot>(nullptr)};
    plot->SetBounds(0, 0, 300, 200);
    plot->SetPrintDocumentName("Run");
    plot->AddTranslation("Settings", "Réglages");
    plot->AddTranslation("Close", "Fermer");
    plot->AddTranslation("Run (Preview)", "Run (Aperçu)");
    plot->AddTranslation("Report (Preview)", "Report (Aperçu)");
    plot->AddTranslation("Orientation", "Sens");
    plot->AddTranslation("Portrait", "Portrait (vertical)");
    plot->AddTranslation("Letter", "Lettre");
    // Data that happens to match an entry stays as it is.
    plot->AddTranslation("Run", "Course");

    Answers::Modal([&](TCustomForm* Form) {
        auto* preview = dynamic_cast<TkPlotPreviewForm*>(Form);
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->Caption(), "Run (Aperçu)");
        EXPECT_EQ(preview->SettingsButton()->Caption(), "Réglages");
        EXPECT_EQ(preview->CloseButton()->Caption(), "Fermer");

        Answers::Modal([](TCustomForm* Settings) {
            auto* form = dynamic_cast<TkPlotPreviewSettingsForm*>(Settings);
            EXPECT_EQ(form->PrintOrientationRadioGroup->Caption(), "Sens");
            EXPECT_EQ(form->PrintOrientationRadioGroup->Items()->Strings(0), "Portrait (vertical)");
            EXPECT_EQ(form->PrintOrientationRadioGroup->AsInteger(), 1);  // landscape, as loaded
            EXPECT_EQ(form->PrintPaperSizeComboBox->Items()->Strings(0), "Lettre");
            EXPECT_EQ(form->PrintPaperSizeComboBox->AsInteger(), 0);
            EXPECT_EQ(form->PrintDocumentNameEdit->AsString(), "Run");
            form->PrintDocumentNameEdit->SetAsString("Report");
            form->OkButton->Click();
        });
        preview->SettingsButton()->Click();
        // A new document name is translated as the first one was.
        EXPECT_EQ(preview->Caption(), "Report (Aperçu)");
        preview->CloseButton()->Click();
    });
    plot->PreviewChart();
    EXPECT_EQ(Answers::Pending(), 0);
    EXPECT_EQ(plot->PrintDocumentName(), "Report");
}

TEST(PlotPreview, ThePrintButtonShowsThePrinterPictureRatherThanASqueezedWord)
{
    RegisterResources_APP();
    TOwned<TkPlotPreviewForm> preview{Create<TkPlotPreviewForm>(nullptr)};
    TkComponentEditorButton* print = preview->PrintButton();
    EXPECT_EQ(print->Caption(), "");
    EXPECT_EQ(print->Glyph()->Width(), 24);
    preview->Show();
    // The picture's outline is black; a bare button face has none.
    EXPECT_GT(CountColour(Grab(print).get(), clBlack), 40);
}
