#include "app/DialogBuild.h"

#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfHeaderPanel.h"
#include "controls/CfLabel.h"
#include "controls/CfPanel.h"
#include "grid/CfColumnClasses.h"

#include <QWidget>

using namespace cf;

namespace dlg {

TCfLabel* Label(QWidget* parent, const std::string& caption, int x, int y, int w)
{
    // A language module reaches a text only through its component's name:
    // caption labels are numbered in the order the form makes them, which
    // stays the same from run to run. A label the form refers to by its
    // own name is renamed by the caller.
    int made = 0;
    for (QWidget* child : parent->window()->findChildren<QWidget*>())
        if (dynamic_cast<TCfLabel*>(child))
            ++made;
    auto* l = new TCfLabel(parent);
    l->Name = "Label" + std::to_string(made + 1);
    l->SetCaption(caption);
    l->SetTransparent(true);
    l->SetBounds(x, y, w, 16);
    return l;
}

TCfEdit* Edit(QWidget* parent, const char* name, int x, int y, int w)
{
    auto* e = new TCfEdit(parent);
    e->Name = name;
    e->SetBounds(x, y, w, 22);
    return e;
}

TCfComboBox* Combo(QWidget* parent, const char* name, const std::vector<std::string>& items, int x, int y, int w)
{
    auto* c = new TCfComboBox(parent);
    c->Name = name;
    c->SetStyle(TDropDownStyle::dsDropDownList);
    c->SetItems(items);
    c->SetBounds(x, y, w, 22);
    return c;
}

TCfCheckBox* Check(QWidget* parent, const char* name, const std::string& caption, int x, int y, int w)
{
    auto* c = new TCfCheckBox(parent);
    c->Name = name;
    c->SetCaption(caption);
    c->SetBounds(x, y, w, 18);
    return c;
}

TCfButton* Button(QWidget* parent, const char* name, const std::string& caption, int x, int y, int w)
{
    auto* b = new TCfButton(parent);
    b->Name = name;
    b->SetCaption(caption);
    b->SetBounds(x, y, w, 26);
    return b;
}

TCfPanel* Panel(QWidget* parent, const char* name, int x, int y, int w, int h)
{
    auto* p = new TCfPanel(parent);
    p->Name = name;
    p->SetBounds(x, y, w, h);
    return p;
}

TCfHeaderPanel* Group(QWidget* parent, const char* name, const std::string& caption, int x, int y, int w, int h)
{
    auto* g = new TCfHeaderPanel(parent);
    g->Name = name;
    g->SetCaption(caption);
    g->SetBounds(x, y, w, h);
    return g;
}

TCfGrid* Grid(QWidget* parent, const char* name, int x, int y, int w, int h, bool multiSelect)
{
    auto* g = new TCfGrid(parent);
    g->Name = name;
    g->SetOptions(goHeader | goGrid | goSelectFullRow | (multiSelect ? static_cast<unsigned>(goMultiSelect) : 0u));
    g->SetReadOnly(true);
    g->SetAppearanceOptions(g->AppearanceOptions() & ~aoHideSelection);
    g->SetRowSize(18);
    g->SetTabStop(true);
    g->SetBounds(x, y, w, h);
    return g;
}

TCfCustomColumn* TextColumn(TCfGrid& grid, const std::string& caption, int width)
{
    auto* c = grid.Columns().Add<TCfTextColumn>();
    c->Header().SetCaption(caption);
    c->SetWidth(width);
    c->SetSortType(stCaseInsensitive);
    return c;
}

TCfCustomColumn* CheckColumn(TCfGrid& grid, const std::string& caption, int width)
{
    auto* c = grid.Columns().Add<TCfCheckBoxColumn>();
    c->Header().SetCaption(caption);
    c->SetWidth(width);
    c->SetAlignment(taCenter);
    return c;
}

TCfCustomColumn* IndexColumn(TCfGrid& grid)
{
    auto* c = grid.Columns().Add<TCfTextColumn>();
    c->SetVisible(false);
    c->SetSortType(stNumeric);
    return c;
}

void SelectRow(TCfGrid& grid, int row)
{
    if (row < 0 || row >= grid.RowCount())
        return;
    grid.SetSelectedRow(row);
    grid.ScrollToRow(row);
}

int FindRow(TCfGrid& grid, int column, const std::string& text)
{
    for (int r = 0; r < grid.RowCount(); ++r)
        if (grid.Cells(column, r) == text)
            return r;
    return -1;
}

int ItemStartingWith(TCfComboBox& combo, const std::string& prefix)
{
    const auto& items = combo.Items();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].compare(0, prefix.size(), prefix) == 0)
            return static_cast<int>(i);
    return -1;
}

void SelectItemText(TCfComboBox& combo, const std::string& text)
{
    const auto& items = combo.Items();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == text)
            return combo.SetItemIndex(static_cast<int>(i));
    combo.SetItemIndex(-1);
}

} // namespace dlg
