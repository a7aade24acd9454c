// Writes a contact sheet of every effect halfway through its transition, for
// looking at. The file goes to $CF_CONTACT_SHEET or beside the test binary's
// working folder.

#include "transitions/RevealFx.h"

#include "FxTestImages.h"

#include <QColor>
#include <QFont>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace fxtest;

namespace {

// The old frame: a warm gradient with dark diagonal stripes.
TFxBitmap SheetOld(int w, int h)
{
  return Make(w, h, [w, h](int x, int y) {
    const bool stripe = ((x + y) / 6) % 4 == 0;
    const int r = 230 - x * 80 / w, g = 120 + y * 60 / h;
    return stripe ? Rgb(r / 2, g / 2, 20) : Rgb(r, g, 40);
  });
}

// The new picture: a cold gradient with a white grid and a yellow disc, so
// stretching, sliding and turning show.
TFxBitmap SheetNew(int w, int h)
{
  return Make(w, h, [w, h](int x, int y) {
    if (x % 20 == 0 || y % 20 == 0)
      return Rgb(255, 255, 255);
    const int dx = x - w / 3, dy = y - h / 2;
    if (dx * dx + dy * dy < (h / 4) * (h / 4))
      return Rgb(250, 220, 30);
    return Rgb(20 + y * 60 / h, 60 + x * 100 / w, 230 - x * 40 / w);
  });
}

}  // namespace

TEST(ContactSheet, AllEffectsHalfway)
{
  const int w = 120, h = 80, label = 14, columns = 12;
  const int rows = (EffectCount + columns - 1) / columns;
  QImage sheet((w + 4) * columns, (h + label + 4) * rows, QImage::Format_RGB32);
  sheet.fill(QColor(48, 48, 48));
  const TFxBitmap old = SheetOld(w, h);
  const TFxBitmap picture = SheetNew(w, h);
  QPainter painter(&sheet);
  QFont font = painter.font();
  font.setPixelSize(11);
  painter.setFont(font);
  painter.setPen(Qt::white);
  int changed = 0;
  for (int style = 1; style <= EffectCount; ++style) {
    TFxBitmap screen = old.copy();
    TFxRandom rnd(style * 7919u);
    DrawEffect(style, screen, picture, 50, rnd);
    changed += screen != old;
    const int cx = ((style - 1) % columns) * (w + 4) + 2;
    const int cy = ((style - 1) / columns) * (h + label + 4) + 2;
    painter.drawText(QRect(cx, cy, w, label), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::number(style) + " " + QString::fromUtf8(Effects[style].Name));
    painter.drawImage(cx, cy + label, screen);
  }
  painter.end();
  EXPECT_EQ(changed, EffectCount);
  const char* env = std::getenv("CF_CONTACT_SHEET");
  const std::string path = env ? env : "transitions-contact-sheet.png";
  EXPECT_TRUE(sheet.save(QString::fromStdString(path), "PNG")) << path;
}
