#pragma once
// What the plot's objects ask of the plot itself, which no other role of it
// answers: what the plot holds (its axes and channels, their names and the
// extents of their data, the translation table), what the objects' files
// need of its settings, and what its property editor needs (the plot's
// TkPlotObjectsHost, TkPlotFileHost and TkPlotEditorHost).

#include "components/plot/objects/kPlotHostServices.h"

class TkPlotComponent;

class TkPlotObjectServices : public TkPlotObjectsHost, public TkPlotFileHost, public TkPlotEditorHost {
public:
    explicit TkPlotObjectServices(TkPlotComponent& Plot) : FPlot(Plot) {}

    // --- TkPlotObjectsHost ----------------------------------------------------------------
    TkPlotNameIndex* NameIndex(TkPlotObjectKind Kind) override;
    Integer AxisCount(bool XAxes) const override;
    TkPlotAxis* GetAxis(bool XAxes, Integer Index) const override;
    Integer ChannelCount() const override;
    TkPlotChannelCustom* GetChannel(Integer Index) const override;
    bool IsTkPlot() const override;
    TkPlotTranslationManager* PlotTranslationManager() const override;
    TkPlotExtents ChannelExtents(const TkPlotAxis& Axis, bool Visible) const override;

    // --- TkPlotFileHost -------------------------------------------------------------------
    char DataFileSeparatorChar() const override;
    bool DifferentialPropertySave() const override;

    // --- TkPlotEditorHost -----------------------------------------------------------------
    TkComponent* PlotComponent() override;
    TkPlotFormStyle EditorFormStyle() const override;
    bool LoggingActive() const override;

private:
    TkPlotComponent& FPlot;
};
