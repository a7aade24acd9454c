// The six header styles besides the default, pixel by pixel: client
// 400 x 200, no border, themes off; three columns 100, 80 and 60 wide from
// x 12 (first 12..112, middle 112..192, last 192..252), header 18 high.
// Colours of our fixed system table: window white, button face 240, shadow
// 160; the default colour scheme's palette SC(2) = 0xCF9365,
// SC(6) = white, SC(7) = SC(11) = 0xFFD2AF, SC(10) = 0xFFC69A.

#include "GridControlFixture.h"
#include "controls/CfSharedDraw.h"
#include "controls/CfThemesSupport.h"
#include "grid/CfHeaderStyles.h"

using namespace cf;

namespace {
constexpr TColor kWhite = RGB(255, 255, 255);
constexpr TColor kFace = RGB(240, 240, 240);
constexpr TColor kShadow = RGB(160, 160, 160);
constexpr TColor kSC2 = RGB(101, 147, 207);
constexpr TColor kSC10 = RGB(154, 198, 255);
constexpr TColor kSC11 = RGB(175, 210, 255);
constexpr TColor kLight = RGB(240, 240, 240);  // 0xF0F0F0
// BlendColor(clBtnShadow, clBtnFace, w) >> 8 per channel: w 50, 100, 150.
constexpr TColor kBand1 = RGB(223, 223, 223), kBand2 = RGB(207, 207, 207), kBand3 = RGB(192, 192, 192);

struct StyleGrid : GridHarness {
  std::vector<TCfCustomColumn*> Cols;
  explicit StyleGrid(THeaderStyle style, std::vector<int> widths = {100, 80, 60}) {
    Cols = AddTextColumns(widths);
    Grid->SetOptions(goHeader | goIndicator);
    Grid->SetHeaderStyle(style);
    for (int i = 0; i < 3; ++i) Grid->AddRow();
    Grid->SelectCell(1, 2);  // the current-row mark away from rows 0 and 1
  }
  TStyleDisplay& Display() { return *Grid->StyleDisplay(Grid->HeaderStyle()); }
};

struct Px {
  int x, y;
  TColor color;
};

void ExpectPixels(const QImage& image, const std::vector<Px>& pixels, const std::string& what) {
  for (const Px& p : pixels)
    EXPECT_EQ(PixelAt(image, p.x, p.y), p.color) << what << " at (" << p.x << ", " << p.y << ")";
}

}  // namespace

TEST(HeaderStyles, PainterClassesAndOptions) {
  struct Case {
    THeaderStyle style;
    int options;
    TRect adjusted;  // of (10, 0, 100, 18)
  } cases[] = {
      {hsFlatBorders, 0, {10, 0, 100, 18}},
      {hsOffice2007, 0, {12, 0, 100, 18}},
      {hsOffice2010, 0, {12, 0, 100, 18}},
      {hsOldStyle, TStyleDisplay::soInvertPressed, {10, 0, 100, 18}},
      {hsOutlook, TStyleDisplay::soInvertPressed, {10, 0, 100, 15}},
      {hsVista, TStyleDisplay::soOwnSortMark, {12, 0, 100, 18}},
  };
  GridHarness h;
  for (const Case& c : cases) {
    TStyleDisplay* d = h.Grid->StyleDisplay(c.style);
    EXPECT_EQ(d->GetStyleOptions(), c.options) << int(c.style);
    TRect r(10, 0, 100, 18);
    d->AdjustCaptionRect(r);
    EXPECT_EQ(r, c.adjusted) << int(c.style);
  }
  EXPECT_NE(dynamic_cast<TFlatStyleDisplay*>(h.Grid->StyleDisplay(hsFlatBorders)), nullptr);
  EXPECT_NE(dynamic_cast<TOffice2007StyleDisplay*>(h.Grid->StyleDisplay(hsOffice2007)), nullptr);
  EXPECT_NE(dynamic_cast<TOffice2010StyleDisplay*>(h.Grid->StyleDisplay(hsOffice2010)), nullptr);
  EXPECT_NE(dynamic_cast<TOldStyleDisplay*>(h.Grid->StyleDisplay(hsOldStyle)), nullptr);
  EXPECT_NE(dynamic_cast<TOutlookStyleDisplay*>(h.Grid->StyleDisplay(hsOutlook)), nullptr);
  EXPECT_NE(dynamic_cast<TVistaStyleDisplay*>(h.Grid->StyleDisplay(hsVista)), nullptr);
}

TEST(HeaderStyles, SchemePaletteAsTheTablesUseIt) {
  EXPECT_EQ(SchemeColor(2, csDefault), TColor(0xCF9365));
  EXPECT_EQ(SchemeColor(6, csDefault), TColor(0xFFFFFF));
  EXPECT_EQ(SchemeColor(7, csDefault), TColor(0xFFD2AF));
  EXPECT_EQ(SchemeColor(10, csDefault), TColor(0xFFC69A));
  EXPECT_EQ(SchemeColor(11, csDefault), TColor(0xFFD2AF));
}

// First, middle and last column of each style.
TEST(HeaderStyles, HeaderCellsFirstMiddleAndLast) {
  // Office gradient, white to SC(11) over 18 rows: row 16 is
  // (255 - 80 * 16 / 18, 255 - 45 * 16 / 18, 255) = (184, 215, 255).
  const TColor officeRow16 = RGB(184, 215, 255);
  const std::vector<Px> office = {
      {50, 0, kWhite}, {50, 16, officeRow16}, {50, 17, kSC2},  // gradient, bottom line
      {111, 0, kWhite}, {111, 2, kSC10}, {111, 14, kSC10}, {111, 16, officeRow16},  // short separator
      {191, 8, kSC10}, {191, 0, kWhite}, {191, 16, officeRow16},
      {251, 0, kSC2}, {251, 8, kSC2}, {251, 16, kSC2}, {200, 17, kSC2},  // full line after the last
      {252, 8, kWhite}};
  struct Case {
    THeaderStyle style;
    std::vector<Px> pixels;
  } cases[] = {
      {hsFlatBorders,
       {{50, 8, kFace}, {111, 0, Sys(clGrayText)}, {111, 16, Sys(clGrayText)}, {12, 17, Sys(clGrayText)},
        {110, 17, Sys(clGrayText)}, {12, 8, kFace}, {191, 8, Sys(clGrayText)}, {251, 8, Sys(clGrayText)}}},
      {hsOffice2007, office},
      {hsOffice2010, office},
      // Raised: light top and left, the window frame colour on the right and
      // bottom and in both far corners.
      {hsOldStyle,
       {{12, 8, kWhite}, {50, 0, kWhite}, {111, 8, Sys(clWindowFrame)}, {50, 17, Sys(clWindowFrame)},
        {111, 0, Sys(clWindowFrame)}, {12, 17, Sys(clWindowFrame)}, {50, 8, kFace}, {112, 8, kWhite},
        {191, 8, Sys(clWindowFrame)}, {251, 8, Sys(clWindowFrame)}}},
      // Shaded: a face cell over three darkening lines; the first column's
      // light line runs from the top, the last column's dark line down to the bottom.
      {hsOutlook,
       {{50, 8, kFace}, {50, 15, kBand1}, {50, 16, kBand2}, {50, 17, kBand3},
        {12, 0, kWhite}, {12, 14, kWhite}, {111, 1, kFace}, {111, 2, kShadow}, {111, 13, kShadow}, {111, 14, kFace},
        {112, 1, kFace}, {112, 2, kWhite}, {112, 13, kWhite}, {112, 14, kFace},
        {251, 0, kShadow}, {251, 14, kShadow}, {251, 16, kBand2}, {192, 2, kWhite}}},
      {hsVista,
       {{12, 8, kWhite}, {111, 8, kFace}, {50, 8, kLight}, {50, 0, kLight}, {112, 8, kWhite}, {191, 8, kFace},
        {192, 8, kWhite}, {251, 8, kFace}}},
  };
  for (const Case& c : cases) {
    StyleGrid g(c.style);
    ExpectPixels(g.Paint(), c.pixels, "style " + std::to_string(int(c.style)));
  }
}

TEST(HeaderStyles, OfficeLooksAgreeWithTheDefaultSchemeExceptTheArrow) {
  StyleGrid a(hsOffice2007), b(hsOffice2010);
  const QImage ia = a.Paint(), ib = b.Paint();
  for (int y = 0; y < 18; ++y)
    for (int x = 0; x < 400; ++x) ASSERT_EQ(PixelAt(ia, x, y), PixelAt(ib, x, y)) << x << "," << y;
}

TEST(HeaderStyles, LoneColumnGetsFullSeparators) {
  struct Case {
    THeaderStyle style;
    std::vector<Px> pixels;
  } cases[] = {
      {hsOffice2007, {{111, 0, kSC2}, {111, 16, kSC2}}},
      {hsOutlook, {{12, 0, kWhite}, {12, 14, kWhite}, {111, 0, kShadow}, {111, 14, kShadow}}},
  };
  for (const Case& c : cases) {
    StyleGrid g(c.style, {100});
    ExpectPixels(g.Paint(), c.pixels, "lone column, style " + std::to_string(int(c.style)));
  }
}

TEST(HeaderStyles, PressedColumnLooks) {
  // Office: the gradient upside down (row 0 SC(11), row 16 246, 250, 255).
  // Old style and Outlook: inverted over (112, 0, 191, 18). Flat and Vista: no pressed look.
  struct Case {
    THeaderStyle style;
    std::vector<Px> pixels;
  } cases[] = {
      {hsOffice2007, {{150, 0, kSC11}, {150, 16, RGB(246, 250, 255)}}},
      {hsOffice2010, {{150, 0, kSC11}, {150, 16, RGB(246, 250, 255)}}},
      {hsOldStyle, {{150, 8, RGB(15, 15, 15)}, {112, 8, RGB(0, 0, 0)}, {191, 8, Sys(clWindowFrame)}}},
      {hsOutlook, {{150, 8, RGB(15, 15, 15)}, {150, 17, RGB(63, 63, 63)}, {191, 5, kShadow}}},
      {hsFlatBorders, {{150, 8, kFace}}},
      {hsVista, {{150, 8, kLight}}},
  };
  for (const Case& c : cases) {
    StyleGrid g(c.style);
    g.Display().PressedColumn = g.Cols[1];
    ExpectPixels(g.Paint(), c.pixels, "pressed, style " + std::to_string(int(c.style)));
  }
}

TEST(HeaderStyles, PressingAHeaderShowsUntilRelease) {
  // Pressed at (150, 8), the middle column; released, the column is sorted
  // (its arrow lies at 135..145, clear of the probe).
  struct Case {
    THeaderStyle style;
    TColor pressed, released;
  } cases[] = {
      {hsOldStyle, RGB(15, 15, 15), kFace},
      {hsOutlook, RGB(15, 15, 15), kFace},
      {hsOffice2007, kSC11, kWhite},  // the gradient's top row, upside down while pressed
      {hsFlatBorders, kFace, kFace},
      {hsVista, kLight, kWhite},  // no pressed look; white once sorted
  };
  for (const Case& c : cases) {
    StyleGrid g(c.style);
    const int y = c.style == hsOffice2007 ? 0 : 8;
    g.Grid->MouseDown(mbLeft, ssLeft, 150, 8);
    EXPECT_EQ(PixelAt(g.Paint(), 150, y), c.pressed) << int(c.style);
    g.Grid->MouseUp(mbLeft, 0, 150, 8);
    EXPECT_EQ(PixelAt(g.Paint(), 150, y), c.released) << int(c.style);
  }
}

TEST(HeaderStyles, PressedLoneColumnInvertsFromAboveAndLeft) {
  StyleGrid g(hsOldStyle, {100});
  g.Display().PressedColumn = g.Cols[0];
  // (11, -1, 112, 18): the indicator corner's right column is inverted too.
  ExpectPixels(g.Paint(), {{50, 8, RGB(15, 15, 15)}, {111, 8, RGB(255, 255, 255) - Sys(clWindowFrame)}}, "lone");
}

TEST(HeaderStyles, SortArrows) {
  // Column 1 sorted: caption rect from 114 (Office, Left + 2), empty caption
  // 2 wide, so the arrow's left edge is at 114 + 2 + 2 + 19 = 137, its top at 5.
  {
    StyleGrid g(hsOffice2010);
    g.Cols[1]->SetSorted(true);
    g.Cols[1]->SetSortKind(skAscending);
    // (137, 9) (141, 5) (145, 9): black outline filled 0xB5ACA5.
    ExpectPixels(g.Paint(), {{141, 5, RGB(0, 0, 0)}, {141, 8, RGB(165, 172, 181)}, {138, 8, RGB(0, 0, 0)}, {141, 9, RGB(0, 0, 0)}}, "2010 up");
  }
  {
    StyleGrid g(hsOffice2010);
    g.Cols[1]->SetSorted(true);
    g.Cols[1]->SetSortKind(skDescending);
    // (137, 5) (141, 9) (145, 5).
    ExpectPixels(g.Paint(), {{141, 6, RGB(165, 172, 181)}, {141, 5, RGB(0, 0, 0)}}, "2010 down");
  }
  {
    // Office 2007 keeps the common arrow in relief (the default's pixels two further right).
    StyleGrid g(hsOffice2007);
    g.Cols[1]->SetSorted(true);
    g.Cols[1]->SetSortKind(skAscending);
    ExpectPixels(g.Paint(), {{142, 11, kShadow}, {137, 10, kShadow}, {144, 10, kWhite}}, "2007 up");
  }
}

TEST(HeaderStyles, VistaMarksASortedColumnAtTheTop) {
  for (TSortKind kind : {skAscending, skDescending}) {
    StyleGrid g(hsVista);
    g.Cols[1]->SetSorted(true);
    g.Cols[1]->SetSortKind(kind);
    g.Cols[1]->Header().SetHideArrow(false);
    const QImage image = g.Paint();
    // Inner (113, 0, 191, 18): rows 0..5 from (175, 220, 240) towards white
    // (row 2: 175 + 80 * 2 / 6, 220 + 35 * 2 / 6, 240 + 15 * 2 / 6), then white.
    // The mark's left x is 112 + 40 - 3 = 149.
    const TColor row2 = RGB(202, 232, 245);
    std::vector<Px> px = {{120, 0, RGB(175, 220, 240)}, {120, 2, row2}, {120, 6, kWhite},
                          {150, 12, kWhite}, {112, 8, kWhite}, {191, 8, kFace}};
    if (kind == skAscending)
      px.insert(px.end(), {{152, 0, kWhite}, {152, 2, kWhite}, {150, 3, kWhite}, {148, 2, row2}});
    else
      px.insert(px.end(), {{150, 0, kWhite}, {152, 1, kWhite}, {149, 2, row2}});
    ExpectPixels(image, px, "vista");
    // No arrow beside the caption: the relief arrow's pixels stay white.
    ExpectPixels(image, {{142, 11, kWhite}, {137, 10, kWhite}}, "no arrow");
  }
}

TEST(HeaderStyles, HeaderColorIgnoredByOldStyleAndVista) {
  struct Case {
    THeaderStyle style;
    TColor expected;
  } cases[] = {{hsOldStyle, kFace}, {hsVista, kLight}, {hsFlatBorders, RGB(255, 255, 0)}, {hsOutlook, RGB(255, 255, 0)}};
  for (const Case& c : cases) {
    StyleGrid g(c.style);
    g.Cols[0]->Header().SetColor(clYellow);
    EXPECT_EQ(PixelAt(g.Paint(), 50, 8), c.expected) << int(c.style);
  }
}

TEST(HeaderStyles, IndicatorCornerAndRowCells) {
  // Corner (0, 0, 12, 18); without grid lines row 0 is (0, 18, 12, 34), row 1 (0, 34, 12, 50).
  const TColor grey = Sys(clGrayText), frame = Sys(clWindowFrame);
  struct Case {
    THeaderStyle style;
    std::vector<Px> pixels;
  } cases[] = {
      {hsFlatBorders, {{5, 8, kFace}, {11, 8, grey}, {5, 17, grey}, {5, 25, kFace}, {11, 25, grey}, {5, 33, grey}}},
      // Office: gradient corner and rows, each with its right-bottom edge.
      {hsOffice2007, {{5, 0, kWhite}, {11, 8, kSC2}, {5, 17, kSC2}, {5, 18, kWhite}, {11, 25, kSC2}, {5, 33, kSC2}}},
      {hsOffice2010, {{5, 0, kWhite}, {11, 8, kSC2}, {5, 18, kWhite}, {5, 33, kSC2}}},
      {hsOldStyle, {{0, 8, kWhite}, {11, 8, frame}, {5, 8, kFace}, {0, 25, kWhite}, {11, 25, frame}, {5, 33, frame}}},
      // Outlook: a shaded corner; the classic row cells, row 0 with square
      // top corners, row 1 with its top corner pixels in the face colour.
      {hsOutlook,
       {{5, 8, kFace}, {11, 8, kShadow}, {5, 15, kBand1}, {5, 16, kBand2}, {5, 17, kBand3},
        {1, 18, kWhite}, {0, 25, kWhite}, {11, 25, kShadow}, {1, 34, kFace}, {2, 34, kWhite}, {10, 34, kFace}}},
      // Vista: the corner in the grid's colour, light row cells.
      {hsVista, {{5, 8, kWhite}, {0, 25, kWhite}, {11, 25, kFace}, {5, 25, kLight}}},
  };
  for (const Case& c : cases) {
    StyleGrid g(c.style);
    ExpectPixels(g.Paint(), c.pixels, "indicator, style " + std::to_string(int(c.style)));
  }
}

TEST(HeaderStyles, SeparatorStrips) {
  struct Case {
    THeaderStyle style;
    std::vector<Px> pixels;  // in a strip (0, 0, 40, 6)
  } cases[] = {
      {hsFlatBorders, {{0, 0, kFace}, {20, 3, kFace}, {39, 5, kFace}}},
      {hsOffice2007, {{0, 0, kSC11}, {39, 5, kSC11}}},
      {hsOffice2010, {{20, 3, kSC11}}},
      {hsOldStyle, {{0, 3, kWhite}, {20, 0, kWhite}, {39, 3, Sys(clWindowFrame)}, {20, 5, Sys(clWindowFrame)}, {20, 3, kFace}}},
      {hsOutlook, {{0, 3, kWhite}, {20, 0, kWhite}, {39, 3, kShadow}, {20, 5, kShadow}, {20, 3, kFace}}},
      {hsVista, {{0, 0, RGB(255, 255, 0)}, {20, 3, RGB(255, 255, 0)}}},
  };
  for (const Case& c : cases) {
    GridHarness h;
    h.Grid->Color = clYellow;
    QImage image(40, 6, QImage::Format_RGB32);
    image.fill(0xFFFF00FF);
    TCanvas canvas(&image);
    TStyleDisplay* d = h.Grid->StyleDisplay(c.style);
    d->Canvas = &canvas;
    d->DrawSeparatorStrip(TRect(0, 0, 40, 6));
    ExpectPixels(image, c.pixels, "strip, style " + std::to_string(int(c.style)));
  }
}

TEST(HeaderStyles, SwitchingAtRunTime) {
  StyleGrid g(hsAuto);
  EXPECT_EQ(PixelAt(g.Paint(), 111, 8), kShadow);
  const std::pair<THeaderStyle, TColor> steps[] = {
      {hsOffice2007, kSC10}, {hsVista, kFace}, {hsFlatBorders, Sys(clGrayText)}, {hsAuto, kShadow}};
  for (const auto& [style, colour] : steps) {
    g.Grid->SetHeaderStyle(style);
    EXPECT_EQ(PixelAt(g.Paint(), 111, 8), colour) << int(style);
  }
}

TEST(HeaderStyles, OfficeStylesFrameTheWindowInTheSchemeBorderColour) {
  for (THeaderStyle style : {hsOffice2007, hsOffice2010, hsVista}) {
    TCfGrid grid;
    grid.resize(200, 100);
    grid.SetHeaderStyle(style);
    grid.Render();
    const TColor corner = FromPixel(ReadPixel(grid.BackBuffer(), 0, 50));
    if (style == hsVista)
      EXPECT_NE(corner, kSC2);
    else
      EXPECT_EQ(corner, kSC2) << int(style);
  }
}
