#pragma once
// What the plot's objects ask of the plot itself, which no other role of it
// answers: what the plot holds (its axes and channels, their names, the
// translation table) and what the objects' files and the editor dialog need
// of its settings (the plot's TkPlotObjectsHost and TkPlotFileHost).

#include "components/plot/objects/kPlotHostServices.h"

class TkPlotComponent;

class TkPlotObjectServices : public TkPlotObjectsHost, public TkPlotFileHost {
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

    // --- TkPlotFileHost -------------------------------------------------------------------
    TkComponent* PlotComponent() override;
    TkPlotFormStyle EditorFormStyle() const override;
    bool LoggingActive() const override;
    char DataFileSeparatorChar() const override;
    bool DifferentialPropertySave() const override;

private:
    TkPlotComponent& FPlot;
};
