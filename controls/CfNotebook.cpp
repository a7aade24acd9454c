#include "controls/CfNotebook.h"

#include "platform/Errors.h"

#include <algorithm>
#include <cstdlib>
#include <cxxabi.h>
#include <typeinfo>

namespace cf {

namespace {

// The class name a user of the class library would read ("TCfButton").
std::string ClassNameOf(const TControl& control)
{
    if (auto* notebook = dynamic_cast<const TCfCustomNotebook*>(&control))
        return notebook->ClassName();
    const char* raw = typeid(control).name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(raw, nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : raw;
    std::free(demangled);
    const size_t colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}

} // namespace

TCfCustomNotebook::TCfCustomNotebook(QWidget* parent) : TWinControl(parent)
{
    SetBounds(Left(), Top(), 300, 250);
}

TCfCustomNotebook::~TCfCustomNotebook()
{
    // The sheets die with the window after this; they must not call back.
    destroying_ = true;
    for (TCfTabSheet* page : pages_)
        page->notebook_ = nullptr;
    pages_.clear();
    activePage_ = nullptr;
}

TCfTabSheet* TCfCustomNotebook::Pages(int index) const
{
    if (index < 0 || index >= PageCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return pages_[size_t(index)];
}

int TCfCustomNotebook::IndexOf(const TCfTabSheet* page) const
{
    auto it = std::find(pages_.begin(), pages_.end(), page);
    return it == pages_.end() ? -1 : int(it - pages_.begin());
}

void TCfCustomNotebook::ShowPage(TCfTabSheet* page)
{
    page->show();
    page->raise();
    Realign();
    if (page->OnShow)
        page->OnShow(page);
}

void TCfCustomNotebook::SetActivePage(TCfTabSheet* page)
{
    if (destroying_ || (page && page->notebook_ != this) || page == activePage_)
        return;
    const int newIndex = IndexOf(page);
    if (!loading_ && OnChanging) {
        bool allow = true;
        OnChanging(this, newIndex, allow);
        if (!allow)
            return;
    }
    TCfTabSheet* old = activePage_;
    if (old) {
        old->hide();
        if (old->OnHide)
            old->OnHide(old);
    }
    activePage_ = page;
    if (page) {
        if (page->pageVisible_)
            ShowPage(page);
        ScrollTabIntoView(page);
        RepaintTab(page);
    }
    if (old)
        RepaintTab(old);
    if (!loading_ && OnChange)
        OnChange(this);
}

void TCfCustomNotebook::SetActivePageIndex(int index)
{
    if (index < 0 || index >= PageCount())
        return;
    SetActivePage(pages_[size_t(index)]);
}

void TCfCustomNotebook::SelectNextPage()
{
    for (int i = ActivePageIndex() + 1; i < PageCount(); ++i) {
        TCfTabSheet* p = pages_[size_t(i)];
        if (p->pageVisible_ && p->tabVisible_) {
            SetActivePage(p);
            return;
        }
    }
}

void TCfCustomNotebook::SelectPriorPage()
{
    const int active = ActivePageIndex();
    for (int i = (active < 0 ? PageCount() : active) - 1; i >= 0; --i) {
        TCfTabSheet* p = pages_[size_t(i)];
        if (p->pageVisible_ && p->tabVisible_) {
            SetActivePage(p);
            return;
        }
    }
}

void TCfCustomNotebook::InsertControl(TControl* control)
{
    if (auto* page = dynamic_cast<TCfTabSheet*>(control)) {
        page->SetNotebook(this);
        return;
    }
    std::string name = control ? ClassNameOf(*control) : "nil";
    throw EInvalidOperation("Cannot insert " + name + " into " + ClassName());
}

void TCfCustomNotebook::AddPage(TCfTabSheet* page)
{
    pages_.push_back(page);
    page->notebook_ = this;
    if (page->parentWidget() != this)
        page->setParent(this);
    page->setVisible(false);
    page->SetBounds(0, 0, Width(), PageAreaHeight());
    page->SetAlign(alClient);
    TabsChanged();
}

void TCfCustomNotebook::ReleasePage(TCfTabSheet* page, bool destroyed)
{
    const int index = IndexOf(page);
    if (index < 0)
        return;
    pages_.erase(pages_.begin() + index);
    page->notebook_ = nullptr;
    const bool wasActive = page == activePage_;
    if (wasActive) {
        activePage_ = nullptr;
        if (!destroyed)
            page->hide();
    }
    if (destroying_)
        return;
    PageLeft(index);
    if (wasActive && !pages_.empty()) {
        // After a destruction the page now at its place (or the last);
        // after a removal the first page.
        const size_t next = destroyed ? std::min(size_t(index), pages_.size() - 1) : 0;
        ActivateReplacement(pages_[next]);
    }
    TabsChanged();
}

void TCfCustomNotebook::ActivateReplacement(TCfTabSheet* page)
{
    activePage_ = page;
    if (page->pageVisible_)
        ShowPage(page);
    ScrollTabIntoView(page);
    RepaintTab(page);
    if (!loading_ && OnChange)
        OnChange(this);
}

void TCfCustomNotebook::MovePage(TCfTabSheet* page, int index)
{
    const int from = IndexOf(page);
    if (from < 0)
        return;
    index = std::clamp(index, 0, PageCount() - 1);
    if (index == from)
        return;
    pages_.erase(pages_.begin() + from);
    pages_.insert(pages_.begin() + index, page);
    TabsChanged();
}

void TCfCustomNotebook::PropagateFont()
{
    // Sheets with ParentTabFont read the notebook's font; only the tabs
    // need drawing again.
    TabsChanged();
}

void TCfCustomNotebook::Paint(TCanvas& canvas)
{
    canvas.FillRect(ClientRect(), Color);
}

bool TCfCustomNotebook::MouseWheel(TShiftState, int delta, TPoint)
{
    if (delta < 0 && OnMouseWheelDown) {
        OnMouseWheelDown(this);
        return true;
    }
    if (delta > 0 && OnMouseWheelUp) {
        OnMouseWheelUp(this);
        return true;
    }
    return false;
}

} // namespace cf
