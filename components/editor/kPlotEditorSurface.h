#pragma once
// The plot editor dialog as its page logic drives it: the bound fields,
// one object list per kind, and the few things done to controls by name.
// The dialog implements it over its controls; the page logic never knows a
// control class.

#include "components/editor/kPlotEditorFields.h"
#include "components/plot/objects/kPlotObjects.h"

// The list box of one kind's objects: rows show the objects' names and
// carry the objects.
class TkPlotEditorObjectList {
public:
    virtual Integer ItemIndex() const = 0;
    virtual void SetItemIndex(Integer Value) = 0;
    virtual Integer Count() const = 0;
    virtual TkPlotObject* Object(Integer Index) const = 0;
    virtual void AddObject(const String& Name, TkPlotObject* AObject) = 0;
    // Row Index shows Name.
    virtual void SetName(Integer Index, const String& Name) = 0;
    virtual void Clear() = 0;
    // Deletes the row holding AObject (nothing when none does), keeping a
    // selection on the same row or on the new last row.
    virtual void DeleteObjectIndex(TkPlotObject* AObject) = 0;
    // Deletes the selected row, then frees its object; the selection moves
    // as for DeleteObjectIndex.
    virtual void DeleteSelectedObject() = 0;
    virtual void Repaint() = 0;

    TkPlotObject* Selected() const { return ItemIndex() >= 0 && ItemIndex() < Count() ? Object(ItemIndex()) : nullptr; }
    Integer IndexOfObject(const TkPlotObject* AObject) const
    {
        for (Integer i = 0; i < Count(); ++i)
            if (Object(i) == AObject) return i;
        return -1;
    }

protected:
    ~TkPlotEditorObjectList() = default;
};

// The bound fields, and what else the page logic does to the dialog.
class TkPlotEditorSurface : public TkPlotEditorFields {
public:
    virtual TkPlotEditorObjectList& List(TkPlotObjectKind Kind) = 0;
    // Every control whose name starts with Prefix (ignoring case), but page
    // controls, tab sheets and labels: enabled, or disabled and blanked.
    virtual void EnableControls(const String& Prefix, bool Enable) = 0;
    // One control or tab sheet by name; disabling keeps what it shows.
    virtual void SetControlEnabled(const String& Name, bool Enable) = 0;
    virtual void SetControlVisible(const String& Name, bool Visible) = 0;
    virtual void SetCaption(const String& Name, const String& Text) = 0;
    // The file name a file picker offers next.
    virtual void SetFileName(const String& Picker, const String& FileName) = 0;
    // Brings the top-level page of the kind to the front.
    virtual void ShowKindPage(TkPlotObjectKind Kind) = 0;

protected:
    ~TkPlotEditorSurface() = default;
};
