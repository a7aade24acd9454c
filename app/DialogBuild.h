#pragma once

// Small makers for the controls the editor's dialogs place by hand, each
// named as the form names it, so the dialogs read as their layouts.

#include "grid/CfGrid.h"

#include <string>
#include <vector>

namespace cf {
class TCfButton;
class TCfCheckBox;
class TCfComboBox;
class TCfEdit;
class TCfHeaderPanel;
class TCfLabel;
class TCfPanel;
} // namespace cf
class QWidget;

namespace dlg {

cf::TCfLabel* Label(QWidget* parent, const std::string& caption, int x, int y, int w);
cf::TCfEdit* Edit(QWidget* parent, const char* name, int x, int y, int w);
// A drop-down list (no typing) with these items.
cf::TCfComboBox* Combo(QWidget* parent, const char* name, const std::vector<std::string>& items, int x, int y,
                       int w);
cf::TCfCheckBox* Check(QWidget* parent, const char* name, const std::string& caption, int x, int y, int w);
cf::TCfButton* Button(QWidget* parent, const char* name, const std::string& caption, int x, int y, int w = 80);
cf::TCfPanel* Panel(QWidget* parent, const char* name, int x, int y, int w, int h);
cf::TCfHeaderPanel* Group(QWidget* parent, const char* name, const std::string& caption, int x, int y, int w,
                          int h);
// A read-only list with a header, whole rows selected.
TCfGrid* Grid(QWidget* parent, const char* name, int x, int y, int w, int h, bool multiSelect = false);
TCfCustomColumn* TextColumn(TCfGrid& grid, const std::string& caption, int width);
TCfCustomColumn* CheckColumn(TCfGrid& grid, const std::string& caption, int width);
// The hidden number that leads from a row to its element.
TCfCustomColumn* IndexColumn(TCfGrid& grid);
// Selects a row, makes it current and scrolls it into view.
void SelectRow(TCfGrid& grid, int row);
// The first row whose cell in `column` holds `text`, or -1.
int FindRow(TCfGrid& grid, int column, const std::string& text);
// The combo box item that begins with `prefix`, or -1.
int ItemStartingWith(cf::TCfComboBox& combo, const std::string& prefix);
// Selects the item whose text is `text` (-1 when there is none).
void SelectItemText(cf::TCfComboBox& combo, const std::string& text);

} // namespace dlg
