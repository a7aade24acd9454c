// The grid linked with the platform layer and the control set in one
// program: the types the grid names are the platform's and the controls'
// own, and a column's font, colours and image list work with a real canvas.

#include <gtest/gtest.h>

#include <QImage>

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

