#pragma once
// Page control: a row of tabs over a stack of tab sheets, one of which
// shows at a time.
//
// A user's choice of tab (click, arrow keys, Ctrl+Tab, accelerator) asks
// OnChanging first, which may refuse, then fires OnChange. Choosing a page
// from code (ActivePage, ActivePageIndex, TabIndex) fires nothing.

#include <vector>

#include "platform/Controls.h"

class TPageControl;

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// ---------------------------------------------------------------------------
// TTabSheet
// ---------------------------------------------------------------------------

// One page. Its parent is the page control it belongs to; it fills the
// page control's display area while it is the active page.
class TTabSheet : public TWinControl {
    PL_CLASSINFO()
public:
    explicit TTabSheet(TComponent* AOwner);
    void BeforeDestruction() override;

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* Value);
    // Position among all pages; setting it moves the page (clamped).
    Integer PageIndex() const;
    void SetPageIndex(Integer Value);
    // Position among the shown tabs; -1 when the tab is hidden.
    Integer TabIndex() const;
    // A hidden tab leaves the row; the page stays in the page list.
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);

    // Joining or leaving a page control adds or removes the page.
    void SetParent(TWinControl* AParent) override;
    void CMTextChanged() override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
};

// ---------------------------------------------------------------------------
// TPageControl
// ---------------------------------------------------------------------------

class TPageControl : public TWinControl {
    PL_CLASSINFO()
public:
    explicit TPageControl(TComponent* AOwner);

    Integer PageCount() const { return static_cast<Integer>(FPages.size()); }
    // Raises EListError outside 0 .. PageCount - 1.
    TTabSheet* Pages(Integer Index) const;

    // The page on show (nullptr for none); a page of another control is
    // ignored. Fires nothing.
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* Page);
    // -1 when no page is active; an index outside the pages activates none.
    Integer ActivePageIndex() const;
    void SetActivePageIndex(Integer Value);
    // The active page's position among the shown tabs; -1 when none.
    Integer TabIndex() const;
    void SetTabIndex(Integer Value);
    // Shown tabs, left to right.
    Integer TabCount() const { return static_cast<Integer>(FTabs.size()); }

    // The page after (or before) CurPage, wrapping; only pages with a shown
    // tab when CheckTabVisible.
    TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
    // As the user would: OnChanging, then the page, then OnChange.
    void SelectNextPage(bool GoForward, bool CheckTabVisible = true);

    // Client rectangle of shown tab Index (empty outside the tabs).
    TRect TabRect(Integer Index) const;
    // The shown tab at a client point; -1 for none.
    Integer IndexOfTabAt(Integer X, Integer Y) const;
    // Where the pages go, in client coordinates.
    TRect DisplayRect() const;

    TTabChangingEvent OnChanging;
    TNotifyEvent OnChange;

    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    Integer WMGetDlgCode() override;
    // Ctrl+Tab and Ctrl+Shift+Tab inside the control turn the pages.
    bool CMDialogKey(Word& CharCode, TShiftState Shift) override;
    // A tab's accelerator chooses its page.
    bool CMDialogChar(Char Key, bool Alt) override;
    void CMFontChanged() override;
    void AdjustClientRect(TRect& Rect) const override;

protected:
    void CreateWnd() override;
    void Resize() override;
    // Asks OnChanging; false keeps the current page.
    virtual bool CanChange();
    virtual void Change();

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    void MovePage(TTabSheet* Page, Integer NewIndex);
    // The tab row follows the pages' order, captions and TabVisible.
    void UpdateTabs();
    // A tab hid or a page left: the tab now at the same place (or the last)
    // takes over.
    void ReplaceActivePage(Integer FormerTabIndex);
    // A user's choice of the page behind shown tab Index.
    void UserSelectTab(Integer Index);
    void ShowPage(TTabSheet* Page);
    // The tab height and the tab row follow the font.
    void ApplyFont();
    void SyncTabStrip();

    // The row of tabs: FFirstTab is the first tab in view. While the tabs
    // do not fit, two arrows at the row's end scroll it a tab at a time.
    Integer TabLeft(Integer Tab) const;
    Integer TabsWidth() const;
    bool TabsOverflow() const;
    // The width the tabs show in.
    Integer RowWidth() const;
    bool CanScrollRight() const;
    // The arrow that scrolls left (Step -1) or right (Step 1).
    TRect ArrowRect(Integer Step) const;
    void ScrollTabs(Integer Step);
    void ScrollIntoView(Integer Tab);
    void LayOutTabRow();

    std::vector<TTabSheet*> FPages;
    std::vector<TTabSheet*> FTabs;  // pages with a shown tab, in page order
    TTabSheet* FActivePage = nullptr;
    Integer FTabHeight = 20;
    Integer FFirstTab = 0;
    bool FTabsOverflowed = false;
};
