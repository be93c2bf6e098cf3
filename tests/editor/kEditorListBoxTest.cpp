// The kit list box: rows drawn with their swatch, deletion that keeps a
// valid selection, and drag and drop within the list.

#include "components/editor/kEditorListBox.h"
#include "support/EditorForm.h"

using namespace Testing;

namespace {

// Three rows of 16 pixels; each row's object counts its own frees.
class EditorListBoxTest : public EditorFormTest {
protected:
    class TCounted : public TObject {
    public:
        explicit TCounted(Integer& Frees) : FFrees(Frees) {}
        ~TCounted() override { ++FFrees; }

    private:
        Integer& FFrees;
    };

    void SetUp() override
    {
        EditorFormTest::SetUp();
        List = Add<TkComponentEditorListBox>(10, 10);
        List->SetItemHeight(16);
        List->SetBounds(10, 10, 120, 80);
        for (const char* name : {"first", "second", "third"})
            List->Items()->AddObject(name, Create<TCounted>(Frees));
        List->OnItemMove = Record("move");
    }
    void TearDown() override
    {
        for (Integer i = 0; i < List->Count(); ++i) Free(List->Items()->Objects(i));
        EditorFormTest::TearDown();
    }
    String Row(Integer Index) const { return List->Items()->Strings(Index); }

    TkComponentEditorListBox* List = nullptr;
    Integer Frees = 0;
};

}  // namespace

TEST_F(EditorListBoxTest, DeletingKeepsTheSelectionOnAValidRow)
{
    List->SelectLast();
    List->DeleteSelectedObject();
    EXPECT_EQ(List->ItemIndex(), 1);  // the new last row
    EXPECT_EQ(Frees, 1);
    List->SetItemIndex(0);
    List->DeleteSelectedObject();
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_EQ(Row(0), "second");

    List->SetItemIndex(-1);  // nothing selected: nothing deleted
    List->DeleteSelectedObject();
    EXPECT_EQ(List->Count(), 1);

    TCounted stranger(Frees);
    List->DeleteObjectIndex(&stranger);  // not listed: nothing happens
    EXPECT_EQ(List->Count(), 1);
    TObject* last = List->Items()->Objects(0);
    List->DeleteObjectIndex(last);  // removed, not freed
    EXPECT_EQ(List->Count(), 0);
    EXPECT_EQ(List->ItemIndex(), -1);
    EXPECT_EQ(Frees, 2);
    Free(last);
    List->DeleteSelectedObject();  // empty: nothing
}

TEST_F(EditorListBoxTest, DropRowsStayWithinTheList)
{
    EXPECT_EQ(List->DropRow(-40), 0);
    EXPECT_EQ(List->DropRow(-1), 0);
    EXPECT_EQ(List->DropRow(17), 1);
    EXPECT_EQ(List->DropRow(500), 2);
    List->Items()->Clear();
    EXPECT_EQ(List->DropRow(5), -1);
}

TEST_F(EditorListBoxTest, DraggingARowMovesItWithinTheList)
{
    Input::MouseDown(List, mbLeft, 20, 4);
    Input::MouseMove(List, 20, 20);
    Input::MouseMove(List, 20, 40);
    Input::MouseUp(List, mbLeft, 20, 40);
    EXPECT_EQ(Row(2), "first");
    EXPECT_EQ(List->ItemIndex(), 2);
    EXPECT_EQ(Log, (std::vector<String>{"move"}));

    // A plain click only selects; a drop on its own row moves nothing.
    VirtualClock::Advance(DoubleClickTime + 1);
    Input::Click(List, mbLeft, 20, 20);
    EXPECT_EQ(List->ItemIndex(), 1);
    List->DragDrop(List, 20, 20);
    List->DragDrop(Form, 20, 4);  // a foreign source is refused
    EXPECT_EQ(Log.size(), 1u);
}

TEST_F(EditorListBoxTest, RowsShowTheirSwatchAndTheDataHandlersText)
{
    List->OnGetData = [](TObject*, Integer Index, bool& DrawColorBox, TColor& AColor, String& AText) {
        DrawColorBox = Index != 2;
        if (Index == 2) AText.clear();
        if (Index == 1) AColor = clLime;
    };
    List->SetItemIndex(0);
    TOwned<TBitmap> image = Grab(List);
    TCanvas* c = image->Canvas();
    EXPECT_EQ(c->Pixels(10, 8), clRed);          // default swatch colour
    EXPECT_EQ(c->Pixels(2, 1), clBlack);         // its black frame
    EXPECT_EQ(c->Pixels(20, 15), TColor(0x808000));  // the selected row
    EXPECT_EQ(c->Pixels(10, 24), clLime);
    EXPECT_EQ(c->Pixels(10, 40), ColorToRGB(clWindow));  // no swatch on row 2
}
