#pragma once
// The plot's objects by kind as the plot publishes them: for every kind of
// the kind table the same family of accessors, named after the kind
// (AddXAxis, DeleteXAxis, RemoveAllXAxes, XAxisCount, GetXAxis,
// GetXAxisByName, GetXAxisIndexByName). Add... returns the new object's
// index (-1 when a handler of its add event took it away again); Delete...
// frees the object and RemoveAll... every object of the kind, each with a
// repaint at once (EListError outside 0..Count-1); Get...ByName answers
// nullptr and Get...IndexByName -1 for an unknown name (names compare
// ignoring case).
//
// The exceptions of single kinds are the plot's (TkPlotComponent): a new
// annotation takes the annotation defaults; label 0 is the title, which
// cannot be deleted, and labels are deleted without a repaint.

#include "components/plot/objects/kPlotKinds.h"
#include "platform/Types.h"

class TkPlotObjectManagerCustom;

class TkPlotKindAccess {
public:
#define PL_PLOT_KIND_ACCESSORS(Kind, Kinds, Class, ...)                                                     \
    virtual Integer Add##Kind() { return AddObject(kpok##Kind); }                                            \
    virtual void Delete##Kind(Integer Index) { DeleteObject(kpok##Kind, Index); }                            \
    virtual void RemoveAll##Kinds() { RemoveAllObjects(kpok##Kind); }                                        \
    Integer Kind##Count() const { return ObjectCount(kpok##Kind); }                                          \
    Class* Get##Kind(Integer Index) const { return Object<kpok##Kind>(Index); }                              \
    Class* Get##Kind##ByName(const String& Name) const { return ObjectByName<kpok##Kind>(Name); }            \
    Integer Get##Kind##IndexByName(const String& Name) const { return ObjectIndexByName(kpok##Kind, Name); }
    PL_PLOT_KINDS(PL_PLOT_KIND_ACCESSORS)
#undef PL_PLOT_KIND_ACCESSORS

protected:
    TkPlotKindAccess() = default;
    TkPlotKindAccess(const TkPlotKindAccess&) = delete;
    TkPlotKindAccess& operator=(const TkPlotKindAccess&) = delete;
    ~TkPlotKindAccess() = default;

    // The manager that holds the objects of Kind.
    virtual TkPlotObjectManagerCustom& KindManager(TkPlotObjectKind Kind) const = 0;
    virtual Integer AddObject(TkPlotObjectKind Kind) = 0;
    virtual void DeleteObject(TkPlotObjectKind Kind, Integer Index) = 0;
    virtual void RemoveAllObjects(TkPlotObjectKind Kind) = 0;

    Integer ObjectCount(TkPlotObjectKind Kind) const;
    Integer ObjectIndexByName(TkPlotObjectKind Kind, const String& Name) const;
    // Object Index of kind K, or the first of that name (nullptr for none),
    // cast to the kind's class (kPlotKindAccess.cpp, where the classes are
    // known).
    template <TkPlotObjectKind K>
    TkPlotKindClass<K>* Object(Integer Index) const;
    template <TkPlotObjectKind K>
    TkPlotKindClass<K>* ObjectByName(const String& Name) const;
};
