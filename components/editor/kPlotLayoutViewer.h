#pragma once
// The Layout page's schematic of a plot: the data view in the middle and
// every layout object (axes, legends, labels, tables, toolbars) as a block
// in its row on its side, named. The user drags a block to swap it with
// another of its row, to make it a new row above or below another, to merge
// it into a row (the row's objects then share its length equally) or to
// move it to the other orientation, and drags a block's start or stop end
// in steps of 1.25 %. Every change goes straight into the plot's layout
// objects and layout manager, then OnChange fires.
//
// The schematic keeps its own rectangles: it never writes the objects'
// layout rectangles, which the plot itself lays out and hit-tests.

#include <map>
#include <vector>

#include "components/foundation/kCustomComponent.h"
#include "components/plot/layout/kPlotLayoutManager.h"
#include "platform/Graphics.h"

class TkPlotMasterManagerCustom;
class TkPlotTranslationManager;

enum TkLayoutEditMode { klemNone, klemDrag, klemSize };
enum TkLayoutSizingSide { klssStart, klssStop };

// One row of the schematic, or the data view's place among the rows of one
// orientation. ZOrder is the row in the layout manager's numbering;
// ToolBar marks the outermost top row, where the toolbar lives.
struct TBlockObject {
    TRect ARect;
    Integer ZOrder = 0;
    bool Horizontal = false;
    bool DataView = false;
    bool ToolBar = false;
};

class TkPlotLayoutViewer : public TkCustomComponent {
    PL_CLASSINFO()
public:
    explicit TkPlotLayoutViewer(TComponent* AOwner);
    ~TkPlotLayoutViewer() override;

    void kPaintTo(TCanvas* Canvas) override;

    // The first layout object, in the manager's order, whose block holds
    // the point (placeholders aside); nullptr when none.
    TkPlotLayoutObject* GetMouseOverBlock(Integer X, Integer Y) const;
    // The cell a drop at the point would go to; nullptr when none.
    const TBlockObject* GetMouseOverBlock2(Integer X, Integer Y) const;
    // An object's block in the schematic of the last paint (empty when the
    // object had none).
    TRect BlockRect(const TkPlotLayoutObject* AObject) const;
    const std::vector<TBlockObject>& Blocks() const { return FBlockList; }
    Integer CellWidth() const { return FCellWidth; }
    TRect DataViewRect() const { return FDataViewRect; }

    TkPlotLayoutManager* LayoutManager() const { return FLayoutManager.Get(); }
    void SetLayoutManager(TkPlotLayoutManager* Value);
    TkPlotMasterManagerCustom* Master() const { return FMaster; }
    void SetMaster(TkPlotMasterManagerCustom* Value) { FMaster = Value; }
    TkPlotTranslationManager* TranslationManager() const { return FTranslationManager; }
    void SetTranslationManager(TkPlotTranslationManager* Value) { FTranslationManager = Value; }
    TFont* Font() const { return FFont.get(); }

    // After every drop or size gesture that changed the layout.
    TNotifyEvent OnChange;

protected:
    void kMouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void kMouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void kMouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void CMMouseLeave() override;

private:
    std::vector<TkPlotLayoutObject*> LayoutObjects() const;
    void BuildBlocks(TCanvas* Canvas);
    void BuildCells(Integer Left, Integer Right, Integer Top, Integer Bottom);
    void PlaceObjects();
    void DrawBlocks(TCanvas* Canvas);
    void DrawDropMarker(TCanvas* Canvas);
    TRect DropMarkerRect(const TBlockObject& Cell) const;

    void Hover(Integer X, Integer Y);
    void DragOver(Integer X, Integer Y);
    void SizeTo(Integer X, Integer Y);
    // The object a drop onto Cell lines up with; nullptr when none.
    TkPlotLayoutObject* ReferenceObject(const TBlockObject& Cell) const;
    bool ChooseDirection(const TBlockObject& Cell, const TkPlotLayoutObject* Reference, Integer X, Integer Y);
    // What a release does; true when it changed the layout.
    bool Drop();
    // Reference: the object the cell lines up with, or nullptr (the object
    // then keeps its row).
    void InsertAsRow(TkPlotLayoutObject* Dragged, TkPlotLayoutObject* Reference, TkInsertDirection Direction);
    void MergeIntoRow(TkPlotLayoutObject* Dragged, const TBlockObject& Cell, TkPlotLayoutObject* Reference);
    void Forget();
    void Changed();

    std::vector<TBlockObject> FBlockList;
    std::map<const TkPlotLayoutObject*, TRect> FObjectRects;
    Integer FCellWidth = 0;
    bool FMouseDown = false;
    Integer FMouseDownX = 0;
    Integer FMouseDownY = 0;
    Double FMouseDownStartPercent = 0;
    Double FMouseDownStopPercent = 0;
    TRect FViewRect{};
    TRect FDataViewRect{};
    Integer FDataViewHeight = 0;
    Integer FDataViewWidth = 0;
    TkLayoutEditMode FEditMode = klemNone;
    TkLayoutSizingSide FSizingSide = klssStart;
    TWeakRef<TkPlotLayoutObject> FSelectedBlock;
    TWeakRef<TkPlotLayoutObject> FResizeBlock;
    TWeakRef<TkPlotLayoutObject> FOverLayoutObject;
    // Index into FBlockList; -1 for none. The list is not rebuilt while a
    // drag points at a cell.
    Integer FDragOverRefBlock2 = -1;
    TkInsertDirection FInsertDirection = kidMerge;
    TWeakRef<TkPlotLayoutManager> FLayoutManager;
    TkPlotMasterManagerCustom* FMaster = nullptr;
    TkPlotTranslationManager* FTranslationManager = nullptr;
    TOwned<TFont> FFont;
};
