// The editing cycle with its events, for cells and the input line.

#include "GridInputFixture.h"

using namespace cf;

namespace {

struct Editing : GridInput {
  void SetUp() override {
    GridInput::SetUp();
    if (!HasFocus()) GTEST_SKIP() << "the platform gives no window the focus";
    Grid->SetOptions(goHeader | goGrid | goSelectFullRow);
    auto* text = Grid->Columns().Add<TCfTextColumn>();
    text->SetWidth(120);
    text->SetOptions(text->Options() | coEditing);
    auto* number = Grid->Columns().Add<TCfNumberColumn>();
    number->SetWidth(80);
    number->SetOptions(number->Options() | coEditing);
    number->SetEditOptions(eoAllowFloat | eoAllowSigns);
    for (int i = 0; i < 4; ++i) {
      const int r = Grid->AddRow();
      Grid->SetCells(0, r, "name" + std::to_string(r));
      Grid->SetCells(1, r, std::to_string(10 * r));
    }
    Grid->SetSelectedRow(1);
    LogEditing();
  }
  TCfCustomEdit* Editor() { return Grid->InplaceEditor(); }
};

}  // namespace

TEST_F(Editing, EnterAppliesTheEditAndRaisesTheEventsInOrder) {
  Grid->EditCell(0, 1, std::string());
  ASSERT_NE(Editor(), nullptr);
  EXPECT_EQ(Editor()->Text(), "name1");
  EXPECT_TRUE(Editor()->isVisible());
  Type("X");
  KeyVK(VK_RETURN);
  EXPECT_EQ(Grid->Cells(0, 1), "name1X");
  EXPECT_FALSE(Grid->CellEditing());
  EXPECT_TRUE(Grid->Focused());
  // Filling the editor with the cell's own text is no edit.
  EXPECT_EQ(Log, (std::vector<std::string>{"before 0,1", "edit 0,1 name1X", "accept 0,1 name1X",
                                           "after 0,1 name1X", "exit"}));
}

TEST_F(Editing, KeysThatCloseOrKeepTheEditor) {
  struct Case {
    const char* name;
    TGridOptions extra;
    bool multiLine;
    uint16_t key;
    TShiftState shift;
    bool stillOpen;
    std::string editorText;  // when still open
    std::string cell;
  };
  const Case cases[] = {
      {"enter applies", 0, false, VK_RETURN, 0, false, "", "name1X"},
      {"ctrl+enter keeps it open", 0, false, VK_RETURN, ssCtrl, true, "name1X", "name1"},
      {"enter in a multi-line column keeps it open", 0, true, VK_RETURN, 0, true, "name1X", "name1"},
      {"esc closes without applying", 0, false, VK_ESCAPE, 0, false, "", "name1"},
      {"esc with goEscClearEdit empties the editor", goEscClearEdit, false, VK_ESCAPE, 0, true, "", "name1"},
  };
  for (const Case& c : cases) {
    Grid->SetOptions(goHeader | goGrid | goSelectFullRow | c.extra);
    static_cast<TCfTextColumn*>(Grid->Columns().Item(0))->SetMultiLine(c.multiLine);
    Grid->EditCell(0, 1, std::string());
    Type("X");
    KeyVK(c.key, c.shift);
    EXPECT_EQ(Grid->CellEditing(), c.stillOpen) << c.name;
    if (c.stillOpen && Editor()) {
      EXPECT_EQ(Editor()->Text(), c.editorText) << c.name;
    }
    Grid->EndEditing();
    EXPECT_EQ(Grid->Cells(0, 1), c.cell) << c.name;
    Grid->SetCells(0, 1, "name1");
    Grid->SetFocus();
  }
}

TEST_F(Editing, TabAppliesClosesAndMovesToTheNextColumn) {
  Grid->SetWantTabs(true);
  Grid->EditCell(0, 1, std::string());
  Type("Y");
  KeyVK(VK_TAB);
  EXPECT_EQ(Grid->Cells(0, 1), "name1Y");
  EXPECT_FALSE(Grid->CellEditing());
  EXPECT_EQ(Grid->SelectedColumn(), 1);
}

TEST_F(Editing, TextANumberCellCannotTakeLeavesItAsARefusedEditWould) {
  Grid->EditCell(1, 2, std::string());
  ASSERT_NE(Editor(), nullptr);
  Editor()->SetText("-");
  Log.clear();
  KeyVK(VK_RETURN);  // must not raise out of the key handler
  EXPECT_FALSE(Grid->CellEditing());
  EXPECT_EQ(Grid->Cells(1, 2), "20");
  EXPECT_EQ(Log, (std::vector<std::string>{"accept 1,2 -", "exit"}));
  // The same through losing the focus.
  Grid->EditCell(1, 2, std::string());
  Editor()->SetText("-");
  Other->SetFocus();
  QApplication::processEvents();
  EXPECT_FALSE(Grid->CellEditing());
  EXPECT_EQ(Grid->Cells(1, 2), "20");
}

TEST_F(Editing, RefusalsLeaveTheCellAlone) {
  Grid->OnBeforeEdit = [](QObject*, int, int, bool& accept) { accept = false; };
  Grid->EditCell(0, 1, std::string());
  EXPECT_FALSE(Grid->CellEditing());
  Grid->OnBeforeEdit = nullptr;
  Grid->OnEditAccept = [](QObject*, int, int, const std::string&, bool& accept) { accept = false; };
  Grid->EditCell(0, 1, std::string());
  Type("Z");
  KeyVK(VK_RETURN);
  EXPECT_FALSE(Grid->CellEditing());
  EXPECT_EQ(Grid->Cells(0, 1), "name1");
  Grid->OnEditAccept = nullptr;
  Grid->SetReadOnly(true);
  Grid->EditCell(0, 1, std::string());
  Type("Q");
  EXPECT_FALSE(Grid->CellEditing());
}

TEST_F(Editing, ATypedCharacterOpensTheEditorWithIt) {
  Type("W");
  ASSERT_TRUE(Grid->CellEditing());
  EXPECT_EQ(Editor()->Text(), "W");
  EXPECT_EQ(Log, (std::vector<std::string>{"before 0,1", "edit 0,1 W"}));
  Type("v");
  KeyVK(VK_RETURN);
  EXPECT_EQ(Grid->Cells(0, 1), "Wv");
}

TEST_F(Editing, TheEditorSitsInsideItsCellAndHidesAboveTheBody) {
  Grid->EditCell(0, 1, std::string());
  const TRect cell = Grid->CellRect(0, 1);
  // One pixel in on every side, the grid line on the right left free.
  EXPECT_EQ(Editor()->BoundsRect(), TRect(cell.Left + 1, cell.Top + 1, cell.Right - 2, cell.Bottom - 1));
  Grid->EndEditing();
  for (int i = 0; i < 30; ++i) Grid->SetCells(0, Grid->AddRow(), "more");
  Grid->EditCell(0, 1, std::string());
  Grid->VertScrollBar()->SetPosition(5);  // the edited row leaves the page upwards
  EXPECT_FALSE(Grid->CellEditing());  // a scroll closes the editor
}

TEST_F(Editing, ClickingTheCellOpensTheEditorOnTheSecondClickOnly) {
  Grid->SetOptions(goHeader | goGrid | goSelectFullRow | goSecondClickEdit);
  ClickCell(0, 2);
  EXPECT_EQ(Grid->SelectedRow(), 2);
  EXPECT_FALSE(Grid->CellEditing());
  ClickCell(0, 2);
  EXPECT_TRUE(Grid->CellEditing());
  EXPECT_EQ(Grid->EditRow(), 2);
}

TEST_F(Editing, TheInputLineBecomesARowOnlyWhenEveryValueConverts) {
  Grid->SetOptions(goHeader | goGrid | goSelectFullRow | goInput);
  const int before = Grid->RowCount();
  Grid->Columns().Item(0)->SetInputValue("new");
  Grid->Columns().Item(1)->SetInputValue("x1");
  Log.clear();
  Grid->AcceptInput();
  EXPECT_EQ(Grid->RowCount(), before);
  EXPECT_EQ(Grid->Columns().Item(0)->InputValue(), "new");
  EXPECT_EQ(Grid->Columns().Item(1)->InputValue(), "x1");
  Grid->Columns().Item(1)->SetInputValue("42");
  Grid->AcceptInput();
  ASSERT_EQ(Grid->RowCount(), before + 1);
  EXPECT_EQ(Grid->Cells(0, before), "new");
  EXPECT_EQ(Grid->Cells(1, before), "42");
  EXPECT_EQ(Grid->Columns().Item(0)->InputValue(), "");
  EXPECT_EQ(Log, (std::vector<std::string>{"input accept", "input accept", "input added"}));
}

TEST_F(Editing, TypingOnTheInputLineAndEnterAddsARow) {
  Grid->SetOptions(goHeader | goGrid | goSelectFullRow | goInput);
  Grid->SetSelectedRow(0);
  KeyVK(VK_UP);  // from the first row up into the input line
  ASSERT_TRUE(Grid->InputLineSelected());
  Type("Sat.1");
  ASSERT_TRUE(Grid->InputEditing());
  const int before = Grid->RowCount();
  KeyVK(VK_RETURN);
  ASSERT_EQ(Grid->RowCount(), before + 1);
  EXPECT_EQ(Grid->Cells(0, before), "Sat.1");
  EXPECT_TRUE(Grid->InputEditing());  // the editor stays for the next row
  EXPECT_EQ(Editor()->Text(), "");
}

TEST_F(Editing, EnterOnTheInputLineAlwaysModeAddsARowWithoutAnEditor) {
  Grid->SetOptions(goHeader | goGrid | goSelectFullRow | goInput);
  Grid->SetWantReturns(true);
  Grid->SetInputEnterMode(imAllways);
  Grid->SetSelectedRow(0);
  KeyVK(VK_UP);
  ASSERT_TRUE(Grid->InputLineSelected());
  ASSERT_FALSE(Grid->InputEditing());
  const int before = Grid->RowCount();
  KeyVK(VK_RETURN);
  EXPECT_EQ(Grid->RowCount(), before + 1);
}
