#pragma once
// A tree of text nodes, each with an image index, shown by a tree control.
// A view sorted by text keeps the children of every node in text order.

#include <memory>
#include <vector>

#include "platform/Controls.h"

class TImageList;
class TTreeView;

class TTreeNode {
public:
    TTreeNode(TTreeView* AOwner, TTreeNode* AParent, const String& AText)
        : FOwner(AOwner), FParent(AParent), FText(AText)
    {
    }
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    const String& Text() const { return FText; }
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    TTreeNode* Parent() const { return FParent; }
    Integer Count() const { return static_cast<Integer>(FChildren.size()); }
    // The children in display order; EListError outside 0 .. Count - 1.
    TTreeNode* Item(Integer Index) const;

private:
    friend class TTreeNodes;
    TTreeNode* Insert(std::unique_ptr<TTreeNode> Child, bool Sorted);

    TTreeView* FOwner;
    TTreeNode* FParent;
    String FText;
    Integer FImageIndex = -1;
    std::vector<std::unique_ptr<TTreeNode>> FChildren;
};

class TTreeNodes {
public:
    explicit TTreeNodes(TTreeView* AOwner);

    // A node at the level of Sibling (the top level without one).
    TTreeNode* Add(TTreeNode* Sibling, const String& Text);
    // The last child of Parent (a top-level node without one).
    TTreeNode* AddChild(TTreeNode* Parent, const String& Text);
    void Clear();
    // Every node of the tree.
    Integer Count() const;
    // The top-level nodes in display order.
    Integer TopCount() const { return FRoot.Count(); }
    TTreeNode* TopItem(Integer Index) const { return FRoot.Item(Index); }
    // The hidden node above the top-level ones.
    const TTreeNode& Root() const { return FRoot; }

private:
    TTreeView* FOwner;
    TTreeNode FRoot;
};

enum TSortType { stNone, stData, stText, stBoth };
PL_ENUM_NAMES(TSortType, "stNone", "stData", "stText", "stBoth")

class TTreeView : public TWinControl {
    PL_CLASSINFO()
public:
    explicit TTreeView(TComponent* AOwner);
    ~TTreeView() override;

    TTreeNodes* Items() const { return FItems.get(); }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    TSortType SortType() const { return FSortType; }
    void SetSortType(TSortType Value) { FSortType = Value; }
    bool SortsByText() const { return FSortType == stText || FSortType == stBoth; }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);

    // Layer internals: the nodes changed, the widget shows them again.
    void NodesChanged();

protected:
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    std::unique_ptr<TTreeNodes> FItems;
    bool FReadOnly = false;
    TSortType FSortType = stNone;
    TImageList* FImages = nullptr;
};
