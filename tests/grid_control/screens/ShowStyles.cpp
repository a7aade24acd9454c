// show_styles <settings folder> [seconds]: one sheet with a grid of the
// folder's services in each of the seven header styles and a page control
// in each tab style, tabs at the top and at the bottom, for screenshots.sh.
// Each grid has a sorted column and a footer; each page control a pressed
// look nowhere but its hot scroll button, and more tabs than fit.

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <string>

#include "controls/CfPageControl.h"
#include "grid/CfGrid.h"
#include "platform/GraphicsObjects.h"
#include "settings/ServicesFile.h"

using namespace cf;

namespace {

void Label(QWidget* parent, int x, int y, const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->move(x, y);
  label->adjustSize();
}

TCfGrid* MakeGrid(QWidget* parent, THeaderStyle style, const ARR_ENIG_CH& services) {
  auto* grid = new TCfGrid(parent);
  grid->SetOptions(goHeader | goGrid | goIndicator | goFooter | goSelectFullRow);
  grid->SetAppearanceOptions(aoIndicateSortedColumn);
  const struct {
    const char* caption;
    int width;
  } columns[] = {{"No.", 44}, {"Service name", 170}, {"Provider", 120}, {"SID", 50}};
  for (const auto& c : columns) {
    TCfCustomColumn* column = grid->Columns().Add<TCfTextColumn>();
    column->Header().SetCaption(c.caption);
    column->SetWidth(c.width);
  }
  int shown = 0;
  for (size_t i = 0; i < services.size() && shown < 40; ++i) {
    const std::string& name = services[i].Name;
    if (services[i].Unnamed || name.empty() || name == ".") continue;  // data services without a name
    const int r = grid->AddRow();
    grid->SetCells(0, r, std::to_string(++shown));
    grid->SetCells(1, r, services[i].Name);
    grid->SetCells(2, r, services[i].Provider);
    grid->SetCells(3, r, services[i].Sid);
  }
  grid->Columns().Item(1)->SetSorted(true);
  grid->Columns().Item(1)->Footer().SetCaption("services");
  grid->Columns().Item(2)->Footer().SetCaption(std::to_string(services.size()));
  grid->SetHeaderStyle(style);
  grid->SelectCell(1, 2);
  grid->resize(420, 112);
  return grid;
}

TCfPageControl* MakePages(QWidget* parent, TTabStyle style, TTabPosition position) {
  auto* pages = new TCfPageControl(parent);
  pages->SetTabStyle(style);
  pages->SetTabPosition(position);
  pages->SetOptions(DefaultPageOptions | pgTabsPopup | pgPageBorder);
  for (const char* caption : {"&General", "&Profiles", "&Paths", "&Colours", "&Language", "&Debug"}) {
    auto* sheet = new TCfTabSheet(pages);
    sheet->SetCaption(caption);
    sheet->Color = clWindow;
    sheet->SetParentColor(false);
  }
  pages->resize(330, 80);
  pages->SetActivePageIndex(1);
  return pages;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  RegisterProgramFonts();
  ARR_ENIG_TP transponders;
  ARR_ENIG_CH services;
  if (argc > 1) {
    const std::string lamedb = std::string(argv[1]) + "/lamedb";
    LoadTp(transponders, lamedb);
    LoadChannel(services, transponders, false, lamedb);
  }
  QWidget sheet;
  sheet.setWindowTitle("Header and tab styles");
  sheet.resize(1250, 960);
  const std::pair<THeaderStyle, const char*> styles[] = {
      {hsAuto, "hsAuto"},         {hsFlatBorders, "hsFlatBorders"}, {hsOffice2007, "hsOffice2007"},
      {hsOffice2010, "hsOffice2010"}, {hsOldStyle, "hsOldStyle"},   {hsOutlook, "hsOutlook"},
      {hsVista, "hsVista"}};
  int y = 8;
  for (const auto& [style, name] : styles) {
    Label(&sheet, 10, y, name);
    MakeGrid(&sheet, style, services)->move(110, y);
    y += 124;
  }
  const std::pair<TTabStyle, const char*> tabs[] = {{tsClassic, "tsClassic"},
                                                    {tsFlat, "tsFlat"},
                                                    {tsOneNote, "tsOneNote"},
                                                    {tsWhidbey, "tsWhidbey"},
                                                    {tsDexter, "tsDexter"}};
  y = 8;
  for (const auto& [style, name] : tabs) {
    Label(&sheet, 550, y, name);
    MakePages(&sheet, style, tpTop)->move(550, y + 18);
    TCfPageControl* bottom = MakePages(&sheet, style, tpBottom);
    bottom->move(900, y + 18);
    // One hot button per row, to show the hover look of each style.
    bottom->MouseMove(0, bottom->ButtonRect(pbScrollRight).Left + 4, bottom->ButtonRect(pbScrollRight).Top + 4);
    y += 110;
  }
  Label(&sheet, 550, y, "tsWhidbey, scrolled, partial tabs, tab list and close buttons");
  TCfPageControl* scrolled = MakePages(&sheet, tsWhidbey, tpTop);
  scrolled->SetPartialTabs(true);
  scrolled->resize(300, 80);
  scrolled->SetActivePageIndex(5);
  scrolled->move(550, y + 18);
  sheet.show();
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 4;
  QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
  return app.exec();
}
