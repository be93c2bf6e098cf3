#pragma once
// A look over a shown form as its user sees it: every caption shows whole
// (labels, buttons, check boxes, also inside group boxes, radio groups and
// their items, each clear of the next column's circles, group boxes), edits
// show their text and combo boxes each of their items; no two
// visible sibling controls overlap unless the form means them to; every
// control lies inside its parent's client area. Every page of every page
// control is brought to the front in turn, then the page shown before.

#include <algorithm>
#include <utility>
#include <vector>

#include "components/foundation/kCheckBox.h"
#include "components/foundation/kRadioGroup.h"
#include "platform/ComCtrls.h"
#include "platform/ListBox.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"
#include "platform/Testing.h"

namespace LayoutCheck {

// What a form's data lays out on purpose, by control name: sibling pairs
// that overlap, and controls that reach past their parent's client area.
struct TMeant {
    std::vector<std::pair<String, String>> Overlaps;
    std::vector<String> Overhangs;
};

class TWalker {
public:
    explicit TWalker(TMeant Meant) : FMeant(std::move(Meant)) {}

    void Walk(TWinControl* Parent, const String& Path)
    {
        if (auto* pages = dynamic_cast<TPageControl*>(Parent)) return WalkPages(pages, Path);
        std::vector<TControl*> shown;
        for (Integer i = 0; i < Parent->ControlCount(); ++i)
            if (Parent->Controls(i)->Visible()) shown.push_back(Parent->Controls(i));
        TRect client = Parent->ClientRect();
        Parent->AdjustClientRect(client);
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const String path = PathOf(shown[i], Path);
            CheckInside(shown[i], client, path);
            for (std::size_t j = i + 1; j < shown.size(); ++j) CheckApart(shown[i], shown[j], path);
            CheckText(shown[i], path);
            if (auto* inner = dynamic_cast<TWinControl*>(shown[i])) Walk(inner, path);
        }
    }

    std::vector<String> Faults;

private:
    // Pages without a tab are never shown, so they are left out.
    void WalkPages(TPageControl* Pages, const String& Path)
    {
        TTabSheet* shownBefore = Pages->ActivePage();
        for (Integer i = 0; i < Pages->PageCount(); ++i) {
            TTabSheet* page = Pages->Pages(i);
            if (!page->TabVisible()) continue;
            Pages->SetActivePage(page);
            TRect display = Pages->DisplayRect();
            CheckInside(page, display, PathOf(page, Path));
            Walk(page, PathOf(page, Path));
        }
        Pages->SetActivePage(shownBefore);
    }

    static String PathOf(TControl* Control, const String& Path)
    {
        return Path + "/" + (Control->Name().empty() ? Control->ClassName() : Control->Name());
    }

    void CheckInside(TControl* Control, const TRect& Client, const String& Path)
    {
        if (std::find(FMeant.Overhangs.begin(), FMeant.Overhangs.end(), Control->Name()) != FMeant.Overhangs.end())
            return;
        const TRect r = Control->BoundsRect();
        if (r.Left < Client.Left || r.Top < Client.Top || r.Right > Client.Right || r.Bottom > Client.Bottom)
            Faults.push_back(Format("%s: (%d,%d)-(%d,%d) leaves its parent's client area (%d,%d)-(%d,%d)", Path, r.Left,
                                    r.Top, r.Right, r.Bottom, Client.Left, Client.Top, Client.Right, Client.Bottom));
    }

    void CheckApart(TControl* A, TControl* B, const String& Path)
    {
        TRect common;
        if (!IntersectRect(common, A->BoundsRect(), B->BoundsRect())) return;
        for (const auto& [first, second] : FMeant.Overlaps)
            if ((A->Name() == first && B->Name() == second) || (A->Name() == second && B->Name() == first)) return;
        Faults.push_back(Format("%s: overlaps %s", Path, B->Name()));
    }

    void CheckText(TControl* Control, const String& Path)
    {
        if (auto* label = dynamic_cast<TCustomLabel*>(Control))
            Fits(Path, label->ShowAccelChar() ? StripHotkey(label->Caption()) : label->Caption(), label->Font(),
                 label->Width());
        else if (auto* box = dynamic_cast<TkCheckBox*>(Control))
            Fits(Path, box->Caption(), box->Font(), box->CaptionRoom());
        else if (auto* group = dynamic_cast<TkRadioGroup*>(Control))
            CheckRadioGroup(group, Path);
        else if (auto* frame = dynamic_cast<TGroupBox*>(Control))
            Fits(Path, frame->Caption(), frame->Font(), frame->Width() - 2 * GroupCaptionIndent);
        else if (auto* combo = dynamic_cast<TComboBox*>(Control))
            for (Integer i = 0; i < combo->Items()->Count(); ++i)
                Fits(Path, combo->Items()->Strings(i), combo->Font(), Testing::TextRoom(combo));
        else if (const Integer room = Testing::TextRoom(Control); room >= 0)
            Fits(Path, dynamic_cast<TCustomEdit*>(Control) ? Control->Text() : StripHotkey(Control->Caption()),
                 Control->Font(), room);
    }

    // The caption and every item fit across; the rows of items stand
    // apart, below the caption.
    void CheckRadioGroup(TkRadioGroup* Group, const String& Path)
    {
        Testing::Grab(Group);  // lays the items out
        Fits(Path, Group->Caption(), Group->Font(), Group->CaptionRoom());
        for (Integer i = 0; i < Group->Items()->Count(); ++i)
            Fits(Path, Group->Items()->Strings(i), Group->Font(), Group->ItemTextRoom(i));
        const Integer rowHeight = Measure(Group->Font()).cy;
        if (Group->Items()->Count() > 0 && Group->ItemsRowSpacing() < rowHeight)
            Faults.push_back(Format("%s: rows %g pixels apart, need %d", Path, Group->ItemsRowSpacing(), rowHeight));
    }

    void Fits(const String& Path, const String& Text, TFont* Font, Integer Room)
    {
        const Integer need = Measure(Font, Text).cx;
        if (need > Room) Faults.push_back(Format("%s: \"%s\" needs %d pixels, has %d", Path, Text, need, Room));
    }

    TSize Measure(TFont* Font, const String& Text = "Ag")
    {
        FScratch->Canvas()->SetFont(Font);
        return FScratch->Canvas()->TextExtent(Text);
    }

    // A group box's caption stands this far in from either end of its frame.
    static constexpr Integer GroupCaptionIndent = 8;

    TMeant FMeant;
    TOwned<TBitmap> FScratch = CreateOwned<TBitmap>();
};

// What is wrong with Form's layout, one line per fault, each naming its
// control by the path of names from Form.
inline std::vector<String> Faults(TWinControl* Form, TMeant Meant = {})
{
    TWalker walker(std::move(Meant));
    walker.Walk(Form, Form->Name());
    return walker.Faults;
}

}  // namespace LayoutCheck
