#include "transitions/RevealFx.h"

#include "transitions/RevealFxProcs.h"
#include "platform/SameText.h"

#include <cstdint>
#include <cstdlib>

// The names are shown to users and matched by the picture component as they
// stand, odd spellings and repeated names included.
const std::array<TEffect, EffectCount + 1> Effects = {
    TEffect{"Custom", nullptr},
    TEffect{"Expand from right", RevealEffect1},
    TEffect{"Expand from left", RevealEffect2},
    TEffect{"Slide in from right", RevealEffect3},
    TEffect{"Slide in from left", RevealEffect4},
    TEffect{"Reveal from left", RevealEffect5},
    TEffect{"Reveal from right", RevealEffect6},
    TEffect{"Expand in from right", RevealEffect7},
    TEffect{"Expand in from left", RevealEffect8},
    TEffect{"Expand in to middle", RevealEffect9},
    TEffect{"Expand out from middle", RevealEffect10},
    TEffect{"Reveal out from middle", RevealEffect11},
    TEffect{"Reveal in from sides", RevealEffect12},
    TEffect{"Expand in from sides", RevealEffect13},
    TEffect{"Unroll from left", RevealEffect14},
    TEffect{"Unroll from right", RevealEffect15},
    TEffect{"Build up from right", RevealEffect16},
    TEffect{"Build up from left", RevealEffect17},
    TEffect{"Expand from bottom", RevealEffect18},
    TEffect{"Expand from top", RevealEffect19},
    TEffect{"Slide in from bottom", RevealEffect20},
    TEffect{"Slide in from top", RevealEffect21},
    TEffect{"Reveal from top", RevealEffect22},
    TEffect{"Reveal from bottom", RevealEffect23},
    TEffect{"Expand in from bottom", RevealEffect24},
    TEffect{"Expand in from top", RevealEffect25},
    TEffect{"Expand in to middle (horiz)", RevealEffect26},
    TEffect{"Expand out from middle (horiz)", RevealEffect27},
    TEffect{"Reveal from middle (horiz)", RevealEffect28},
    TEffect{"Slide in from top / bottom", RevealEffect29},
    TEffect{"Expand in from top / bottom", RevealEffect30},
    TEffect{"Unroll from top", RevealEffect31},
    TEffect{"Unroll from bottom", RevealEffect32},
    TEffect{"Expand from bottom", RevealEffect33},
    TEffect{"Expand in from top", RevealEffect34},
    TEffect{"Expand from bottom right", RevealEffect35},
    TEffect{"Expand from top right", RevealEffect36},
    TEffect{"Expand from top left", RevealEffect37},
    TEffect{"Expand from bottom left", RevealEffect38},
    TEffect{"Slide in from bottom right", RevealEffect39},
    TEffect{"Slide in from top right", RevealEffect40},
    TEffect{"Slide in from top left", RevealEffect41},
    TEffect{"Slide in from bottom left", RevealEffect42},
    TEffect{"Reveal from top left", RevealEffect43},
    TEffect{"Reveal from bottom left", RevealEffect44},
    TEffect{"Reveal from bottom right", RevealEffect45},
    TEffect{"Reveal from top right", RevealEffect46},
    TEffect{"Appear and Contract to top left", RevealEffect47},
    TEffect{"Appear and Contract to bottom left", RevealEffect48},
    TEffect{"Appear and Contract to bottom right", RevealEffect49},
    TEffect{"Appear and Contract to top right", RevealEffect50},
    TEffect{"Appear and Contract to middle", RevealEffect51},
    TEffect{"Expand out from centre", RevealEffect52},
    TEffect{"Reveal out from centre", RevealEffect53},
    TEffect{"Reveal in to centre", RevealEffect54},
    TEffect{"Quarters Reveal in to middle", RevealEffect55},
    TEffect{"Quarters Expand to middle", RevealEffect56},
    TEffect{"Quarters Slide in to middle", RevealEffect57},
    TEffect{"Curved Reveal from left", RevealEffect58},
    TEffect{"Curved Reveal from right", RevealEffect59},
    TEffect{"Bars in from right", RevealEffect60},
    TEffect{"Bars in from left", RevealEffect61},
    TEffect{"Bars left then right", RevealEffect62},
    TEffect{"Bars right then left", RevealEffect63},
    TEffect{"Bars from both sides", RevealEffect64},
    TEffect{"Uneven shred from right", RevealEffect65},
    TEffect{"Uneven shred from left", RevealEffect66},
    TEffect{"Uneven shred out from middle (horiz)", RevealEffect67},
    TEffect{"Uneven shred in to middle (horiz)", RevealEffect68},
    TEffect{"Curved Reveal from top", RevealEffect69},
    TEffect{"Curved Reveal from bottom", RevealEffect70},
    TEffect{"Bars from bottom", RevealEffect71},
    TEffect{"Bars from top", RevealEffect72},
    TEffect{"Bars top then bottom", RevealEffect73},
    TEffect{"Bars bottom then top", RevealEffect74},
    TEffect{"Bars from top and bottom", RevealEffect75},
    TEffect{"Unven shred from bottom", RevealEffect76},
    TEffect{"Uneven shred from top", RevealEffect77},
    TEffect{"Uneven shred from horizon", RevealEffect78},
    TEffect{"Uneven shred in to horizon", RevealEffect79},
    TEffect{"Curved reveal from top left", RevealEffect80},
    TEffect{"Curved reveal from top right", RevealEffect81},
    TEffect{"Curved reveal from bottom left", RevealEffect82},
    TEffect{"Curved reveal from bottom right", RevealEffect83},
    TEffect{"Elliptic reveal out from centre", RevealEffect84},
    TEffect{"Elliptic reveal in to centre", RevealEffect85},
    TEffect{"Criss Cross reveal from bottom right", RevealEffect86},
    TEffect{"Criss Cross reveal from top right", RevealEffect87},
    TEffect{"Criss Cross reveal from bottom left", RevealEffect88},
    TEffect{"Criss Cross reveal from top left", RevealEffect89},
    TEffect{"Criss Cross reveal bounce from top left", RevealEffect90},
    TEffect{"Criss Cross reveal bounce from bottom left", RevealEffect91},
    TEffect{"Criss Cross reveal bounce from top right", RevealEffect92},
    TEffect{"Criss Cross reveal bounce from bottom right", RevealEffect93},
    TEffect{"Criss Cross reveal from right top and bottom", RevealEffect94},
    TEffect{"Criss Cross reveal from left top and bottom", RevealEffect95},
    TEffect{"Criss Cross reveal from left right and bottom", RevealEffect96},
    TEffect{"Criss Cross reveal from left right and top", RevealEffect97},
    TEffect{"Criss Cross reveal from top left right and bottom", RevealEffect98},
    TEffect{"Criss Cross reveal from bottom left top right", RevealEffect99},
    TEffect{"Uneven shred from bottom and right", RevealEffect100},
    TEffect{"Uneven shred from top and right", RevealEffect101},
    TEffect{"Uneven shred from bottom and left", RevealEffect102},
    TEffect{"Uneven shred from top and left", RevealEffect103},
    TEffect{"Uneven shred from horiz and right", RevealEffect104},
    TEffect{"Uneven shred from horiz and left", RevealEffect105},
    TEffect{"Uneven shred from bottom and vert middle", RevealEffect106},
    TEffect{"Uneven shred from top and vert middle", RevealEffect107},
    TEffect{"Uneven shred from centre", RevealEffect108},
    TEffect{"Uneven shred to centre", RevealEffect109},
    TEffect{"Reveal diagonal from top left", RevealEffect110},
    TEffect{"Reveal diagonal from top right", RevealEffect111},
    TEffect{"Reveal diagonal from bottom left", RevealEffect112},
    TEffect{"Reveal diagonal from bottom right", RevealEffect113},
    TEffect{"Diagonal sweep from top left bottom right anticlockwise", RevealEffect114},
    TEffect{"Diagonal sweep from top left bottom right clockwise", RevealEffect115},
    TEffect{"Starburst clockwise from center", RevealEffect116},
    TEffect{"Starburst anticlockwise from center", RevealEffect117},
    TEffect{"Triangular shred", RevealEffect118},
    TEffect{"Fade", RevealEffect119},
    TEffect{"Pivot from top left", RevealEffect120},
    TEffect{"Pivot from bottom left", RevealEffect121},
    TEffect{"Pivot from top right", RevealEffect122},
    TEffect{"Pivot from bottom right", RevealEffect123},
    TEffect{"Speckle appear from right", RevealEffect124},
    TEffect{"Speckle appear from left", RevealEffect125},
    TEffect{"Speckle appear from bottom", RevealEffect126},
    TEffect{"Speckle appear from top", RevealEffect127},
    TEffect{"Random squares appear", RevealEffect128},
    TEffect{"Push right", RevealEffect129},
    TEffect{"Push left", RevealEffect130},
    TEffect{"Push and squeeze right", RevealEffect131},
    TEffect{"Push and squeeze left", RevealEffect132},
    TEffect{"Push down", RevealEffect133},
    TEffect{"Push up", RevealEffect134},
    TEffect{"Push and sqeeze down", RevealEffect135},
    TEffect{"Push and sqeeze up", RevealEffect136},
    TEffect{"Blind vertically", RevealEffect137},
    TEffect{"Blind horizontally", RevealEffect138},
    TEffect{"Uneven blind from left", RevealEffect139},
    TEffect{"Uneven blind from right", RevealEffect140},
    TEffect{"Uneven blind from top", RevealEffect141},
    TEffect{"Uneven blind from bottom", RevealEffect142},
    TEffect{"Rectangular shred", RevealEffect143},
    TEffect{"Sweep clockwise", RevealEffect144},
    TEffect{"Sweep anticlockwise", RevealEffect145},
    TEffect{"Rectangles apear from left and disapear to right", RevealEffect146},
    TEffect{"Rectangles apear from right and disapear to left", RevealEffect147},
    TEffect{"Rectangles apear from up and disapear to bottom", RevealEffect148},
    TEffect{"Rectangles apear from bottom and disapear to up", RevealEffect149},
    TEffect{"Rotational rectangle in center", RevealEffect150},
    TEffect{"Rotational star in center", RevealEffect151},
    TEffect{"Spiral rectangle", RevealEffect152},
    TEffect{"Circular shred", RevealEffect153},
    TEffect{"Reveal V from left", RevealEffect154},
    TEffect{"Reveal V from right", RevealEffect155},
    TEffect{"Reveal V from top", RevealEffect156},
    TEffect{"Reveal V from bottom", RevealEffect157},
    TEffect{"Bow Tie Horizontal", RevealEffect158},
    TEffect{"Bow Tie Vertical", RevealEffect159},
    TEffect{"Diagonal Cross In", RevealEffect160},
    TEffect{"Diagonal Cross Out", RevealEffect161},
    TEffect{"Zigzag Horizontal", RevealEffect162},
    TEffect{"Zigzag Vertical", RevealEffect163},
    TEffect{"Diamond shred", RevealEffect164},
    TEffect{"Reveal diamond out from centre", RevealEffect165},
    TEffect{"Reveal diamond in to centre", RevealEffect166},
    TEffect{"Diagonal Box Out", RevealEffect167},
    TEffect{"Pixelate", RevealEffect168},
    TEffect{"Dissolve", RevealEffect169},
    TEffect{"Random Bars Horizontal", RevealEffect170},
    TEffect{"Random Bars Vertical", RevealEffect171},
    TEffect{"Channel Mix", RevealEffect172},
};

int EffectByName(std::string_view Name)
{
  for (int i = 1; i <= EffectCount; ++i)
    if (cf::SameText(Effects[static_cast<size_t>(i)].Name, Name))
      return i;
  return 0;
}

int FxMulDiv(int a, int b, int c)
{
  if (c == 0)
    return -1;
  const int64_t p = static_cast<int64_t>(a) * b;
  const int64_t ap = std::llabs(p), ac = std::llabs(static_cast<int64_t>(c));
  const int64_t q = (2 * ap + ac) / (2 * ac);
  return static_cast<int>((p < 0) != (c < 0) ? -q : q);
}

void ProjectProgress(int W, int H, int P, int& X, int& Y)
{
  if (W < H) {
    Y = FxMulDiv(H, P, 100);
    X = FxMulDiv(Y, W, H);
  } else {
    X = FxMulDiv(W, P, 100);
    Y = FxMulDiv(X, H, W);
  }
}

void DrawEffect(int Style, TFxBitmap& Screen, const TFxBitmap& Picture, int P, TFxRandom& Random)
{
  if (Style < 1 || Style > EffectCount || FxIsEmpty(Picture) ||
      FxWidth(Screen) != FxWidth(Picture) || FxHeight(Screen) != FxHeight(Picture))
    return;
  // Effects address pixels as 32-bit values in blue, green, red order.
  FxMake32(Screen);
  const TFxBitmap converted = FxIs32(Picture) ? TFxBitmap() : FxAs32(Picture);
  const TFxBitmap& picture = FxIsEmpty(converted) ? Picture : converted;
  const int w = FxWidth(picture), h = FxHeight(picture);
  int x = 0, y = 0;
  ProjectProgress(w, h, P, x, y);
  Effects[static_cast<size_t>(Style)].Proc(Screen, picture, w, h, x, y, P, Random);
}
