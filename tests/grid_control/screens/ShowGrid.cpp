// Shows a grid like the main window's service list, for screenshots.sh.
#include <QApplication>
#include <QTimer>

#include "grid/CfGrid.h"
#include "platform/GraphicsObjects.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  cf::RegisterProgramFonts();
  TCfGrid grid;
  grid.SetOptions(goHeader | goGrid | goIndicator | goFooter | goSelectFullRow | goMultiSelect);
  grid.SetAppearanceOptions(aoIndicateSortedColumn);
  const struct { const char* caption; int width; bool number; } columns[] = {
      {"No.", 50, true}, {"Service name", 200, false}, {"Provider", 130, false}, {"SID", 60, false},
      {"Position", 80, false}, {"Freq.", 70, true}};
  for (const auto& c : columns) {
    TCfCustomColumn* column = c.number ? static_cast<TCfCustomColumn*>(grid.Columns().Add<TCfNumberColumn>())
                                       : grid.Columns().Add<TCfTextColumn>();
    column->Header().SetCaption(c.caption);
    column->SetWidth(c.width);
    if (c.number) column->SetAlignment(taRightJustify);
  }
  const char* names[] = {"Das Erste HD", "ZDF HD", "arte HD", "3sat HD", "BR Fernsehen Süd HD", "hr-fernsehen HD",
                         "MDR Sachsen HD", "NDR FS NDS HD", "phoenix HD", "rbb Berlin HD", "SWR BW HD", "WDR HD Köln",
                         "KiKA HD", "ONE HD", "tagesschau24 HD", "ZDFinfo HD", "zdf_neo HD", "ServusTV HD"};
  const char* providers[] = {"ARD", "ZDFvision", "ARD", "ZDFvision", "ARD", "ARD", "ARD", "ARD", "ARD",
                             "ARD", "ARD", "ARD", "ZDFvision", "ARD", "ARD", "ZDFvision", "ZDFvision", "ServusTV"};
  for (int i = 0; i < 18; ++i) {
    const int r = grid.AddRow();
    grid.Cell(0, r).SetAsFloat(i + 1);
    grid.SetCells(1, r, names[i]);
    grid.SetCells(2, r, providers[i]);
    grid.SetCells(3, r, std::to_string(10301 + i * 17));
    grid.SetCells(4, r, "019.2E");
    grid.Cell(5, r).SetAsFloat(11494 + (i % 4) * 39);
  }
  grid.Columns().Item(1)->SetSorted(true);
  grid.Columns().Item(0)->Footer().SetFormulaKind(fkCount);
  grid.Columns().Item(0)->Footer().SetAlignment(taRightJustify);
  grid.Columns().Item(1)->Footer().SetCaption("services");
  grid.Columns().Item(5)->Footer().SetFormulaKind(fkMaximum);
  grid.UpdateFooter();
  grid.SelectCell(1, 3);
  grid.SelectCell(1, 6, cf::ssShift);
  grid.resize(640, 400);
  grid.move(20, 20);
  grid.show();
  grid.SetFocus();
  grid.SetFocusOverride(1);  // no window manager under Xvfb hands out the focus
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 4;
  QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
  return app.exec();
}
