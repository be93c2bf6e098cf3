#pragma once
// What a configuration or annotation load replaces, kept until the load is
// through: the objects it takes out of the plot, whole (their points,
// logs and running statistics, the objects they name), and the settings it
// changes on the objects it keeps and on the plot itself. A load that
// fails part-way, for want of memory too, puts them back, and the plot is
// as it was; one that completes lets them go.
//
// The objects leave as RemoveAll... removes them, each reporting its
// removal (the remove events fire), and come back through the add route
// (the add events fire), in their places in every list. While out they
// hear nothing: the references they hold are unlinked from the plot's
// names, so that the objects a load makes, renames or removes under the
// same names never reach them.

#include <memory>
#include <span>
#include <unordered_set>
#include <utility>
#include <vector>

#include "components/plot/files/kPlotPropertyFiles.h"
#include "components/plot/objects/kPlotKinds.h"

class TkPlotMasterManagerCustom;
class TkPlotNameIndex;
class TkPlotObject;
class TkPlotObjectRefCore;

class TkPlotLoadRollback {
public:
    // Before a load that replaces the objects of the kinds Replaced (label
    // 0, the title, stays) and changes the settings of Plot (the plot whose
    // objects Master holds) and of the objects of the kinds Kept that stay:
    // notes those settings and the order of every object.
    TkPlotLoadRollback(TObject& Plot, TkPlotMasterManagerCustom& Master, std::span<const TkPlotObjectKind> Replaced,
                       std::span<const TkPlotObjectKind> Kept);
    // The objects taken out end, reporting nothing more.
    ~TkPlotLoadRollback();
    TkPlotLoadRollback(const TkPlotLoadRollback&) = delete;
    TkPlotLoadRollback& operator=(const TkPlotLoadRollback&) = delete;

    // Takes out the objects replaced, kind after kind, as RemoveAll...
    // removes them.
    void TakeOut();
    // The objects made since go; those taken out come back in their places
    // and the settings of the plot and of the objects kept as they were.
    void PutBack();

private:
    void FreeMadeObjects();

    TkPlotMasterManagerCustom& FMaster;
    // Every object, in the order of the list of all objects and of the
    // layout manager's.
    std::vector<TkPlotObject*> FOrder;
    std::vector<TkPlotObject*> FLayoutOrder;
    std::unordered_set<const TkPlotObject*> FPresent;
    // The objects replaced, kind after kind, each in the order of its kind.
    std::vector<TWeakRef<TkPlotObject>> FReplaced;
    // The settings of the objects kept and of the plot.
    std::vector<std::pair<TWeakRef<TkPlotObject>, std::unique_ptr<TkPropertiesRestorePoint>>> FSettings;
    std::unique_ptr<TkPropertiesRestorePoint> FPlotSettings;
    // The objects taken out, in the order they left.
    std::vector<TkPlotObject*> FTaken;
    std::vector<std::pair<TkPlotNameIndex*, std::vector<TkPlotObjectRefCore*>>> FReferences;
};
