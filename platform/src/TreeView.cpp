#include "platform/TreeView.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <algorithm>

#include "ControlHost.h"
#include "Publish.h"
#include "QtGraphics.h"
#include "platform/Consts.h"
#include "platform/ImgList.h"

// ---------------------------------------------------------------------------
// Nodes
// ---------------------------------------------------------------------------

void TTreeNode::SetImageIndex(Integer Value)
{
    FImageIndex = Value;
    if (FOwner) FOwner->NodesChanged();
}

TTreeNode* TTreeNode::Item(Integer Index) const
{
    if (Index < 0 || Index >= Count()) throw EListError(Format(SListIndexError, Index));
    return FChildren[static_cast<std::size_t>(Index)].get();
}

TTreeNode* TTreeNode::Insert(std::unique_ptr<TTreeNode> Child, bool Sorted)
{
    auto place = FChildren.end();
    if (Sorted)
        place = std::upper_bound(FChildren.begin(), FChildren.end(), Child, [](const auto& a, const auto& b) {
            return AnsiCompareText(a->Text(), b->Text()) < 0;
        });
    return FChildren.insert(place, std::move(Child))->get();
}

TTreeNodes::TTreeNodes(TTreeView* AOwner) : FOwner(AOwner), FRoot(AOwner, nullptr, String()) {}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const String& Text)
{
    return AddChild(Sibling ? Sibling->Parent() : nullptr, Text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const String& Text)
{
    TTreeNode& parent = Parent ? *Parent : FRoot;
    TTreeNode* node = parent.Insert(std::make_unique<TTreeNode>(FOwner, Parent, Text), FOwner->SortsByText());
    FOwner->NodesChanged();
    return node;
}

void TTreeNodes::Clear()
{
    FRoot.FChildren.clear();
    FOwner->NodesChanged();
}

Integer TTreeNodes::Count() const
{
    Integer count = 0;
    std::vector<const TTreeNode*> pending{&FRoot};
    while (!pending.empty()) {
        const TTreeNode* node = pending.back();
        pending.pop_back();
        count += node->Count();
        for (Integer i = 0; i < node->Count(); ++i) pending.push_back(node->Item(i));
    }
    return count;
}

// ---------------------------------------------------------------------------
// View
// ---------------------------------------------------------------------------

namespace {

QIcon IconOf(const TImageList* Images, Integer Index)
{
    if (!Images || Index < 0 || Index >= Images->Count()) return QIcon();
    TBitmap bitmap;
    bitmap.SetSize(Images->Width(), Images->Height());
    Images->Draw(bitmap.Canvas(), 0, 0, Index);
    return QIcon(QPixmap::fromImage(BitmapImage(bitmap)));
}

void ShowChildren(const TTreeNode& Node, QTreeWidgetItem* Item, const TImageList* Images)
{
    for (Integer i = 0; i < Node.Count(); ++i) {
        const TTreeNode& child = *Node.Item(i);
        auto* item = new QTreeWidgetItem(Item, QStringList{QString::fromStdString(child.Text())});
        item->setIcon(0, IconOf(Images, child.ImageIndex()));
        ShowChildren(child, item, Images);
    }
}

}  // namespace

TClass TTreeView::StaticClassInfo()
{
    using C = TTreeView;
    static const TClassInfo info = [] {
        TClassBuilder<C, TWinControl> b("TTreeView");
        pl::PublishAlign(b)
            .Reference("Images", &C::Images, &C::SetImages)
            .Bool("ReadOnly", &C::ReadOnly, &C::SetReadOnly).Default(false)
            .Enum("SortType", &C::SortType, &C::SetSortType).Default(stNone);
        pl::PublishState(b);
        pl::PublishTab(b, true);
        return b.Build();
    }();
    return &info;
}

TTreeView::TTreeView(TComponent* AOwner) : TWinControl(AOwner), FItems(std::make_unique<TTreeNodes>(this))
{
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
}

TTreeView::~TTreeView() = default;

void TTreeView::CreateWnd()
{
    auto* tree = new pl::LayerWidget<QTreeWidget>(this, true);
    tree->setHeaderHidden(true);
    tree->setFocusPolicy(Qt::StrongFocus);
    pl::AttachWidget(this, tree, true);
    NodesChanged();
}

void TTreeView::SetImages(TImageList* Value)
{
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
    NodesChanged();
}

void TTreeView::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

// Trees here are small: the widget is filled again from the nodes.
void TTreeView::NodesChanged()
{
    auto* tree = static_cast<QTreeWidget*>(Host().Widget.data());
    if (!tree) return;
    tree->clear();
    ShowChildren(FItems->Root(), tree->invisibleRootItem(), FImages);
    tree->expandAll();
}
