#pragma once

// The page container under the tabbed page control: an ordered list of tab
// sheets, the active one and the page-change events. The sheets are child
// windows of the notebook; only one (the active page) is shown at a time.
//
// The notebook keeps one promise throughout: ActivePage is a page of its
// list or none, and ActivePageIndex is that page's place in the list (-1 for
// none). A page that leaves, by removal or by destruction, never leaves a
// stale active page behind; when the active page leaves, the page chosen in
// its place is activated and shown for real.

#include "controls/CfClasses.h"
#include "platform/Bitmap.h"
#include "platform/Controls.h"

#include <functional>
#include <string>
#include <vector>

namespace cf {

class TCfCustomNotebook;

enum class TTabDisplayMode { tdTextOnly, tdGlyph, tdImageIndex };
using enum TTabDisplayMode;

class TCfTabSheet : public TWinControl {
public:
    // A sheet made with a notebook joins it at the end of its list.
    explicit TCfTabSheet(TCfCustomNotebook* notebook = nullptr);
    ~TCfTabSheet() override;

    TCfCustomNotebook* Notebook() const { return notebook_; }
    // Moves the sheet into notebook (or out of any with nullptr).
    void SetNotebook(TCfCustomNotebook* notebook);

    TColor ActiveTabColor() const { return activeTabColor_; }
    void SetActiveTabColor(TColor c);
    // The control's own caption (so code that sets captions on any control,
    // such as a translation pass, names the tab too); setting it here also
    // redraws the tab strip.
    std::string Caption() const { return TWinControl::Caption(); }
    void SetCaption(const std::string& s);
    bool SetTextProperty(const std::string& name, const std::string& value) override;
    TTabDisplayMode DisplayMode() const { return displayMode_; }
    void SetDisplayMode(TTabDisplayMode m);
    TBitmap& Glyph() { return glyph_; }
    void SetGlyph(const TBitmap& b);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int i);
    int Margin() const { return margin_; }
    void SetMargin(int m);
    // Place in the notebook's list; -1 outside a notebook.
    int PageIndex() const;
    void SetPageIndex(int index);
    bool PageVisible() const { return pageVisible_; }
    void SetPageVisible(bool on);
    // The notebook's font while ParentTabFont is on.
    const TFont& TabFont() const;
    void SetTabFont(const TFont& f);
    bool ParentTabFont() const { return parentTabFont_; }
    void SetParentTabFont(bool on);
    TColor TabColor() const { return tabColor_; }
    void SetTabColor(TColor c);
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool on);
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int w);
    // clNone: the glyph is drawn opaque.
    TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(TColor c);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool on);
    // The colour the page is filled with (the notebook's with ParentColor).
    TColor PageColor() const;
    void SetColor(TColor c);

    std::function<void(TCfTabSheet*)> OnHide;
    std::function<void(TCfTabSheet*)> OnShow;
    std::function<void(TCfTabSheet*, TCanvas&)> OnPaint;

    // Client area less Margin on every side.
    TRect AlignRect() const override;
    void Paint(TCanvas& canvas) override;

private:
    friend class TCfCustomNotebook;
    void ApplyTransparency();
    void TabChanged();

    TCfCustomNotebook* notebook_ = nullptr;
    TColor activeTabColor_ = clWindow;
    TTabDisplayMode displayMode_ = tdGlyph;
    TBitmap glyph_;
    int imageIndex_ = -1;
    int margin_ = 0;
    bool pageVisible_ = true;
    TFont tabFont_;
    bool parentTabFont_ = true;
    TColor tabColor_ = clWindow;
    bool tabVisible_ = true;
    int tabWidth_ = 0;
    TColor transparentColor_ = clNone;
    bool parentColor_ = true;
};

class TCfCustomNotebook : public TWinControl {
public:
    explicit TCfCustomNotebook(QWidget* parent = nullptr);
    ~TCfCustomNotebook() override;

    int PageCount() const { return int(pages_.size()); }
    TCfTabSheet* Pages(int index) const;
    int IndexOf(const TCfTabSheet* page) const;

    TCfTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TCfTabSheet* page);
    // -1 when there is no active page.
    int ActivePageIndex() const { return IndexOf(activePage_); }
    // Ignored outside 0 .. PageCount - 1.
    void SetActivePageIndex(int index);
    // The next (previous) page whose page and tab are both visible; nothing
    // when there is none.
    void SelectNextPage();
    void SelectPriorPage();

    // Puts a child control into the notebook. Only tab sheets belong here;
    // anything else raises EInvalidOperation "Cannot insert <class> into <class>".
    void InsertControl(TControl* control);

    // While a form loads its pages, activation raises no OnChanging or OnChange.
    void BeginLoading() { loading_ = true; }
    void EndLoading() { loading_ = false; }
    bool Loading() const { return loading_; }

    // Class name used in messages.
    virtual std::string ClassName() const { return "TCfCustomNotebook"; }

    std::function<void(TCfCustomNotebook*)> OnChange;
    std::function<void(TCfCustomNotebook*, int pageIndex, bool& allowChange)> OnChanging;
    std::function<void(TCfCustomNotebook*, int pageIndex, bool& accept)> OnPageClose;
    std::function<void(TCfCustomNotebook*)> OnMouseWheelDown;
    std::function<void(TCfCustomNotebook*)> OnMouseWheelUp;

    // Height the pages get when they join (the whole client height here).
    virtual int PageAreaHeight() const { return ClientHeight(); }
    // Pages fill the page area.
    TRect AlignRect() const override { return PageClientRect(); }
    virtual TRect PageClientRect() const { return ClientRect(); }
    void Paint(TCanvas& canvas) override;
    bool MouseWheel(TShiftState shift, int delta, TPoint mousePos) override;

protected:
    // Hooks for the page control: a tab's look or the tab list changed, a
    // newly activated tab wants to be seen, a tab needs repainting.
    virtual void TabsChanged() { Invalidate(); }
    virtual void ScrollTabIntoView(TCfTabSheet*) {}
    virtual void RepaintTab(TCfTabSheet*) { Invalidate(); }
    // Called after a page left the list (index is where it stood).
    virtual void PageLeft(int) {}
    // Font of the tab captions for sheets that follow the notebook.
    void PropagateFont();

private:
    friend class TCfTabSheet;
    void AddPage(TCfTabSheet* page);
    // Takes the page out of the list; destroyed tells a destruction from a removal.
    void ReleasePage(TCfTabSheet* page, bool destroyed);
    void MovePage(TCfTabSheet* page, int index);
    // Activates page without asking OnChanging: the old active page is gone.
    void ActivateReplacement(TCfTabSheet* page);
    void ShowPage(TCfTabSheet* page);

    std::vector<TCfTabSheet*> pages_;
    TCfTabSheet* activePage_ = nullptr;
    bool loading_ = false;
    bool destroying_ = false;
};

} // namespace cf
