#include "components/plot/component/kPlotObjectServices.h"

#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/component/kPlot.h"
#include "components/plot/component/kPlotMasterManager.h"

// ===========================================================================
// What the plot holds
// ===========================================================================

TkPlotNameIndex* TkPlotObjectServices::NameIndex(TkPlotObjectKind Kind)
{
    const TkPlotObjectManagerCustom* manager = FPlot.HasObjects() ? FPlot.Master().Manager(Kind) : nullptr;
    return manager ? manager->NameIndex() : nullptr;
}

Integer TkPlotObjectServices::AxisCount(bool XAxes) const { return FPlot.AxisCount(XAxes); }

TkPlotAxis* TkPlotObjectServices::GetAxis(bool XAxes, Integer Index) const { return FPlot.GetAxis(XAxes, Index); }

Integer TkPlotObjectServices::ChannelCount() const { return FPlot.ChannelCount(); }

TkPlotChannelCustom* TkPlotObjectServices::GetChannel(Integer Index) const { return FPlot.GetChannel(Index); }

bool TkPlotObjectServices::IsTkPlot() const { return dynamic_cast<const TkPlot*>(&FPlot) != nullptr; }

TkPlotTranslationManager* TkPlotObjectServices::PlotTranslationManager() const
{
    return FPlot.HasObjects() ? FPlot.Master().TranslationManager() : nullptr;
}

TkPlotExtents TkPlotObjectServices::ChannelExtents(const TkPlotAxis& Axis, bool Visible) const
{
    TkPlotExtents extents;
    for (Integer i = 0; i < FPlot.ChannelCount(); ++i) FPlot.GetChannel(i)->WidenExtents(Axis, Visible, extents);
    return extents;
}

// ===========================================================================
// What the objects' files need
// ===========================================================================

char TkPlotObjectServices::DataFileSeparatorChar() const
{
    return FPlot.DataFileColumnSeparator() == kpdfcsComma ? ',' : '\t';
}

bool TkPlotObjectServices::DifferentialPropertySave() const { return FPlot.DifferentialPropertySave(); }

// ===========================================================================
// What the property editor needs
// ===========================================================================

TkComponent* TkPlotObjectServices::PlotComponent() { return &FPlot; }

TkPlotFormStyle TkPlotObjectServices::EditorFormStyle() const { return FPlot.EditorFormStyle(); }

bool TkPlotObjectServices::LoggingActive() const { return FPlot.LoggingActive(); }
