// Check-box clicks through OnEditAccept, and the hints the mouse brings up.

#include "GridInputFixture.h"
#include "grid/CfColumnDisplays.h"
#include "platform/HintWindow.h"

using namespace cf;

TEST_F(GridInput, ACheckBoxClickAsksOnEditAcceptFirst) {
  Grid->SetOptions(goHeader | goSelectFullRow);
  Columns({100});
  auto* check = Grid->Columns().Add<TCfCheckBoxColumn>();
  check->SetWidth(40);
  check->SetOptions(check->Options() | coEditing);
  NumberedRows(3);
  bool refuse = false;
  std::vector<std::string> log;
  Grid->OnEditAccept = [&](QObject*, int c, int r, const std::string& v, bool& accept) {
    log.push_back("accept " + std::to_string(c) + "," + std::to_string(r) + " " + v);
    accept = !refuse;
  };
  Grid->OnAfterEdit = [&](QObject*, int c, int r, const std::string& v) {
    log.push_back("after " + std::to_string(c) + "," + std::to_string(r) + " " + v);
  };
  auto clickBox = [&](int row) {
    const TRect box = TCheckBoxColumnDisplay::BoxRect(*check, Grid->CellRect(1, row), false);
    ClickAt((box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2);
  };
  clickBox(1);
  EXPECT_TRUE(Grid->Cell(1, 1).AsBoolean());
  refuse = true;
  clickBox(1);
  EXPECT_TRUE(Grid->Cell(1, 1).AsBoolean());
  refuse = false;
  Grid->SetReadOnly(true);
  clickBox(2);
  EXPECT_FALSE(Grid->Cell(1, 2).AsBoolean());
  EXPECT_EQ(log, (std::vector<std::string>{"accept 1,1 True", "after 1,1 True", "accept 1,1 False"}));
  // Space on the current cell flips it too.
  Grid->SetReadOnly(false);
  Grid->SelectCell(1, 0);
  Type(" ");
  EXPECT_TRUE(Grid->Cell(1, 0).AsBoolean());
}

TEST_F(GridInput, HintsShowTheFullTextOrTheCellHintAndGoOnLeaving) {
  Grid->SetOptions(goHeader | goSelectFullRow);
  Columns({60, 60});
  Grid->Columns().Item(1)->SetOptions(Grid->Columns().Item(1)->Options() & ~coShowTextFitHint);
  NumberedRows(3);
  Grid->SetCells(0, 1, "a service name far wider than its column");
  const std::string longHint(400, 'h');
  Grid->Cell(1, 2).SetHint(longHint);
  const TPoint fit = CellCentre(0, 1);
  Move(fit.X, fit.Y, Qt::NoButton);
  EXPECT_EQ(Grid->HintKind(), 3);
  ASSERT_NE(Grid->HintWindow(), nullptr);
  EXPECT_EQ(Grid->HintWindow()->Caption(), "a service name far wider than its column");
  const TPoint hinted = CellCentre(1, 2);
  Move(hinted.X, hinted.Y, Qt::NoButton);
  EXPECT_EQ(Grid->HintKind(), 4);
  EXPECT_LE(Grid->HintWindow()->width(), 250);
  const TPoint plain = CellCentre(0, 0);  // "r0" fits
  Move(plain.X, plain.Y, Qt::NoButton);
  EXPECT_EQ(Grid->HintKind(), 0);
  Move(hinted.X, hinted.Y, Qt::NoButton);
  ASSERT_EQ(Grid->HintKind(), 4);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(Grid, &leave);
  EXPECT_EQ(Grid->HintKind(), 0);
  EXPECT_FALSE(Grid->HintWindow()->isVisible());
}
