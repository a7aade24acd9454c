#pragma once
// A grid painted the way the tests check it: no border, themes off, the
// focus forced as each test needs, Paint called on a canvas over an image
// of the client area.

#include <memory>
#include <string>
#include <vector>

#include <QImage>
#include <gtest/gtest.h>

#include "grid/CfGrid.h"
#include "platform/Canvas.h"
#include "platform/Color.h"

inline cf::TColor Sys(cf::TColor c) { return cf::ColorToRGB(c); }

struct GridHarness {
  std::unique_ptr<TCfGrid> Grid;

  explicit GridHarness(int width = 400, int height = 200) : Grid(std::make_unique<TCfGrid>()) {
    Grid->SetBorderStyle(cf::TBorderStyle::bsNone);
    Grid->resize(width, height);
    Grid->SetFocusOverride(1);
  }

  // Columns of the given widths, text columns unless told otherwise.
  std::vector<TCfCustomColumn*> AddTextColumns(const std::vector<int>& widths) {
    std::vector<TCfCustomColumn*> result;
    for (int w : widths) {
      auto* c = Grid->Columns().Add<TCfTextColumn>();
      c->SetWidth(w);
      result.push_back(c);
    }
    return result;
  }

  // Rows whose first column reads "r<index>".
  void AddRows(int count) {
    for (int i = 0; i < count; ++i) {
      const int r = Grid->AddRow();
      if (Grid->Columns().Count() > 0) Grid->SetCells(0, r, "r" + std::to_string(r));
    }
  }

  QImage Paint() {
    QImage image(Grid->ClientWidth(), Grid->ClientHeight(), QImage::Format_RGB32);
    image.fill(0xFFFF00FF);
    cf::TCanvas canvas(&image);
    canvas.Font = Grid->Font;
    canvas.Brush.Color = Grid->Color;
    Grid->Paint(canvas);
    return image;
  }

  // The control's own back buffer (what repaints and scrolls left there).
  QImage Buffer() {
    const QImage& b = Grid->BackBuffer();
    const cf::TPoint o = Grid->ClientOffset();
    return b.copy(o.X, o.Y, Grid->ClientWidth(), Grid->ClientHeight());
  }
};

inline cf::TColor PixelAt(const QImage& image, int x, int y) { return cf::FromPixel(cf::ReadPixel(image, x, y)); }
