// A plot exported as an enhanced metafile is a vector picture: an
// independent converter finds the title as text and the trace as a line.

#include <gtest/gtest.h>

#include <algorithm>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "components/plot/component/kXYPlot.h"
#include "platform/Classes.h"
#include "support/EmfFile.h"
#include "support/TempFolder.h"

TEST(PlotMetafile, TheExportHoldsTheTitleTextAndTheTraceAsLines)
{
    kXYPlotInitialization();
    TTempFolder folder;
    TOwned<TkXYPlot> plot(Create<TkXYPlot>(nullptr));
    plot->SetBounds(0, 0, 400, 200);
    plot->SetTitleText("Pendulum Swing");
    plot->GetXAxis(0)->SetMin(0);
    plot->GetXAxis(0)->SetSpan(50);
    plot->GetYAxis(0)->SetMinSpan(-1, 2);
    for (Integer i = 0; i < 50; ++i) plot->GetChannel(0)->AddXY(i, (i % 10) / 10.0 - 0.5);
    plot->SaveImageToMetaFile(folder / "plot.emf");

    const std::vector<uint32_t> records = EmfRecordTypes(folder / "plot.emf");
    ASSERT_FALSE(records.empty());
    EXPECT_GE(CountOf(records, Emr::Polyline16), 1u);
    EXPECT_GE(CountOf(records, Emr::ExtTextOutW), 2u);  // the title and the axis labels
    // Frames and borders are fills, not pixel copies.
    EXPECT_EQ(CountOf(records, Emr::StretchDibits), 0u);

    if (!ToolAvailable("emf2svg-conv")) GTEST_SKIP() << "emf2svg is not installed";
    bool ok = false;
    const String svg = EmfAsSvg(folder / "plot.emf", ok);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(SvgHasText(svg, "Pendulum Swing"));
    // The trace: 50 points joined into one path of more than 40 segments.
    size_t longest = 0;
    for (size_t at = svg.find("<path"); at != String::npos; at = svg.find("<path", at + 1)) {
        const size_t end = svg.find('>', at);
        const String path = svg.substr(at, end - at);
        longest = std::max(longest, size_t(std::count(path.begin(), path.end(), 'L')));
    }
    EXPECT_GT(longest, 40u);
}
