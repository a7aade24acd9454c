// Shows a grid in one of its input states for screenshots.sh:
//   show_grid_input editor|input|drag [seconds]
#include <QApplication>
#include <QMouseEvent>
#include <QTimer>

#include <cstring>
#include <string>

#include "grid/CfGrid.h"
#include "platform/GraphicsObjects.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  cf::RegisterProgramFonts();
  const std::string mode = argc > 1 ? argv[1] : "editor";
  TCfGrid grid;
  TGridOptions options = goHeader | goGrid | goIndicator | goSelectFullRow;
  if (mode == "input") options |= goInput;
  grid.SetOptions(options);
  const struct { const char* caption; int width; bool number; } columns[] = {
      {"No.", 50, true}, {"Service name", 200, false}, {"Provider", 130, false}, {"SID", 70, true}};
  for (const auto& c : columns) {
    TCfCustomColumn* column = c.number ? static_cast<TCfCustomColumn*>(grid.Columns().Add<TCfNumberColumn>())
                                       : grid.Columns().Add<TCfTextColumn>();
    column->Header().SetCaption(c.caption);
    column->SetWidth(c.width);
    column->SetOptions(column->Options() | coEditing);
    column->SetInputCaption(std::string("<") + c.caption + ">");
  }
  const char* names[] = {"Das Erste HD", "ZDF HD", "arte HD", "3sat HD", "Первый канал", "hr-fernsehen HD",
                         "MDR Sachsen HD", "NDR FS NDS HD", "phoenix HD", "rbb Berlin HD"};
  const char* providers[] = {"ARD", "ZDFvision", "ARD", "ZDFvision", "ORT", "ARD", "ARD", "ARD", "ARD", "ARD"};
  for (int i = 0; i < 10; ++i) {
    const int r = grid.AddRow();
    grid.Cell(0, r).SetAsFloat(i + 1);
    grid.SetCells(1, r, names[i]);
    grid.SetCells(2, r, providers[i]);
    grid.Cell(3, r).SetAsFloat(10301 + i * 17);
  }
  grid.resize(500, 280);
  grid.move(30, 40);
  grid.show();
  grid.SetFocus();
  grid.SetFocusOverride(1);  // no window manager under Xvfb hands out the focus
  QApplication::processEvents();
  if (mode == "editor") {
    grid.SelectCell(1, 2);
    grid.EditCell(1, 2, std::string());
  } else if (mode == "input") {
    grid.Columns().Item(2)->SetInputValue("ARD");
    const std::string typed = "tagesschau24";
    grid.OpenInputEditor(1, false, 0, &typed);
  } else if (mode == "drag") {
    // A press on the header and a move past 3 pixels, as the mouse does it.
    TCfCustomColumn* column = grid.Columns().Item(1);
    const QPoint at(grid.ColumnLeft(column) + 60 + grid.ClientOffset().X, 9 + grid.ClientOffset().Y);
    QMouseEvent press(QEvent::MouseButtonPress, at, grid.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&grid, &press);
    const QPoint moved = at + QPoint(10, 0);
    QMouseEvent move(QEvent::MouseMove, moved, grid.mapToGlobal(moved), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&grid, &move);
    const cf::TPoint over = grid.ClientToScreen(cf::TPoint(grid.ColumnLeft(grid.Columns().Item(3)) + 50, 9));
    grid.ColumnDragMoved(over.X, over.Y);
    grid.DragBox().move(over.X - grid.DragBox().width() / 2, over.Y - grid.DragBox().height() + 4);
  }
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 4;
  QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
  return app.exec();
}
