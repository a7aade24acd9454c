#pragma once
// A real grid in a shown window, driven by synthetic keys and mouse events
// as a user would drive it, with a second control to take the focus away.

#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include "controls/CfEdit.h"
#include "grid/CfGrid.h"
#include "platform/Keys.h"

struct GridInput : ::testing::Test {
  std::unique_ptr<QWidget> Window;
  TCfGrid* Grid = nullptr;
  cf::TCfEdit* Other = nullptr;
  std::vector<std::string> Log;

  // 300 x 200 client, no border: header 18, rows 16, so 11 whole rows fit
  // in the body (182 pixels) without grid lines.
  void SetUp() override {
    Window = std::make_unique<QWidget>();
    Window->resize(420, 260);
    NewGrid();
    Other = new cf::TCfEdit(Window.get());
    Other->SetBounds(310, 0, 100, 21);
    Window->show();
    QApplication::setActiveWindow(Window.get());
    Grid->SetFocus();
    QApplication::processEvents();
  }
  void TearDown() override { Window.reset(); }

  // A fresh grid in place of the old one (for tables of cases).
  void NewGrid() {
    delete Grid;
    Grid = new TCfGrid(Window.get());
    Grid->SetBorderStyle(cf::TBorderStyle::bsNone);
    Grid->SetBounds(0, 0, 300, 200);
    Grid->show();
    Grid->SetFocus();
    QApplication::processEvents();
  }

  bool HasFocus() const { return Window->isActiveWindow(); }

  // Text columns of the given widths.
  void Columns(const std::vector<int>& widths) {
    for (int w : widths) Grid->Columns().Add<TCfTextColumn>()->SetWidth(w);
  }
  // Rows whose column 0 holds the given texts.
  void Rows(const std::vector<std::string>& texts) {
    for (const std::string& t : texts) Grid->SetCells(0, Grid->AddRow(), t);
  }
  void NumberedRows(int count) {
    for (int i = 0; i < count; ++i) Grid->SetCells(0, Grid->AddRow(), "r" + std::to_string(i));
  }

  std::vector<int> Marks() {
    std::vector<int> m;
    for (int r = 0; r < Grid->RowCount(); ++r)
      if (Grid->Selected(r)) m.push_back(r);
    return m;
  }

  // ---- keys: sent where the focus is (the editor while one is open) ----
  QWidget* KeyTarget() {
    QWidget* f = QApplication::focusWidget();
    return f ? f : Grid;
  }
  void Key(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
    QWidget* w = KeyTarget();
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
    QApplication::sendEvent(KeyTarget(), &release);
  }
  void KeyVK(uint16_t vk, cf::TShiftState shift = 0) {
    Qt::KeyboardModifiers mods;
    if (shift & cf::ssShift) mods |= Qt::ShiftModifier;
    if (shift & cf::ssCtrl) mods |= Qt::ControlModifier;
    QString text;
    if (vk == cf::VK_RETURN) text = "\r";
    if (vk == cf::VK_ESCAPE) text = QString(QChar(27));
    if (vk == cf::VK_TAB) text = "\t";
    Key(cf::QtKeyOf(vk), mods, text);
  }
  // Characters typed one at a time (any Unicode text).
  void Type(const std::string& utf8) {
    for (char32_t ch : QString::fromStdString(utf8).toUcs4()) Key(0, Qt::NoModifier, QString::fromUcs4(&ch, 1));
  }

  // ---- mouse, in the grid's client coordinates ----
  void Mouse(QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons held,
             Qt::KeyboardModifiers mods = Qt::NoModifier, QWidget* to = nullptr) {
    QWidget* w = to ? to : Grid;
    const QPointF local(x, y);
    QMouseEvent e(type, local, QPointF(Grid->mapToGlobal(QPoint(x, y))), button, held, mods);
    QApplication::sendEvent(w, &e);
  }
  void Press(int x, int y, Qt::KeyboardModifiers mods = Qt::NoModifier, Qt::MouseButton b = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonPress, x, y, b, b, mods);
  }
  void Move(int x, int y, Qt::MouseButtons held = Qt::LeftButton) {
    Mouse(QEvent::MouseMove, x, y, Qt::NoButton, held);
  }
  void Release(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonRelease, x, y, b, Qt::NoButton);
  }
  void ClickAt(int x, int y, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Press(x, y, mods);
    Release(x, y);
  }
  void DoubleClickAt(int x, int y) {
    Press(x, y);
    Release(x, y);
    Mouse(QEvent::MouseButtonDblClick, x, y, Qt::LeftButton, Qt::LeftButton);
    Release(x, y);
  }
  // Centre of a cell on the page.
  cf::TPoint CellCentre(int col, int row) {
    const cf::TRect r = Grid->CellRect(col, row);
    return cf::TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  void ClickCell(int col, int row, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    const cf::TPoint p = CellCentre(col, row);
    ClickAt(p.X, p.Y, mods);
  }

  // Logs the events that tell the editing story.
  void LogEditing() {
    auto at = [](int c, int r) { return std::to_string(c) + "," + std::to_string(r); };
    Grid->OnBeforeEdit = [this, at](QObject*, int c, int r, bool&) { Log.push_back("before " + at(c, r)); };
    Grid->OnEdit = [this, at](QObject*, int c, int r, const std::string& v) { Log.push_back("edit " + at(c, r) + " " + v); };
    Grid->OnEditAccept = [this, at](QObject*, int c, int r, const std::string& v, bool&) {
      Log.push_back("accept " + at(c, r) + " " + v);
    };
    Grid->OnAfterEdit = [this, at](QObject*, int c, int r, const std::string& v) {
      Log.push_back("after " + at(c, r) + " " + v);
    };
    Grid->OnEditExit = [this](QObject*) { Log.push_back("exit"); };
    Grid->OnInputAccept = [this](QObject*, bool&) { Log.push_back("input accept"); };
    Grid->OnInputAdded = [this](QObject*) { Log.push_back("input added"); };
  }
};
