#include "platform/ComCtrls.h"

#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <algorithm>

#include "ControlHost.h"
#include "Guard.h"
#include "GraphicsFonts.h"
#include "InputRouting.h"
#include "Publish.h"
#include "QtGraphics.h"
#include "platform/Consts.h"
#include "platform/Forms.h"

namespace {

// The margin between the page frame and the pages, and the frame's own
// width: pages sit 4 pixels inside the control, below the tab row.
constexpr Integer kPageMargin = 4;
constexpr Integer kFrameWidth = 2;
// Tab height above the text height of the control's font: 20 pixels for
// the default font.
constexpr Integer kTabPadding = 7;

// The row of tabs, as wide as all its tabs, inside a viewport as wide as
// the page control leaves it: the page control alone decides which part
// shows, so a click on a tab in view never moves the row. Input falls
// through to the page control's own widget and its router; only painting
// is Qt's.
class TabStrip : public pl::LayerWidget<QTabBar> {
public:
    TabStrip(TPageControl* Control, QWidget* Viewport) : LayerWidget<QTabBar>(Control, false, Viewport)
    {
        setDrawBase(false);
        setExpanding(false);
        setUsesScrollButtons(false);
        setElideMode(Qt::ElideNone);
        setFocusPolicy(Qt::NoFocus);
    }

    // A tab's width at its natural size.
    int TabWidth(int Index) const { return tabSizeHint(Index).width(); }

protected:
    bool event(QEvent* Event) override
    {
        if (Event->type() != QEvent::Paint) return LayerWidget<QTabBar>::event(Event);
        const bool handled = QTabBar::event(Event);
        if (LinkedControl) pl::Guard([this] { pl::ShowFocusFrame(LinkedControl, this); });
        return handled;
    }
};

const QString kTabViewport = QStringLiteral("TabViewport");

TabStrip* TabStripOf(const TPageControl* Control)
{
    QWidget* w = Control->Host().Widget;
    QWidget* viewport = w ? w->findChild<QWidget*>(kTabViewport, Qt::FindDirectChildrenOnly) : nullptr;
    return viewport ? viewport->findChild<TabStrip*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

// The two arrows that scroll the row, at its right end, while the tabs do
// not fit.
constexpr Integer kArrowWidth = 16;

void PaintArrow(QPainter& Painter, QWidget* Widget, const TRect& R, QStyle::PrimitiveElement Arrow, bool Enabled)
{
    QStyleOptionButton button;
    button.initFrom(Widget);
    button.rect = QRect(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
    button.state = QStyle::State_Raised;
    if (Enabled) button.state |= QStyle::State_Enabled;
    else button.palette.setCurrentColorGroup(QPalette::Disabled);
    Widget->style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &button, &Painter, Widget);
    button.rect.adjust(3, 3, -3, -3);
    Widget->style()->drawPrimitive(Arrow, &button, &Painter, Widget);
}

bool Destroying(const TComponent* c) { return c->ComponentState().Contains(csDestroying); }

template <class T>
Integer IndexIn(const std::vector<T*>& List, const T* Item)
{
    const auto it = std::find(List.begin(), List.end(), Item);
    return it == List.end() ? -1 : static_cast<Integer>(it - List.begin());
}

}  // namespace

// ---------------------------------------------------------------------------
// TTabSheet
// ---------------------------------------------------------------------------

TClass TTabSheet::StaticClassInfo()
{
    using C = TTabSheet;
    static const TClassInfo info = [] {
        TClassBuilder<C, TWinControl> b("TTabSheet");
        // The page control places its pages: their bounds are not stored.
        b.Integer("Left", &C::Left, &C::SetLeft).Stored(false)
            .Integer("Top", &C::Top, &C::SetTop).Stored(false)
            .Integer("Width", &C::Width, &C::SetWidth).Stored(false)
            .Integer("Height", &C::Height, &C::SetHeight).Stored(false)
            .String("Caption", &C::Caption, &C::SetCaption).Default(String())
            .Object("Constraints", &C::Constraints, &C::SetConstraints)
            .Bool("Enabled", &C::Enabled, &C::SetEnabled).Default(true);
        pl::PublishFont(b)
            .Integer("PageIndex", &C::PageIndex, &C::SetPageIndex).Stored(false)
            .Bool("ParentShowHint", &C::ParentShowHint, &C::SetParentShowHint).Default(true)
            .Reference("PopupMenu", &C::PopupMenu, &C::SetPopupMenu)
            .Bool("ShowHint", &C::ShowHint, &C::SetShowHint).Stored([](C& c) { return !c.ParentShowHint(); })
            .Bool("TabVisible", &C::TabVisible, &C::SetTabVisible).Default(true);
        pl::PublishMouseEvents(b);
        pl::PublishKeyEvents(b).Event("OnResize", &C::OnResize, &C::OnResize);
        return b.Build();
    }();
    return &info;
}

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle += TControlStyle{csAcceptsControls};
    SetAlign(alClient);
    // Only the active page shows.
    SetVisible(false);
}

// The page leaves its page control while it is still whole.
void TTabSheet::BeforeDestruction()
{
    if (FPageControl) FPageControl->RemovePage(this);
    TWinControl::BeforeDestruction();
}

void TTabSheet::SetPageControl(TPageControl* Value) { SetParent(Value); }

void TTabSheet::SetParent(TWinControl* AParent)
{
    if (AParent == Parent()) return;
    if (FPageControl) FPageControl->RemovePage(this);
    TWinControl::SetParent(AParent);
    if (auto* pageControl = dynamic_cast<TPageControl*>(AParent)) pageControl->InsertPage(this);
}

Integer TTabSheet::PageIndex() const { return FPageControl ? IndexIn(FPageControl->FPages, this) : -1; }

void TTabSheet::SetPageIndex(Integer Value)
{
    if (!FPageControl) return;
    FPageControl->MovePage(this, std::clamp(Value, 0, FPageControl->PageCount() - 1));
}

Integer TTabSheet::TabIndex() const { return FPageControl ? IndexIn(FPageControl->FTabs, this) : -1; }

void TTabSheet::SetTabVisible(bool Value)
{
    if (FTabVisible == Value) return;
    const Integer formerTab = TabIndex();
    FTabVisible = Value;
    if (!FPageControl) return;
    FPageControl->UpdateTabs();
    if (!Value && FPageControl->FActivePage == this) FPageControl->ReplaceActivePage(formerTab);
}

void TTabSheet::CMTextChanged()
{
    TWinControl::CMTextChanged();
    if (FPageControl) FPageControl->SyncTabStrip();
}

// ---------------------------------------------------------------------------
// TPageControl
// ---------------------------------------------------------------------------

TClass TPageControl::StaticClassInfo()
{
    using C = TPageControl;
    static const TClassInfo info = [] {
        TClassBuilder<C, TWinControl> b("TPageControl");
        b.Reference("ActivePage", &C::ActivePage, &C::SetActivePage);
        pl::PublishAlign(b);
        pl::PublishFont(b);
        pl::PublishState(b);
        pl::PublishTab(b, true);
        b.Event("OnChange", &C::OnChange, &C::OnChange).Event("OnChanging", &C::OnChanging, &C::OnChanging);
        pl::PublishMouseEvents(b);
        pl::PublishKeyEvents(b).Event("OnResize", &C::OnResize, &C::OnResize);
        return b.Build();
    }();
    return &info;
}

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = {csAcceptsControls, csDoubleClicks, csOpaque};
    SetTabStop(true);
    SetBounds(0, 0, 289, 193);
}

void TPageControl::CreateWnd()
{
    TWinControl::CreateWnd();
    Host().Painter = [this](QWidget* w, const QRect& dirty) {
        QPainter painter(w);
        painter.fillRect(dirty, ToQColor(Color()));
        QStyleOptionTabWidgetFrame frame;
        frame.initFrom(w);
        frame.rect = QRect(0, FTabHeight + kFrameWidth, Width(), Height() - FTabHeight - kFrameWidth);
        w->style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, w);
        if (TabsOverflow()) {
            PaintArrow(painter, w, ArrowRect(-1), QStyle::PE_IndicatorArrowLeft, FFirstTab > 0);
            PaintArrow(painter, w, ArrowRect(1), QStyle::PE_IndicatorArrowRight, CanScrollRight());
        }
    };
    // The focus frame stands inside the active tab, round its caption.
    Host().FocusFrame = [](const QWidget* w) {
        const auto* strip = qobject_cast<const QTabBar*>(w);
        return strip ? strip->tabRect(strip->currentIndex()).adjusted(3, 3, -3, -2) : QRect();
    };
    auto* viewport = new QWidget(Host().Widget);
    viewport->setObjectName(kTabViewport);
    viewport->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* strip = new TabStrip(this, viewport);
    strip->show();
    viewport->show();
    ApplyFont();
}

TTabSheet* TPageControl::Pages(Integer Index) const
{
    if (Index < 0 || Index >= PageCount()) throw EListError(Format(SPageIndexError, Index));
    return FPages[static_cast<std::size_t>(Index)];
}

void TPageControl::SetActivePage(TTabSheet* Page)
{
    if (Page && Page->FPageControl != this) return;
    ShowPage(Page);
}

Integer TPageControl::ActivePageIndex() const { return IndexIn(FPages, FActivePage); }

void TPageControl::SetActivePageIndex(Integer Value)
{
    SetActivePage(Value >= 0 && Value < PageCount() ? FPages[static_cast<std::size_t>(Value)] : nullptr);
}

Integer TPageControl::TabIndex() const { return IndexIn(FTabs, FActivePage); }

void TPageControl::SetTabIndex(Integer Value)
{
    if (Value >= 0 && Value < TabCount()) ShowPage(FTabs[static_cast<std::size_t>(Value)]);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const
{
    const Integer count = PageCount();
    if (count == 0) return nullptr;
    Integer start = IndexIn(FPages, CurPage);
    // Without a current page the search starts at one end.
    if (start < 0) start = GoForward ? count - 1 : 0;
    Integer i = start;
    do {
        i = GoForward ? (i + 1) % count : (i + count - 1) % count;
        TTabSheet* page = FPages[static_cast<std::size_t>(i)];
        if (!CheckTabVisible || page->FTabVisible) return page;
    } while (i != start);
    return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible)
{
    TTabSheet* page = FindNextPage(FActivePage, GoForward, CheckTabVisible);
    if (!page || page == FActivePage) return;
    TWeakRef<TTabSheet> target(page);
    TWeakRef<TPageControl> self(this);
    if (!CanChange() || !self || !target || page->FPageControl != this) return;
    ShowPage(page);
    Change();
}

TRect TPageControl::TabRect(Integer Index) const
{
    QTabBar* strip = TabStripOf(this);
    if (!strip || Index < 0 || Index >= strip->count()) return TRect();
    const QRect r = strip->tabRect(Index).translated(strip->mapTo(Host().Widget, QPoint()));
    return Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

Integer TPageControl::IndexOfTabAt(Integer X, Integer Y) const
{
    QTabBar* strip = TabStripOf(this);
    if (!strip || X < 0 || X >= RowWidth()) return -1;
    return strip->tabAt(strip->mapFrom(Host().Widget, QPoint(X, Y)));
}

TRect TPageControl::DisplayRect() const
{
    return Rect(kPageMargin, FTabHeight + kPageMargin, Width() - kPageMargin, Height() - kPageMargin);
}

void TPageControl::AdjustClientRect(TRect& Rect) const { Rect = DisplayRect(); }

bool TPageControl::CanChange()
{
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TPageControl::Change()
{
    if (OnChange) OnChange(this);
}

// The tab changes on the press, before OnMouseDown, as the system's tab
// control does, and the row takes the focus, so that the arrow keys then
// step along the row clicked. The arrows are a control of their own there:
// they scroll the row and are no press on the page control.
void TPageControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TWeakRef<TPageControl> self(this);
    if (Button == mbLeft) {
        for (const Integer step : {-1, 1})
            if (TabsOverflow() && PtInRect(ArrowRect(step), Point(X, Y))) {
                ScrollTabs(step);
                return;
            }
        const Integer tab = IndexOfTabAt(X, Y);
        if (tab >= 0 && CanFocus() && !Focused()) SetFocus();
        if (!self) return;
        UserSelectTab(tab);
    }
    if (self) TWinControl::MouseDown(Button, Shift, X, Y);
}

void TPageControl::KeyDown(Word& Key, TShiftState Shift)
{
    TWeakRef<TPageControl> self(this);
    TWinControl::KeyDown(Key, Shift);
    if (!self || !Shift.Empty()) return;
    // The arrows step along the row without wrapping.
    const Integer current = TabIndex();
    if (Key == VK_LEFT || Key == VK_UP) {
        if (current > 0) UserSelectTab(current - 1);
    } else if (Key == VK_RIGHT || Key == VK_DOWN) {
        UserSelectTab(current + 1);
    }
}

Integer TPageControl::WMGetDlgCode() { return DLGC_WANTARROWS; }

bool TPageControl::CMDialogKey(Word& CharCode, TShiftState Shift)
{
    TWinControl* focused = pl::FocusedControl();
    const bool inside = focused && (focused == this || ContainsControl(focused));
    if (CharCode == VK_TAB && Shift.Contains(ssCtrl) && inside) {
        SelectNextPage(!Shift.Contains(ssShift));
        return true;
    }
    return TWinControl::CMDialogKey(CharCode, Shift);
}

bool TPageControl::CMDialogChar(Char Key, bool Alt)
{
    for (Integer i = 0; i < TabCount(); ++i) {
        if (!IsAccel(Key, FTabs[static_cast<std::size_t>(i)]->Caption()) || !CanFocus()) continue;
        UserSelectTab(i);
        return true;
    }
    return TWinControl::CMDialogChar(Key, Alt);
}

void TPageControl::CMFontChanged()
{
    TWinControl::CMFontChanged();
    ApplyFont();
}

void TPageControl::ApplyFont()
{
    FTabHeight = FontEntryOf(*Font())->Height() + kTabPadding;
    if (QTabBar* strip = TabStripOf(this)) strip->setFont(ToQFont(*Font()));
    SyncTabStrip();
    Realign();
    Invalidate();
}

void TPageControl::Resize()
{
    TWinControl::Resize();
    SyncTabStrip();
}

void TPageControl::InsertPage(TTabSheet* Page)
{
    FPages.push_back(Page);
    Page->FPageControl = this;
    UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* Page)
{
    const Integer formerTab = Page->TabIndex();
    FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
    Page->FPageControl = nullptr;
    UpdateTabs();
    if (Page != FActivePage) return;
    if (Destroying(this)) {
        FActivePage = nullptr;
        return;
    }
    ReplaceActivePage(std::max(formerTab, 0));
}

void TPageControl::MovePage(TTabSheet* Page, Integer NewIndex)
{
    FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
    FPages.insert(FPages.begin() + NewIndex, Page);
    UpdateTabs();
}

void TPageControl::UpdateTabs()
{
    const bool hadTabs = !FTabs.empty();
    FTabs.clear();
    for (TTabSheet* page : FPages)
        if (page->FTabVisible) FTabs.push_back(page);
    SyncTabStrip();
    // The first tab to appear is chosen, as the system's tab control does.
    if (!hadTabs && !FTabs.empty() && !FActivePage && !Destroying(this)) ShowPage(FTabs.front());
}

void TPageControl::ReplaceActivePage(Integer FormerTabIndex)
{
    if (FTabs.empty()) {
        ShowPage(nullptr);
        return;
    }
    ShowPage(FTabs[static_cast<std::size_t>(std::min(FormerTabIndex, TabCount() - 1))]);
}

void TPageControl::UserSelectTab(Integer Index)
{
    if (Index < 0 || Index >= TabCount()) return;
    TTabSheet* page = FTabs[static_cast<std::size_t>(Index)];
    if (page == FActivePage) return;
    TWeakRef<TTabSheet> target(page);
    TWeakRef<TPageControl> self(this);
    // OnChanging may refuse, or pull the page away.
    if (!CanChange() || !self || !target || page->FPageControl != this || !page->FTabVisible) return;
    ShowPage(page);
    Change();
}

// Shows Page and hides the former one; the focus leaves a page that hides.
void TPageControl::ShowPage(TTabSheet* Page)
{
    if (Page == FActivePage) return;
    TTabSheet* former = FActivePage;
    TWinControl* focused = pl::FocusedControl();
    if (former && focused && (focused == former || former->ContainsControl(focused)) && CanFocus()) SetFocus();
    FActivePage = Page;
    if (Page) {
        Page->BringToFront();
        Page->SetVisible(true);
    }
    if (former) former->SetVisible(false);
    SyncTabStrip();
    ScrollIntoView(TabIndex());
}

void TPageControl::SyncTabStrip()
{
    QTabBar* strip = TabStripOf(this);
    if (!strip) return;
    QSignalBlocker block(strip);
    while (strip->count() > TabCount()) strip->removeTab(strip->count() - 1);
    while (strip->count() < TabCount()) strip->addTab(QString());
    for (Integer i = 0; i < TabCount(); ++i)
        strip->setTabText(i, QString::fromStdString(FTabs[static_cast<std::size_t>(i)]->Caption()));
    if (TabIndex() >= 0) strip->setCurrentIndex(TabIndex());
    LayOutTabRow();
}

// ---- The row of tabs ----

Integer TPageControl::TabLeft(Integer Tab) const
{
    TabStrip* strip = TabStripOf(this);
    Integer left = 0;
    for (Integer i = 0; strip && i < Tab && i < strip->count(); ++i) left += strip->TabWidth(i);
    return left;
}

Integer TPageControl::TabsWidth() const { return TabLeft(TabCount()); }

bool TPageControl::TabsOverflow() const { return TabsWidth() > Width(); }

Integer TPageControl::RowWidth() const { return std::max(Width() - (TabsOverflow() ? 2 * kArrowWidth : 0), 0); }

bool TPageControl::CanScrollRight() const { return TabsWidth() - TabLeft(FFirstTab) > RowWidth(); }

TRect TPageControl::ArrowRect(Integer Step) const
{
    const Integer left = Width() - (Step < 0 ? 2 : 1) * kArrowWidth;
    return Rect(left, kFrameWidth, left + kArrowWidth, FTabHeight);
}

void TPageControl::ScrollTabs(Integer Step)
{
    if (Step < 0 && FFirstTab > 0) --FFirstTab;
    else if (Step > 0 && CanScrollRight()) ++FFirstTab;
    else return;
    LayOutTabRow();
}

// Moves the row only when the tab is not wholly in view: to its start when
// the tab lies before the view, else just far enough for its end to show.
void TPageControl::ScrollIntoView(Integer Tab)
{
    if (Tab < 0) return;
    const Integer first = FFirstTab;
    if (Tab < FFirstTab) FFirstTab = Tab;
    while (FFirstTab < Tab && TabLeft(Tab + 1) - TabLeft(FFirstTab) > RowWidth()) ++FFirstTab;
    if (FFirstTab != first) LayOutTabRow();
}

void TPageControl::LayOutTabRow()
{
    TabStrip* strip = TabStripOf(this);
    if (!strip) return;
    const bool overflow = TabsOverflow();
    FFirstTab = overflow ? std::clamp(FFirstTab, 0, std::max(TabCount() - 1, 0)) : 0;
    // No room left empty at the end while tabs lie hidden before the view.
    while (FFirstTab > 0 && TabsWidth() - TabLeft(FFirstTab - 1) <= RowWidth()) --FFirstTab;
    const Integer height = FTabHeight + kFrameWidth;
    strip->parentWidget()->setGeometry(0, 0, RowWidth(), height);
    strip->setGeometry(-TabLeft(FFirstTab), 0, std::max(TabsWidth(), RowWidth()), height);
    // The arrows come and go with the overflow, and show whether the row
    // can scroll further.
    if (overflow != FTabsOverflowed) Invalidate();
    else if (overflow) Host().Widget->update(Width() - 2 * kArrowWidth, 0, 2 * kArrowWidth, height);
    FTabsOverflowed = overflow;
}
