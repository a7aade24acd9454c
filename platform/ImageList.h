#pragma once

// A list of equally sized small pictures (glyphs of combo items, page tabs),
// drawn with their transparency. Controls reference an image list without
// owning it; as a QObject it can be watched (QPointer) so a control forgets
// a list that is destroyed.

#include "platform/Bitmap.h"

#include <QObject>

#include <vector>

namespace cf {

class TCustomImageList : public QObject {
public:
    explicit TCustomImageList(int width = 16, int height = 16, QObject* parent = nullptr);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return int(images_.size()); }

    // Adds the picture, cut into Width-wide pieces when it is a strip;
    // returns the index of the first piece added. A 32-bit picture keeps its
    // alpha channel; other pictures are opaque.
    int Add(TBitmap& image);
    // As Add, with every pixel of maskColor transparent.
    int AddMasked(TBitmap& image, TColor maskColor);
    void Delete(int index);
    void Clear();

    // Draws picture index at (x, y); a disabled picture is drawn grey and
    // faded. An index outside the list draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
    // The picture as a 32-bit bitmap with alpha (empty for a bad index).
    TBitmap GetBitmap(int index) const;

private:
    int AddPieces(TBitmap& image, bool masked, TColor mask);
    int width_;
    int height_;
    std::vector<TBitmap> images_;  // pf32bit, alpha not premultiplied
};

} // namespace cf
