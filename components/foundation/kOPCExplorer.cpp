#include "components/foundation/kOPCExplorer.h"

#include "components/foundation/kOPC2.h"
#include "platform/ImgList.h"
#include "platform/TreeView.h"

TClass TkOPCExplorerForm::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkOPCExplorerForm, TForm>("TkOPCExplorerForm")
                                       .Field("TreeView", &TkOPCExplorerForm::TreeView)
                                       .Build();
    return &info;
}

namespace {

constexpr Integer GlyphSize = 16;

// The three node images: a server connection list, a group list and one
// connection, each a framed square of its own colour.
void AddGlyphs(TImageList& Images)
{
    Images.SetSize(GlyphSize, GlyphSize);
    for (TColor colour : {clNavy, clGreen, clTeal}) {
        TBitmap glyph;
        glyph.SetSize(GlyphSize, GlyphSize);
        TCanvas* canvas = glyph.Canvas();
        canvas->Brush()->SetColor(clWhite);
        canvas->FillRect(TRect{0, 0, GlyphSize, GlyphSize});
        canvas->Brush()->SetColor(colour);
        canvas->Pen()->SetColor(clBlack);
        canvas->Rectangle(2, 2, GlyphSize - 2, GlyphSize - 2);
        Images.AddMasked(&glyph, clWhite);
    }
}

}  // namespace

TkOPCExplorerForm::TkOPCExplorerForm(TComponent* AOwner)
    : TForm(AOwner), FImages(Create<TImageList>(this))
{
    // The form data names the tree: its class must be known before it is read.
    RegisterClass(TTreeView::StaticClassInfo());
    AddGlyphs(*FImages);
}

void TkOPCExplorerForm::Refresh()
{
    if (!TreeView) return;
    TreeView->SetImages(FImages);
    TTreeNodes& nodes = *TreeView->Items();
    nodes.Clear();
    TTreeNode* connections = nodes.Add(nullptr, "Servers Connections");
    connections->SetImageIndex(0);
    nodes.Add(nullptr, "Groups")->SetImageIndex(1);
    const Integer count = OPCServerConnectionGetCount();
    for (Integer i = 0; i < count; ++i) nodes.AddChild(connections, OPCServerConnectionGetName(i))->SetImageIndex(2);
}

TkOPCExplorerForm* ShowOPCExplorer()
{
    static TWeakRef<TkOPCExplorerForm> shared;
    if (!shared) shared = TWeakRef<TkOPCExplorerForm>(Create<TkOPCExplorerForm>(Application));
    shared->Refresh();
    shared->Show();
    return shared.Get();
}
