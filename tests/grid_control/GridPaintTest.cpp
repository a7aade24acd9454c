// Pixels of a paint, worked out by hand: client 400 x 200, no border, themes
// off. Colours of our fixed system table: window white, button face 240,
// shadow 160, highlight (51, 153, 255), window text black.

#include <algorithm>
#include <functional>

#include "GridControlFixture.h"
#include "platform/ImageList.h"

using namespace cf;

namespace {
constexpr TColor kWhite = RGB(255, 255, 255);
constexpr TColor kFace = RGB(240, 240, 240);
constexpr TColor kShadow = RGB(160, 160, 160);
constexpr TColor kHighlight = RGB(51, 153, 255);
constexpr TColor kBlack = RGB(0, 0, 0);
constexpr TColor kRed = RGB(255, 0, 0);

// Indicator, header, grid lines in red; columns 100 and 80 wide from x 12.
// Rows are 16 + 1 tall from y 18: row r spans 18 + 17r .. 34 + 17r, its line at 34 + 17r.
struct PaintGrid : GridHarness {
  std::vector<TCfCustomColumn*> Cols;
  explicit PaintGrid(int rows = 5, TGridOptions extra = 0) {
    Cols = AddTextColumns({100, 80});
    Grid->SetOptions(goHeader | goGrid | goIndicator | extra);
    Grid->SetGridLinesColor(RGB(255, 0, 0));
    for (int i = 0; i < rows; ++i) Grid->AddRow();
  }
};

struct Px {
  int x, y;
  TColor color;
};

void ExpectPixels(const QImage& image, std::initializer_list<Px> pixels, const char* what) {
  for (const Px& p : pixels)
    EXPECT_EQ(PixelAt(image, p.x, p.y), p.color) << what << " at (" << p.x << ", " << p.y << ")";
}
}  // namespace

TEST(GridPaint, HeaderCellsInRelief) {
  PaintGrid g;
  const QImage image = g.Paint();
  // Column 0's header (12, 0, 112, 18): light top and left, dark bottom and
  // right, the two corners where they meet in the face colour.
  ExpectPixels(image,
               {{12, 5, kWhite}, {50, 0, kWhite}, {111, 5, kShadow}, {50, 17, kShadow}, {111, 0, kFace},
                {12, 17, kFace}, {60, 9, kFace}, {111, 17, kShadow}},
               "header");
}

TEST(GridPaint, SortArrowInRelief) {
  for (TSortKind kind : {skAscending, skDescending}) {
    PaintGrid g;
    g.Cols[1]->SetSorted(true);
    g.Cols[1]->SetSortKind(kind);
    const QImage image = g.Paint();
    // Empty caption at x 114, 2 wide: the arrow's left edge 19 further, at
    // 135; its top 4 above the header's middle, at 5.
    if (kind == skAscending)
      ExpectPixels(image,
                   {{140, 11, kShadow}, {135, 10, kShadow}, {136, 9, kShadow}, {138, 5, kShadow},
                    {142, 10, kWhite}, {141, 9, kWhite}, {139, 5, kWhite}, {138, 4, kFace}, {143, 11, kFace}},
                   "arrow up");
    else
      ExpectPixels(image,
                   {{140, 5, kShadow}, {135, 6, kShadow}, {136, 7, kShadow}, {138, 11, kShadow},
                    {142, 6, kWhite}, {141, 7, kWhite}, {139, 11, kWhite}, {138, 12, kFace}, {143, 5, kFace}},
                   "arrow down");
  }
}

TEST(GridPaint, IndicatorCellsAndTheCurrentRowMark) {
  PaintGrid g;
  g.Grid->SelectCell(1, 2);
  const QImage image = g.Paint();
  // Row 0 (0, 18, 12, 35): light left and top (from x 1), dark right and bottom.
  ExpectPixels(image, {{0, 25, kWhite}, {1, 18, kWhite}, {11, 25, kShadow}, {5, 34, kShadow}, {5, 25, kFace}},
               "row 0");
  // Row 1: the top line starts at x 2, the pixel before it in the face colour.
  ExpectPixels(image, {{1, 35, kFace}, {2, 35, kWhite}, {10, 35, kFace}}, "row 1");
  // Row 2 (0, 52, 12, 69) is current: a black triangle (3, 55) (8, 60) (3, 65),
  // then the whole cell inverted.
  const TColor invFace = RGB(15, 15, 15);
  ExpectPixels(image, {{4, 60, kWhite}, {3, 56, kWhite}, {9, 58, invFace}, {5, 54, invFace}, {11, 60, RGB(95, 95, 95)}},
               "current row");
  ExpectPixels(image, {{5, 76, kFace}}, "row 3");
}

TEST(GridPaint, GridLinesOfEachStyle) {
  struct Case {
    TGridLinesStyle style;
    TColor vertical;     // (111, 25): column 0's right line in row 0
    TColor horizontal;   // (50, 34): row 0's bottom line
    TColor lastRow;      // (50, 102): row 4's bottom line
    TColor lastColumn;   // (191, 25): column 1's right line
    TColor emptyLine;    // (50, 119): the first line below the data
  };
  const Case cases[] = {
      {lsNormal, kRed, kRed, kRed, kRed, kRed},
      {lsFramed, kRed, kRed, kBlack, kBlack, kRed},
      {lsActiveRows, kRed, kRed, kRed, kRed, kWhite},
      {lsHorizontalOnly, kWhite, kRed, kRed, kWhite, kRed},
      {lsActiveHorzOnly, kWhite, kRed, kRed, kWhite, kWhite},
  };
  for (const Case& c : cases) {
    PaintGrid g;
    g.Grid->SetGridLinesStyle(c.style);
    const QImage image = g.Paint();
    SCOPED_TRACE(int(c.style));
    ExpectPixels(image,
                 {{111, 25, c.vertical}, {50, 34, c.horizontal}, {50, 102, c.lastRow}, {191, 25, c.lastColumn},
                  {50, 119, c.emptyLine}, {80, 25, kWhite}},
                 "lines");
  }
  // Vertical lines only: rows touch, row 1 starts at 34.
  PaintGrid g;
  g.Grid->SetGridLinesStyle(lsVerticalOnly);
  const QImage image = g.Paint();
  ExpectPixels(image, {{111, 25, kRed}, {50, 34, kWhite}, {111, 34, kRed}}, "vertical only");
}

TEST(GridPaint, SelectionFocusedUnfocusedAndBlended) {
  struct Case {
    const char* name;
    int focused;
    TAppearanceOptions appearance;
    TColor inside, corner;
  };
  // Current cell (1, 2): (112, 52, 191, 68) after its right line. The dotted
  // focus rectangle inverts the edge pixels whose x + y is even.
  const Case cases[] = {
      {"focused", 1, 0, kHighlight, RGB(204, 102, 0)},
      {"unfocused", 0, 0, kFace, kFace},
      {"unfocused, hidden", 0, aoHideSelection, kWhite, kWhite},
      // 0.25 x (51, 153, 255) + 0.75 x white = (204, 229.5, 255); a solid frame.
      {"blended", 1, aoAlphaBlendedSelection, RGB(204, 230, 255), kHighlight},
  };
  for (const Case& c : cases) {
    PaintGrid g;
    g.Grid->SetAppearanceOptions(c.appearance);
    g.Grid->SelectCell(1, 2);
    g.Grid->SetFocusOverride(c.focused);
    const QImage image = g.Paint();
    SCOPED_TRACE(c.name);
    ExpectPixels(image, {{150, 60, c.inside}, {112, 52, c.corner}}, "selected cell");
  }
  PaintGrid g;
  g.Grid->SelectCell(1, 2);
  const QImage image = g.Paint();
  ExpectPixels(image, {{113, 52, kHighlight}, {190, 54, RGB(204, 102, 0)}, {190, 53, kHighlight}, {150, 43, kWhite}},
               "dotted focus");
}

TEST(GridPaint, FullRowSelectionWithTheFocusAcrossTheRow) {
  PaintGrid g(5, goSelectFullRow | goMultiSelect);
  g.Grid->SelectCell(0, 1);
  g.Grid->SelectCell(0, 3, ssShift);
  const QImage image = g.Paint();
  // Rows 1 to 3 marked, row 3 current; the current cell keeps the highlight too.
  ExpectPixels(image, {{60, 43, kHighlight}, {150, 60, kHighlight}, {60, 77, kHighlight}, {60, 96, kWhite}},
               "marked rows");
  // The focus rectangle of row 3 runs from the body's left (12, 69) to 191.
  ExpectPixels(image, {{12, 69, kHighlight}, {13, 69, RGB(204, 102, 0)}, {150, 80, kHighlight}}, "row focus");
}

TEST(GridPaint, SortedColumnDarkerOrWhite) {
  struct Case {
    TSortedStyle style;
    TColor unselected, selected;
  };
  // Cells of column 1 coloured (200, 220, 240); row 2 selected (highlight).
  const Case cases[] = {
      {soDefault, RGB(200, 220, 240), kHighlight},
      // 245 x channel / 256, truncated: 191, 210, 229.
      {soDarker, RGB(191, 210, 229), kHighlight},
      {soWhite, kWhite, kHighlight},
  };
  for (const Case& c : cases) {
    PaintGrid g;
    for (int r = 0; r < 5; ++r) g.Grid->Cell(1, r).SetColor(RGB(200, 220, 240));
    g.Cols[1]->SetSorted(true);
    g.Grid->SetSortedStyle(c.style);
    g.Grid->SelectCell(1, 2);
    const QImage image = g.Paint();
    SCOPED_TRACE(int(c.style));
    ExpectPixels(image, {{150, 26, c.unselected}, {150, 60, c.selected}}, "sorted");
  }
}

TEST(GridPaint, CheckBoxTickClassic) {
  GridHarness h;
  auto* check = h.Grid->Columns().Add<TCfCheckBoxColumn>();
  check->SetWidth(40);
  h.Grid->SetOptions(goHeader | goGrid | goIndicator);
  h.Grid->AddRow(2);
  h.Grid->Cell(0, 0).SetAsBoolean(true);
  h.Grid->SelectCell(0, 1);
  h.Grid->SetFocusOverride(0);
  const QImage image = h.Paint();
  // Row 0's cell (12, 18, 51, 34): an 11 x 11 box at (12, 20); the tick's
  // three polylines through (14, 24 + k), (16, 26 + k), (21, 21 + k).
  ExpectPixels(image,
               {{12, 25, kShadow}, {22, 30, kShadow}, {17, 20, kShadow}, {14, 24, kBlack}, {15, 26, kBlack},
                {16, 28, kBlack}, {18, 24, kBlack}, {20, 24, kBlack}, {21, 21, kWhite}, {17, 22, kWhite},
                {14, 28, kWhite}},
               "ticked");
  // Row 1 (unticked): the box only.
  ExpectPixels(image, {{12, 42, kShadow}, {16, 45, kWhite}, {18, 41, kWhite}}, "unticked");
}

TEST(GridPaint, HintMarkInTheTopRightCorner) {
  PaintGrid g;
  g.Grid->SetAppearanceOptions(aoHintMarks);
  g.Grid->Cell(1, 0).SetHint("look");
  const QImage image = g.Paint();
  // Cell (112, 18, 191, 34): triangle (186, 18), (190, 18), (190, 22).
  ExpectPixels(image, {{188, 18, kRed}, {189, 20, kRed}, {190, 21, kRed}, {187, 21, kWhite}, {185, 18, kWhite}},
               "mark");
  // Without the option no mark.
  g.Grid->SetAppearanceOptions(0);
  ExpectPixels(g.Paint(), {{188, 18, kWhite}}, "no mark");
}

TEST(GridPaint, EmptyGridShowsItsCaptionOnlyWithoutRows) {
  PaintGrid g(0);
  g.Grid->SetCaption("No services");
  auto darkInBand = [](const QImage& image) {
    int dark = 0;
    for (int y = 22; y < 40; ++y)
      for (int x = 12; x < 400; ++x)
        if (GetRValue(PixelAt(image, x, y)) < 150) ++dark;
    return dark;
  };
  const QImage empty = g.Paint();
  EXPECT_GT(darkInBand(empty), 20);
  // Centred: as many dark pixels left as right of the band's middle, give or take a glyph.
  int left = 0, right = 0;
  for (int y = 22; y < 40; ++y)
    for (int x = 12; x < 400; ++x)
      if (GetRValue(PixelAt(empty, x, y)) < 150) (x < (12 + 400) / 2 ? left : right)++;
  EXPECT_NEAR(left, right, (left + right) / 4);
  g.Grid->AddRow();
  EXPECT_EQ(darkInBand(g.Paint()), 0);
}

TEST(GridPaint, FooterCellsWithLines) {
  PaintGrid g(3, goFooter);
  g.Cols[0]->Footer().SetColor(RGB(250, 240, 200));
  const QImage image = g.Paint();
  // Footer cells from 200 - 18 = 182: filled less the right and bottom line,
  // lines in the button face colour.
  ExpectPixels(image, {{100, 190, RGB(250, 240, 200)}, {111, 190, kFace}, {100, 199, kFace}}, "footer");
}

TEST(GridPaint, DragArrowShapes) {
  struct Case {
    int direction;
    TPoint inside, outside;
  };
  for (const Case& c : {Case{1, {4, 2}, {1, 8}}, Case{1, {4, 7}, {8, 8}}, Case{2, {4, 2}, {1, 1}},
                        Case{2, {4, 6}, {0, 8}}}) {
    const TRegion shape = TDragArrow::Shape(c.direction);
    EXPECT_TRUE(shape.Contains(c.inside)) << c.direction;
    EXPECT_FALSE(shape.Contains(c.outside)) << c.direction;
  }
  TCfGrid grid;
  EXPECT_EQ(grid.DragArrow(0).Direction(), 2);
  EXPECT_EQ(grid.DragArrow(1).Direction(), 1);
  QImage image(9, 9, QImage::Format_RGB32);
  TCanvas canvas(&image);
  grid.DragArrow(0).Paint(canvas);
  EXPECT_EQ(PixelAt(image, 4, 4), kRed);
}

TEST(GridPaint, ScrollingLeavesWhatAFreshPaintShows) {
  GridHarness h(400, 200);
  auto cols = h.AddTextColumns({150, 200, 120});
  h.Grid->SetOptions(goHeader | goGrid | goIndicator | goFooter | goSelectFullRow);
  for (int i = 0; i < 60; ++i) {
    const int r = h.Grid->AddRow();
    h.Grid->SetCells(0, r, "row " + std::to_string(r));
    h.Grid->SetCells(1, r, std::to_string(r * 7));
  }
  h.Grid->SelectCell(0, 2);
  h.Grid->UpdateHorzScrollBar();
  h.Grid->UpdateVertScrollBar();
  h.Grid->Render();
  struct Step {
    const char* name;
    std::function<void()> act;
  };
  const Step steps[] = {
      {"line down", [&] { h.Grid->VertScrollBar()->SetPosition(1); }},
      {"line up", [&] { h.Grid->VertScrollBar()->SetPosition(0); }},
      {"page down", [&] { h.Grid->ScrollMessage(1, SB_PAGEDOWN); }},
      {"thumb", [&] { h.Grid->VertScrollBar()->SetPosition(40); }},
      {"three up", [&] { h.Grid->VertScrollBar()->SetPosition(37); }},
      {"sideways", [&] { h.Grid->HorzScrollBar()->SetPosition(30); }},
      {"back", [&] { h.Grid->HorzScrollBar()->SetPosition(10); }},
      {"wider column", [&] { cols[0]->SetWidth(170); }},
      {"narrower column", [&] { cols[1]->SetWidth(150); }},
      {"hide a row", [&] { h.Grid->SetRowVisible(39, false); }},
      {"show it", [&] { h.Grid->SetRowVisible(39, true); }},
      {"taller row", [&] { h.Grid->SetRowHeight(40, 30); }},
      {"select", [&] { h.Grid->SelectCell(1, 41); }},
      {"next row", [&] { h.Grid->MoveToNextRow(0, false); }},
      {"write", [&] { h.Grid->SetCells(1, 42, "changed"); }},
      {"add a row", [&] { h.Grid->AddRow(); }},
  };
  for (const Step& s : steps) {
    s.act();
    const QImage after = h.Buffer();
    const QImage fresh = h.Paint();
    ASSERT_EQ(after.size(), fresh.size()) << s.name;
    int differing = 0;
    TRect box(10000, 10000, -1, -1);
    for (int y = 0; y < fresh.height(); ++y)
      for (int x = 0; x < fresh.width(); ++x)
        if (after.pixel(x, y) != fresh.pixel(x, y)) {
          ++differing;
          box = TRect(std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1), std::max(box.Bottom, y + 1));
        }
    if (differing) {
      after.save(QString("/tmp/gc_after_%1.png").arg(s.name));
      fresh.save(QString("/tmp/gc_fresh_%1.png").arg(s.name));
    }
    EXPECT_EQ(box, TRect(10000, 10000, -1, -1)) << s.name;
    EXPECT_EQ(differing, 0) << s.name << " (FirstRow " << h.Grid->FirstRow() << ")";
  }
}

// A refill inside an update bracket (rows deleted, added, written and
// sorted) draws nothing until the bracket closes, and then leaves exactly
// what a fresh paint of the final rows shows, footer and input line included.
TEST(GridPaint, UpdateBracketDrawsOnceWhenItClosesAndShowsTheFinalRows) {
  GridHarness h(400, 200);
  h.AddTextColumns({150, 200});
  h.Grid->SetOptions(goHeader | goGrid | goIndicator | goFooter | goInput | goSelectFullRow);
  auto fill = [&](int count, int salt) {
    h.Grid->SelectRange(0, std::max(h.Grid->RowCount() - 1, 0), false);
    if (h.Grid->RowCount() > count) {
      h.Grid->SelectRange(count, h.Grid->RowCount() - 1, true);
      h.Grid->DeleteSelectedRows();
    } else if (h.Grid->RowCount() < count) {
      h.Grid->AddRows(count - h.Grid->RowCount());
    }
    for (int r = 0; r < count; ++r) {
      h.Grid->SetCells(0, r, "name " + std::to_string((r * 37 + salt) % 101));
      h.Grid->SetCells(1, r, std::to_string(r + salt));
    }
    h.Grid->SortColumn(0, true);
  };
  fill(40, 0);
  h.Grid->Render();
  struct Step {
    const char* name;
    std::function<void()> act;
  };
  const Step steps[] = {
      {"fewer rows", [&] { fill(25, 5); }},
      {"more rows", [&] { fill(60, 11); }},
      {"all rows gone and back", [&] {
         h.Grid->ClearRows();
         fill(30, 17);
       }},
      {"nested bracket", [&] {
         h.Grid->BeginUpdate();
         fill(50, 23);
         h.Grid->EndUpdate();  // the outer bracket is still open
       }},
  };
  // The rows' part of the client; the scroll bar at the right edge follows
  // the row count at once.
  auto rows = [&](const QImage& image) { return image.copy(0, 0, image.width() - 30, image.height()); };
  for (const Step& s : steps) {
    const QImage before = h.Buffer();
    h.Grid->BeginUpdate();
    s.act();
    EXPECT_TRUE(rows(h.Buffer()) == rows(before)) << s.name << ": rows drawn inside the bracket";
    h.Grid->EndUpdate();
    const QImage after = h.Buffer();
    const QImage fresh = h.Paint();
    ASSERT_EQ(after.size(), fresh.size()) << s.name;
    int differing = 0;
    for (int y = 0; y < fresh.height(); ++y)
      for (int x = 0; x < fresh.width(); ++x)
        if (after.pixel(x, y) != fresh.pixel(x, y)) ++differing;
    EXPECT_EQ(differing, 0) << s.name;
    EXPECT_FALSE(after == before) << s.name << ": the new rows never shown";
  }
}

TEST(GridPaint, SlidesWithFramesAndCaptions) {
  GridHarness h;
  auto cols = h.AddTextColumns({100, 80});
  cols[1]->SetSlideCaption("Provider");
  cols[1]->SetSlideCaptionLocation(clLeft);
  cols[1]->SlideBounds().SetLeft(200);
  h.Grid->SetGridStyle(gsSlides);
  h.AddRows(3);
  h.Grid->SelectCell(0, 0);
  const QImage image = h.Paint();
  // Slide 0 (0, 18, 400, 98), current: frames (1, 19, 399, 96) and (2, 20, 398, 95)
  // in the selection colour.
  ExpectPixels(image, {{100, 19, kHighlight}, {100, 20, kHighlight}, {1, 50, kHighlight}, {2, 50, kHighlight},
                       {100, 21, kWhite}, {100, 95, kHighlight}, {100, 94, kHighlight}, {100, 96, kWhite}, {300, 50, kWhite}},
               "framed slide");
  // Slide 1 is not framed.
  ExpectPixels(image, {{100, 99, kWhite}, {1, 130, kWhite}}, "plain slide");
  // The caption of column 1 ends 2 pixels left of its cell (x 200) in grey.
  int grey = 0, right = 0;
  for (int y = 26; y < 42; ++y)
    for (int x = 100; x < 200; ++x)
      if (GetRValue(PixelAt(image, x, y)) < 200) {
        ++grey;
        right = std::max(right, x);
      }
  EXPECT_GT(grey, 10);
  EXPECT_LE(right, 197);
  EXPECT_GE(right, 190);
}

TEST(GridPaint, InputLineCells) {
  for (bool selected : {false, true}) {
    GridHarness h;
    auto cols = h.AddTextColumns({100, 80});
    h.Grid->SetOptions(goHeader | goInput);
    h.AddRows(2);
    h.Grid->SetSelectedRow(0);
    if (selected) h.Grid->MoveToPriorRow(0);
    const QImage image = h.Paint();
    // Input cells (0, 18, 100, 34) and (100, 18, 180, 34); the current column
    // keeps its colour while the line is selected, the others take the highlight.
    ExpectPixels(image, {{95, 30, kWhite}, {175, 30, selected ? kHighlight : kWhite}}, selected ? "selected" : "idle");
  }
}

TEST(GridPaint, PaintingNeverRaisesOnCellsThatDoNotConvert) {
  struct Strings : TCfStringsColumn {
    TColumnEditorClass GetEditorClass() const override { return TColumnEditorClass::ComboBox; }
  };
  GridHarness h;
  auto images = std::make_unique<TCustomImageList>(8, 8);
  auto* strings = static_cast<TCfStringsColumn*>(h.Grid->Columns().Add(std::make_unique<Strings>()));
  strings->SetImages(images.get());
  strings->SetDisplayMode(dmTextAndImage);
  h.Grid->Columns().Add<TCfNumberColumn>();
  h.Grid->AddRow(2);
  h.Grid->SetCells(0, 0, "not a number");
  h.Grid->SetCells(0, 1, "12");
  h.Grid->SetAppearanceOptions(aoHintMarks);
  EXPECT_NO_THROW(h.Paint());
}
