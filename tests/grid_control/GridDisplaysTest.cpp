// Cell painters and plays, header content, glyphs, column parts, drag box
// and auto sizing.

#include <QImage>

#include "GridControlFixture.h"
#include "platform/Bitmap.h"
#include "platform/ImageList.h"

using namespace cf;

namespace {
// Bounding box of the pixels darker than mid grey.
TRect DarkBox(const QImage& image) {
  TRect box(100000, 100000, -1, -1);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (GetRValue(PixelAt(image, x, y)) < 128) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box;
}

int CountColor(const QImage& image, TColor color) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (PixelAt(image, x, y) == color) ++n;
  return n;
}

// A white surface with a display drawing one cell into it.
struct DisplayBench {
  QImage Image{200, 80, QImage::Format_RGB32};
  TCanvas Canvas{&Image};
  DisplayBench() { Image.fill(0xFFFFFFFF); }
  void Draw(TColumnDisplay& display, const TRect& cell) {
    Image.fill(0xFFFFFFFF);
    display.Canvas = &Canvas;
    display.CellRect = cell;
    Canvas.Font = TFont();
    Canvas.Brush.Style = bsClear;
    display.Draw();
  }
};

std::unique_ptr<TCustomImageList> RedImages(int count) {
  auto images = std::make_unique<TCustomImageList>(8, 8);
  for (int i = 0; i < count; ++i) {
    TBitmap b(8, 8);
    b.Canvas().FillRect(TRect(0, 0, 8, 8), RGB(255, 0, 0));
    images->Add(b);
  }
  return images;
}
}  // namespace

TEST(GridDisplays, TextFollowsAlignments) {
  struct Case {
    TAlignment horizontal;
    TVerticalAlignment vertical;
  };
  const TRect cell(20, 10, 180, 70);
  for (const Case& c : {Case{taLeftJustify, taAlignTop}, Case{taRightJustify, taAlignBottom},
                        Case{taCenter, taVerticalCenter}}) {
    TCfTextColumn column;
    column.SetAlignment(c.horizontal);
    column.SetVerticalAlignment(c.vertical);
    TTextColumnDisplay display(&column);
    display.Text = "Hotbird";
    DisplayBench bench;
    bench.Draw(display, cell);
    const TRect box = DarkBox(bench.Image);
    SCOPED_TRACE(testing::Message() << int(c.horizontal) << " " << int(c.vertical));
    ASSERT_GT(box.Right, box.Left);
    if (c.horizontal == taLeftJustify) { EXPECT_LE(box.Left - cell.Left, 2); }
    if (c.horizontal == taRightJustify) { EXPECT_LE(cell.Right - box.Right, 2); }
    if (c.horizontal == taCenter) { EXPECT_NEAR(box.Left - cell.Left, cell.Right - box.Right, 3); }
    if (c.vertical == taAlignTop) { EXPECT_LE(box.Top - cell.Top, 4); }
    if (c.vertical == taAlignBottom) { EXPECT_LE(cell.Bottom - box.Bottom, 5); }
    if (c.vertical == taVerticalCenter) { EXPECT_NEAR(box.Top - cell.Top, cell.Bottom - box.Bottom, 4); }
  }
}

TEST(GridDisplays, WrappedTextIsCentredAsABlock) {
  TCfTextColumn column;
  column.SetWrapKind(wkWordWrap);
  column.SetVerticalAlignment(taVerticalCenter);
  TTextColumnDisplay display(&column);
  display.Text = "Das Erste HD Sachsen Anhalt";
  DisplayBench bench;
  const TRect cell(10, 0, 80, 80);
  bench.Draw(display, cell);
  const TRect box = DarkBox(bench.Image);
  // Several lines, and as much room above the block as below it.
  EXPECT_GT(box.Height(), 20);
  EXPECT_NEAR(box.Top - cell.Top, cell.Bottom - box.Bottom, 4);
  EXPECT_LE(box.Right, cell.Right);
  // Without wrapping the same text stays on one line.
  column.SetWrapKind(wkEllipsis);
  bench.Draw(display, cell);
  EXPECT_LT(DarkBox(bench.Image).Height(), 14);
  EXPECT_LE(DarkBox(bench.Image).Right, cell.Right);
}

TEST(GridDisplays, StringsImagesOnlyForIndexesTheListHolds) {
  auto images = RedImages(2);
  struct Case {
    const char* name;
    bool combo;
    int value;
    const char* text;
    bool red;
  };
  const Case cases[] = {
      {"strings index 1", false, 1, "", true},        {"strings index 2 of 2", false, 2, "", false},
      {"strings index -1", false, -1, "", false},     {"combo text found", true, 0, "B", true},
      {"combo text missing", true, 0, "Z", false},
  };
  for (const Case& c : cases) {
    TCfComboBoxColumn combo;
    combo.SetItems({"A", "B"});
    TCfComboBoxColumn* column = &combo;
    column->SetImages(images.get());
    column->SetDisplayMode(dmImageOnly);
    TStringsColumnDisplay display(column);
    DisplayBench bench;
    display.StrValue = c.text;
    display.IntValue = c.value;
    if (!c.combo) {
      // A strings cell takes its number as the index; the combo the text.
      struct Plain : TCfStringsColumn {
        TColumnEditorClass GetEditorClass() const override { return TColumnEditorClass::ComboBox; }
      };
      Plain plain;
      plain.SetImages(images.get());
      plain.SetDisplayMode(dmImageOnly);
      TStringsColumnDisplay d(&plain);
      d.IntValue = c.value;
      bench.Draw(d, TRect(10, 10, 100, 26));
    } else {
      bench.Draw(display, TRect(10, 10, 100, 26));
    }
    EXPECT_EQ(CountColor(bench.Image, RGB(255, 0, 0)) > 0, c.red) << c.name;
  }
}

TEST(GridDisplays, StringsWithoutImagesDrawAndMeasureTextOnly) {
  TCfComboBoxColumn column;
  column.SetDisplayMode(dmTextAndImage);
  TStringsColumnDisplay display(&column);
  display.Text = "Astra";
  display.StrValue = "Astra";
  DisplayBench bench;
  bench.Draw(display, TRect(10, 10, 150, 26));
  EXPECT_LE(DarkBox(bench.Image).Left, 12);  // no room kept for an image
  const int textOnly = display.MeasureWidth();
  column.SetDisplayMode(dmTextOnly);
  EXPECT_EQ(display.MeasureWidth(), textOnly);
  column.SetDisplayMode(dmImageOnly);
  EXPECT_EQ(display.MeasureWidth(), 0);
  auto images = RedImages(1);
  column.SetImages(images.get());
  column.SetDisplayMode(dmTextAndImage);
  EXPECT_EQ(display.MeasureWidth(), textOnly + 8 + 4);
}

TEST(GridDisplays, TreeButtonAndCellMarkPlaces) {
  EXPECT_EQ(TTreeColumnDisplay::ButtonRect(TRect(10, 20, 200, 36), 0), TRect(12, 23, 21, 32));
  EXPECT_EQ(TTreeColumnDisplay::ButtonRect(TRect(10, 20, 200, 36), 2), TRect(50, 23, 59, 32));
  TCfTreeColumn column;
  TTreeColumnDisplay display(&column);
  display.Tree.HasChildren = true;
  display.Tree.Expanded = false;
  DisplayBench bench;
  bench.Draw(display, TRect(10, 20, 200, 36));
  // The square's frame in the shadow colour, a plus inside.
  EXPECT_EQ(PixelAt(bench.Image, 12, 27), RGB(160, 160, 160));
  EXPECT_EQ(PixelAt(bench.Image, 16, 27), RGB(0, 0, 0));
  EXPECT_EQ(PixelAt(bench.Image, 16, 25), RGB(0, 0, 0));
}

TEST(GridPlays, CheckBoxFlipsOnSpaceOrAClickOnTheBox) {
  TCfCheckBoxColumn column;
  int columnChanges = 0;
  column.OnChange = [&](TCfCustomColumn*) { ++columnChanges; };
  TCheckBoxPlay play(&column);
  std::vector<bool> values;
  play.OnValueChanged = [&](TColumnPlay*, bool v) { values.push_back(v); };
  play.CellRect = TRect(0, 0, 40, 17);
  // The 11 x 11 box at (0, 3); a click counts up to one pixel outside it.
  EXPECT_TRUE(play.Click(TPoint(5, 8)));
  EXPECT_EQ(play.StrValue, "True");
  EXPECT_TRUE(play.Click(TPoint(11, 14)));
  EXPECT_FALSE(play.Click(TPoint(13, 8)));
  EXPECT_FALSE(play.KeyPress(U'x'));
  EXPECT_TRUE(play.KeyPress(U' '));
  EXPECT_EQ(values, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(columnChanges, 3);
}

TEST(GridPlays, TreeTogglesOnItsButtonUnlessLocked) {
  TCfTreeColumn column;
  TTreePlay play(&column);
  int toggles = 0;
  play.OnToggled = [&](TColumnPlay*) { ++toggles; };
  play.CellRect = TRect(0, 0, 100, 16);
  play.Tree.Level = 1;
  EXPECT_TRUE(play.Click(TPoint(25, 7)));   // (21, 3, 30, 12)
  EXPECT_FALSE(play.Click(TPoint(5, 7)));
  EXPECT_TRUE(play.KeyPress(U'-'));          // expanded: "-" collapses
  EXPECT_FALSE(play.KeyPress(U'+'));
  column.SetExpandLock(true);
  EXPECT_FALSE(play.Click(TPoint(25, 7)));
  EXPECT_EQ(toggles, 2);
}

TEST(GridPlays, CheckBoxClickWritesTheCellUnlessRefused) {
  GridHarness h;
  h.Grid->Columns().Add<TCfCheckBoxColumn>()->SetWidth(40);
  h.Grid->AddRow(1);
  std::vector<std::string> edits;
  h.Grid->OnAfterEdit = [&](QObject*, int, int, const std::string& v) { edits.push_back(v); };
  const TRect cell = h.Grid->CellRect(0, 0);
  ASSERT_TRUE(h.Grid->PreparePlay(0, 0, cell));
  const TRect box = TCheckBoxColumnDisplay::BoxRect(*h.Grid->Columns().Item(0), cell, false);
  EXPECT_TRUE(h.Grid->ColumnPlay(h.Grid->Columns().Item(0))->Click(TPoint(box.Left + 3, box.Top + 3)));
  EXPECT_TRUE(h.Grid->Cell(0, 0).AsBoolean());
  h.Grid->OnEditAccept = [](QObject*, int, int, const std::string&, bool& accept) { accept = false; };
  ASSERT_TRUE(h.Grid->PreparePlay(0, 0, cell));
  h.Grid->ColumnPlay(h.Grid->Columns().Item(0))->KeyPress(U' ');
  EXPECT_TRUE(h.Grid->Cell(0, 0).AsBoolean());
  EXPECT_EQ(edits, (std::vector<std::string>{"True"}));
  h.Grid->OnBeforeEdit = [](QObject*, int, int, bool& accept) { accept = false; };
  EXPECT_FALSE(h.Grid->PreparePlay(0, 0, cell));
}

// ---- glyphs and parts -------------------------------------------------------------------

TEST(GridParts, GlyphIsCopiedWithItsBottomLeftColourTransparent) {
  TCfTextColumn column;
  int changes = 0;
  column.Header().OnChange = [&] { ++changes; };
  TBitmap glyph(4, 3);
  glyph.Canvas().FillRect(TRect(0, 0, 4, 3), RGB(10, 20, 30));
  glyph.Canvas().SetPixel(0, 2, RGB(0, 0, 255));
  column.Header().SetGlyph(glyph);
  glyph.Canvas().SetPixel(1, 1, RGB(1, 1, 1));
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(column.Header().Glyph().Transparent);
  EXPECT_EQ(column.Header().Glyph().TransparentColor(), RGB(0, 0, 255));
  TBitmap copy = column.Header().Glyph();
  EXPECT_EQ(copy.Canvas().GetPixel(1, 1), RGB(10, 20, 30));
  // An empty glyph has no row to read.
  column.Header().SetGlyph(TBitmap());
  EXPECT_TRUE(column.Header().Glyph().Empty());
  EXPECT_EQ(changes, 2);
}

TEST(GridParts, AssignCopiesThePartsByKind) {
  TCfTextColumn source, target;
  source.Header().SetCaption("Name");
  source.Header().SetAlignment(taCenter);
  source.Header().SetMultiLine(true);
  source.Header().SetHint("hint");
  TBitmap glyph(2, 2);
  source.Header().SetGlyph(glyph);
  source.Footer().SetCaption("footer caption");
  source.Footer().SetColor(RGB(1, 2, 3));
  source.Footer().SetFormulaKind(fkSum);
  source.Footer().SetTextBefore("<");
  target.Header().Assign(source.Header());
  target.Footer().Assign(source.Footer());
  EXPECT_EQ(target.Header().Caption(), "Name");
  EXPECT_EQ(target.Header().Alignment(), taCenter);
  EXPECT_TRUE(target.Header().MultiLine());
  EXPECT_EQ(target.Header().Hint(), "hint");
  EXPECT_EQ(target.Header().Glyph().Width(), 2);
  EXPECT_EQ(target.Footer().FormulaKind(), fkSum);
  EXPECT_EQ(target.Footer().TextBefore(), "<");
  // A footer keeps its own caption and colour.
  EXPECT_EQ(target.Footer().Caption(), "");
  EXPECT_EQ(target.Footer().Color(), clWindow);
}

TEST(GridParts, SettersRepaintTheirArea) {
  GridHarness h;
  auto cols = h.AddTextColumns({100, 80});
  h.Grid->SetOptions(goHeader | goFooter);
  h.AddRows(3);
  h.Grid->Render();
  std::vector<TRect> painted;
  h.Grid->OnPostDraw = [&](QObject*) { painted.push_back(h.Grid->PaintCanvas().ClipRect()); };
  struct Case {
    const char* name;
    std::function<void()> act;
    TRect area;
  };
  // Column 1 spans x 100 .. 180; header 0 .. 18; footer from 200 - 18 - 4 = 178.
  const Case cases[] = {
      {"header alignment", [&] { cols[1]->Header().SetAlignment(taCenter); }, TRect(100, 0, 180, 18)},
      {"header arrow", [&] { cols[1]->Header().SetHideArrow(false); }, TRect(100, 0, 180, 18)},
      {"footer alignment", [&] { cols[1]->Footer().SetAlignment(taRightJustify); }, TRect(100, 178, 180, 200)},
      {"header colour", [&] { cols[1]->Header().SetColor(RGB(1, 2, 3)); }, TRect(100, 0, 180, 200)},
      {"footer caption", [&] { cols[1]->Footer().SetCaption("x"); }, TRect(100, 0, 180, 200)},
  };
  for (const Case& c : cases) {
    painted.clear();
    c.act();
    ASSERT_FALSE(painted.empty()) << c.name;
    for (const TRect& r : painted) EXPECT_EQ(r, c.area) << c.name;
  }
}

TEST(GridHeader, CaptionAndGlyphPlaces) {
  struct Case {
    TAlignment alignment;
    bool glyph;
    int blueLeft;  // where the 6 x 6 glyph starts, -1 without
  };
  // Column 0 header (0, 0, 100, 18), image only (caption width 0); glyph 6 x 6
  // centred vertically at y 6: left at 3, right at 100 - 6 - 0 - 2 = 92,
  // centred at (100 - 6) / 2 = 47.
  for (const Case& c : {Case{taLeftJustify, true, 3}, Case{taRightJustify, true, 92}, Case{taCenter, true, 47}}) {
    GridHarness h;
    auto cols = h.AddTextColumns({100, 80});
    TBitmap glyph(6, 6);
    glyph.Canvas().FillRect(TRect(0, 0, 6, 6), RGB(0, 0, 255));
    glyph.Canvas().SetPixel(0, 5, RGB(0, 255, 0));  // the transparent colour
    cols[0]->Header().SetGlyph(glyph);
    cols[0]->Header().SetDisplayMode(dmImageOnly);
    cols[0]->Header().SetAlignment(c.alignment);
    const QImage image = h.Paint();
    int first = -1;
    for (int x = 0; x < 100 && first < 0; ++x)
      if (PixelAt(image, x, 8) == RGB(0, 0, 255)) first = x;
    EXPECT_EQ(first, c.blueLeft) << int(c.alignment);
    EXPECT_EQ(PixelAt(image, c.blueLeft, 11), RGB(240, 240, 240)) << "transparent corner";
  }
}

TEST(GridHeader, HiddenArrowWhenItDoesNotFit) {
  for (bool hide : {true, false}) {
    GridHarness h;
    auto cols = h.AddTextColumns({30, 80});
    cols[0]->SetSorted(true);
    cols[0]->Header().SetHideArrow(hide);
    h.Grid->SetOptions(goHeader);
    h.Paint();
    // Arrow at 0 + 2 + 2 + 19 = 23, 8 wide: it would end past 30.
    QImage image = h.Paint();
    const bool drawn = PixelAt(image, 28, 11) == RGB(160, 160, 160);
    EXPECT_EQ(drawn, !hide);
  }
}

// ---- drag box ---------------------------------------------------------------------------------

TEST(GridDragBox, FollowsTheMouseAndDropsOnLeftReleaseOnly) {
  TCfGrid grid;
  auto* column = grid.Columns().Add<TCfTextColumn>();
  TColumnDragBox& box = grid.DragBox();
  box.SetBounds(100, 50, 80, 18);
  std::vector<TPoint> moves, drops;
  box.OnDragMove = [&](QObject*, int x, int y) { moves.push_back({x, y}); };
  box.OnDragDrop = [&](QObject*, int x, int y) { drops.push_back({x, y}); };
  box.StartDrag(130, 60, false, column);
  EXPECT_TRUE(box.isVisible());
  EXPECT_TRUE(box.MouseCapture());
  EXPECT_EQ(box.Column(), column);
  EXPECT_EQ(box.GrabPoint(), TPoint(30, 10));
  box.MouseMove(ssLeft, 40, 12);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0], TPoint(140, 62));
  // Centred on the pointer, its bottom 4 pixels below it.
  EXPECT_EQ(box.Left(), 140 - 40);
  EXPECT_EQ(box.Top(), 62 - 18 + 4);
  box.MouseUp(mbRight, 0, 40, 14);
  EXPECT_TRUE(box.isVisible());
  EXPECT_TRUE(drops.empty());
  box.MouseUp(mbLeft, 0, 40, 14);
  EXPECT_FALSE(box.isVisible());
  ASSERT_EQ(drops.size(), 1u);
  EXPECT_EQ(drops[0], TPoint(140, 62));
}

TEST(GridDragBox, PaintsTheHeaderWithABlackEdge) {
  TCfGrid grid;
  auto* column = grid.Columns().Add<TCfTextColumn>();
  TColumnDragBox& box = grid.DragBox();
  box.SetBounds(0, 0, 60, 18);
  box.StartDrag(10, 5, true, column);
  QImage image(60, 18, QImage::Format_RGB32);
  TCanvas canvas(&image);
  box.Paint(canvas);
  EXPECT_EQ(PixelAt(image, 30, 17), RGB(0, 0, 0));
  EXPECT_EQ(PixelAt(image, 59, 5), RGB(0, 0, 0));
  EXPECT_EQ(PixelAt(image, 30, 8), RGB(240, 240, 240));
  EXPECT_EQ(PixelAt(image, 30, 0), RGB(255, 255, 255));
  box.MouseUp(mbLeft, 0, 1, 1);
}

// ---- auto size ----------------------------------------------------------------------------------

TEST(GridAutoSize, ColumnWidthFitsTheWidestText) {
  GridHarness h;
  auto cols = h.AddTextColumns({40});
  cols[0]->Header().SetCaption("Name");
  cols[0]->SetPadding(3);
  h.Grid->AddRow(3);
  h.Grid->SetCells(0, 0, "ZDF");
  h.Grid->SetCells(0, 1, "Bayerisches Fernsehen Nord");
  h.Grid->SetCells(0, 2, "arte");
  TCanvas& canvas = h.Grid->Canvas();
  canvas.Font = cols[0]->Font();
  const int widest = canvas.TextWidth("Bayerisches Fernsehen Nord");
  h.Grid->AutoSizeColumn(0);
  EXPECT_NEAR(cols[0]->Width(), 2 * 3 + widest + 5, 1);
  // Only the shown rows when asked.
  h.Grid->SetRowVisible(1, false);
  h.Grid->AutoSizeColumn(0, false, true);
  EXPECT_LT(cols[0]->Width(), 2 * 3 + widest + 5 - 20);
}

TEST(GridAutoSize, RowHeightFitsWrappedText) {
  GridHarness h;
  auto cols = h.AddTextColumns({60});
  cols[0]->SetWrapKind(wkWordWrap);
  h.Grid->AddRow(2);
  h.Grid->SetCells(0, 0, "Das Erste HD Sachsen Anhalt");
  h.Grid->SetCells(0, 1, "x");
  std::vector<std::pair<int, int>> heights;
  h.Grid->OnChangeRowHeight = [&](QObject*, int i, int ht) { heights.push_back({i, ht}); };
  h.Grid->AutoHeightRow(0);
  h.Grid->AutoHeightRow(1);
  EXPECT_GT(h.Grid->RowHeight(0), 2 * 12);
  EXPECT_EQ(h.Grid->RowHeight(1), 16);  // never below RowSize
  ASSERT_EQ(heights.size(), 2u);
  EXPECT_EQ(heights[0].first, 0);
}

TEST(GridHeader, MultiLineAndVerticalCaptionsAndThePressedColumn) {
  auto headerBox = [](const QImage& image) {
    return DarkBox(image.copy(0, 1, 79, 58));  // column 0's header inside its relief
  };
  GridHarness h;
  auto cols = h.AddTextColumns({80, 80});
  h.Grid->SetHeaderSize(60);
  cols[0]->Header().SetCaption("Service name and provider");
  const TRect single = headerBox(h.Paint());
  cols[0]->Header().SetMultiLine(true);
  const TRect multi = headerBox(h.Paint());
  EXPECT_LT(single.Height(), 14);
  EXPECT_GT(multi.Height(), 16);  // the caption wraps onto a second line
  cols[0]->Header().SetMultiLine(false);
  cols[0]->Header().SetCaption("SID");
  cols[0]->Header().SetOrientation(hoVertical);
  const TRect vertical = headerBox(h.Paint());
  EXPECT_GT(vertical.Height(), vertical.Width());  // the text runs upwards
  // The default painter inverts the pressed column's header (less its right line).
  h.Grid->CurrentDisplay()->PressedColumn = cols[1];
  const QImage pressed = h.Paint();
  EXPECT_EQ(PixelAt(pressed, 150, 30), RGB(15, 15, 15));
  EXPECT_EQ(PixelAt(pressed, 158, 30), RGB(15, 15, 15));
  EXPECT_EQ(PixelAt(pressed, 159, 30), RGB(160, 160, 160));  // the right line stays
  EXPECT_EQ(PixelAt(pressed, 50, 30), RGB(240, 240, 240));
}
