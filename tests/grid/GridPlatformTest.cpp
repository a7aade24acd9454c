// The grid linked with the platform layer and the control set in one
// program: the types the grid names are the platform's and the controls'
// own, and a column's font, colours and image list work with a real canvas.

#include <gtest/gtest.h>

#include <QImage>

#include <functional>
#include <memory>
#include <type_traits>

#include "controls/CfClasses.h"
#include "grid/CellText.h"
#include "grid/CfColumnClasses.h"
#include "grid/CfColumns.h"
#include "platform/Canvas.h"
#include "platform/Errors.h"
#include "platform/GraphicsObjects.h"
#include "platform/ImageList.h"
#include "settings/Errors.h"

// A second definition of any of these anywhere in the grid would make the
// grid's name a different type (or an ambiguous one) and stop the build here.
static_assert(std::is_same_v<TFont, cf::TFont>);
static_assert(std::is_same_v<TColor, cf::TColor>);
static_assert(std::is_same_v<TCustomImageList, cf::TCustomImageList>);
static_assert(std::is_same_v<TAlignment, cf::TAlignment>);
static_assert(std::is_same_v<TVerticalAlignment, cf::TVerticalAlignment>);
static_assert(std::is_same_v<TWrapKind, cf::TWrapKind>);
static_assert(std::is_same_v<TDrawingOptions, cf::TDrawingOptions>);
static_assert(std::is_same_v<TItemsDisplayMode, cf::TItemsDisplayMode>);
static_assert(std::is_same_v<EListError, cf::EListError>);
static_assert(std::is_same_v<EConvertError, cf::EConvertError>);
static_assert(std::is_same_v<decltype(std::declval<TCfCustomColumn>().Font()), const cf::TFont&>);
static_assert(std::is_same_v<decltype(std::declval<TCfCustomColumn>().Alignment()), cf::TAlignment>);

namespace {

QImage White(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(0xFFFFFFFFu);
  return img;
}

}  // namespace

TEST(GridPlatformTest, ColumnFontDrawsThroughTheCanvas) {
  TCfTextColumn column;
  TFont font;
  font.Size = 14;
  font.Style = fsBold;
  font.Color = cf::clRed;
  font.Quality = cf::TFontQuality::NonAntialiased;
  column.SetFont(font);

  QImage img = White(120, 40);
  cf::TCanvas canvas(&img);
  canvas.Font = column.Font();
  canvas.Brush.Style = cf::bsClear;
  canvas.TextOut(2, 2, "Wg");

  // Without antialiasing every pixel is the font colour or the background.
  int red = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const TColor c = cf::FromPixel(cf::ReadPixel(img, x, y));
      ASSERT_TRUE(c == cf::clRed || c == cf::clWhite) << x << "," << y;
      red += c == cf::clRed;
    }
  EXPECT_GT(red, 20);
  // Bold 14 pt is wider than the default 8 pt.
  EXPECT_GT(canvas.TextWidth("Wg"), [] {
    QImage other = White(1, 1);
    cf::TCanvas plain(&other);
    return plain.TextWidth("Wg");
  }());
}

TEST(GridPlatformTest, ColumnColoursResolveThroughThePlatformTable) {
  TCfTextColumn column;
  EXPECT_EQ(cf::ColorToRGB(column.Color()), cf::GetSysColor(5));
  EXPECT_EQ(cf::ColorToRGB(column.Header().Color()), cf::GetSysColor(15));
  EXPECT_EQ(cf::ColorToRGB(column.Footer().Color()), cf::GetSysColor(5));
}

TEST(GridPlatformTest, TreeIndentUsesThePlatformImageList) {
  cf::TCustomImageList images(20, 18);
  TCfTreeColumn column;
  int x = 3;
  column.AdjustIndent(2, x);
  EXPECT_EQ(x, 2 * 19 + 3 + 16);
  column.SetImages(&images);
  x = 3;
  column.AdjustIndent(2, x);
  EXPECT_EQ(x, 2 * 19 + 3 + 16 + 20);
}

TEST(GridPlatformTest, OneConversionErrorForCellsAndSettings) {
  // Caught as the settings model names it: the same class.
  EXPECT_THROW(celltext::TextToInt("12a"), EConvertError);
  EXPECT_THROW(celltext::TextToFloat("1,5x"), cf::EConvertError);
}

// ---- width wanted for a text -----------------------------------------------

namespace {

struct WidthCase {
  const char* name;
  std::function<std::unique_ptr<TCfCustomColumn>()> make;
  int extra;     // added to the measured width
  int minimum;   // result when the text is narrower than 2 pixels (-1: none)
};

template <class T>
std::function<std::unique_ptr<TCfCustomColumn>()> Make() {
  return [] { return std::make_unique<T>(); };
}

}  // namespace

TEST(GridPlatformTest, TextWidthOfEveryColumnClass) {
  // Text-based columns: the shared measure + 5, whatever the width; the
  // others: the canvas width + 6, but 8 for a text under 2 pixels.
  const WidthCase cases[] = {
      {"text", Make<TCfTextColumn>(), 5, -1},
      {"combo box", Make<TCfComboBoxColumn>(), 5, -1},
      {"number", Make<TCfNumberColumn>(), 6, 8},
      {"check box", Make<TCfCheckBoxColumn>(), 6, 8},
      {"image", Make<TCfImageColumn>(), 6, 8},
      {"tree", Make<TCfTreeColumn>(), 6, 8},
  };
  QImage img = White(1, 1);
  cf::TCanvas canvas(&img);
  const int services = canvas.TextWidth("Services");
  ASSERT_GE(services, 2);
  for (const WidthCase& c : cases) {
    auto column = c.make();
    EXPECT_EQ(column->GetTextWidth(canvas, "Services"), services + c.extra) << c.name;
    // Nothing to measure: the empty text and a zero-width space.
    for (const char* empty : {"", "\u200B"}) {
      ASSERT_EQ(canvas.TextWidth(empty), 0);
      EXPECT_EQ(column->GetTextWidth(canvas, empty), c.minimum < 0 ? c.extra : c.minimum) << c.name;
    }
  }
}

TEST(GridPlatformTest, TextWidthUsesTheCanvasFont) {
  // The grid selects the column's font (with a cell's style) before asking.
  TCfNumberColumn column;
  TFont big = column.Font();
  big.Size = 16;
  big.Style = fsBold;
  column.SetFont(big);

  QImage img = White(1, 1);
  cf::TCanvas canvas(&img);
  const int small = column.GetTextWidth(canvas, "12345");
  canvas.Font = column.Font();
  const int large = column.GetTextWidth(canvas, "12345");
  EXPECT_EQ(large, canvas.TextWidth("12345") + 6);
  EXPECT_GT(large, small);
}
