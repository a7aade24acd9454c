// Where the small parts of the edits land in the whole window (border,
// client area and children painted together, as the user sees them).

#include "EditTestSupport.h"

#include "platform/Color.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace cf;
using namespace cf::testing;

namespace {

QRgb Rgb(int r, int g, int b)
{
    return QRgb((r << 16) | (g << 8) | b);
}

// The colours of the fixed light desktop.
const QRgb White = Rgb(255, 255, 255);    // window, button highlight
const QRgb Shadow = Rgb(160, 160, 160);   // button shadow
const QRgb DkShadow = Rgb(105, 105, 105); // 3-D dark shadow
const QRgb Light = Rgb(227, 227, 227);    // 3-D light
const QRgb Frame = Rgb(128, 128, 128);    // the preview box's frame

QImage Whole(TControl& c)
{
    SendResize(&c);
    return c.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb At(const QImage& img, int x, int y)
{
    return img.pixel(x, y) & 0xFFFFFF;
}

} // namespace

// Each part sits in the client area, flush with its right edge, and the
// sunken 2 px edge of the window stays untouched around it. Positions are
// window pixels worked out from the sizes: a W x H edit has the client area
// (2, 2)-(W-2, H-2).
TEST(EditParts, SmallButtonsSitInsideTheBorderFlushRight)
{
    struct Case {
        const char* name;
        std::function<std::unique_ptr<TCfEdit>()> make;
        int width, height;
        int partLeft;        // first window column of the part
        int partTop, partBottom;  // window rows it spans (bottom exclusive)
    };
    const Case cases[] = {
        // 100 x 21: client 96 x 17; spin buttons 17 wide at client (79, 1), 16 high.
        {"spin buttons", [] { return std::make_unique<TCfSpinEdit>(); }, 100, 21, 2 + 79, 2 + 1, 2 + 1 + 16},
        // 150 x 22: client 146 x 18; "..." button 21 wide at client (125, 0), full height.
        {"execute button", [] {
             auto e = std::make_unique<TCfCustomButtonEdit>();
             return std::unique_ptr<TCfEdit>(std::move(e));
         }, 150, 22, 2 + 125, 2, 2 + 18},
        // 150 x 21: client 146 x 17; drop-down button 16 wide at client (130, 0).
        {"drop-down button", [] { return std::make_unique<TCfComboBox>(); }, 150, 21, 2 + 130, 2, 2 + 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<TCfEdit> edit = c.make();
        edit->SetBounds(0, 0, c.width, c.height);
        QImage img = Whole(*edit);
        int mid = (c.partTop + c.partBottom) / 2 - 2;  // inside the (upper) part, off its arrow
        // The part's raised edge: light on its first column, dark shadow on
        // its last, which is the client's last column (W - 3).
        EXPECT_EQ(At(img, c.partLeft, mid), Light);
        EXPECT_EQ(At(img, c.width - 3, mid), DkShadow);
        // Just left of it, the text area, with no gap of another colour.
        EXPECT_EQ(At(img, c.partLeft - 1, mid), White);
        // The top edge of the part starts on its first row.
        EXPECT_EQ(At(img, c.partLeft + 3, c.partTop), Light);
        // The window's own sunken edge on all four sides, beside the part too.
        EXPECT_EQ(At(img, c.width - 2, mid), Light);
        EXPECT_EQ(At(img, c.width - 1, mid), White);
        EXPECT_EQ(At(img, c.partLeft + 3, 0), Shadow);
        EXPECT_EQ(At(img, c.partLeft + 3, 1), DkShadow);
        EXPECT_EQ(At(img, c.partLeft + 3, c.height - 2), Light);
        EXPECT_EQ(At(img, c.partLeft + 3, c.height - 1), White);
        EXPECT_EQ(At(img, 0, mid), Shadow);
        EXPECT_EQ(At(img, 1, mid), DkShadow);
    }
}

TEST(EditParts, PreviewStripStartsAtTheClientOrigin)
{
    // Without a glyph the 20 px preview box is client (0, 0)-(20, 17) of a
    // 121 x 21 edit, so its grey frame runs along window column 2 and row 2,
    // right inside the sunken edge.
    TCfEdit e;
    e.SetBounds(0, 0, 121, 21);
    e.SetShowPreview(true);
    QImage img = Whole(e);
    EXPECT_EQ(At(img, 2, 10), Frame);   // left side of the frame
    EXPECT_EQ(At(img, 10, 2), Frame);   // top
    EXPECT_EQ(At(img, 21, 10), Frame);  // right: client x 19
    EXPECT_EQ(At(img, 10, 18), Frame);  // bottom: client y 16
    EXPECT_EQ(At(img, 10, 10), White);  // inside the box
    EXPECT_EQ(At(img, 1, 10), DkShadow);
    EXPECT_EQ(At(img, 10, 1), DkShadow);
    // The text starts 25 px into the client area: box and gap.
    EXPECT_EQ(e.TextRect().Left, 25);
    EXPECT_EQ(e.NativeEdit()->geometry().left(), 2 + 25);

    // A 16 px glyph moves the box right by 16 + 4: its frame starts at client x 20.
    TBitmap glyph(16, 16, pf24bit);
    glyph.Canvas().FillRect(TRect(0, 0, 16, 16), clFuchsia);
    glyph.Canvas().FillRect(TRect(4, 4, 12, 12), clRed);
    e.SetGlyph(glyph);
    img = Whole(e);
    EXPECT_EQ(e.Info()->geometry(), QRect(2, 2, 40, 17));
    EXPECT_EQ(At(img, 2 + 20, 10), Frame);
    // The glyph is vertically centred: rows (17 - 16) / 2 = 0 on, red from its row 4.
    EXPECT_EQ(At(img, 2 + 4, 2 + 0 + 4), Rgb(255, 0, 0));
    EXPECT_EQ(At(img, 2 + 3, 2 + 0 + 4), White);  // fuchsia is see-through
}

TEST(EditAutoSize, HeightFollowsTheFont)
{
    // The font's line height plus the border: 8 px with the 3-D edge (two
    // 2 px edges and a pixel of air above and below the text), 6 without.
    struct Case {
        int points;
        bool autoSize;
        bool ctl3d;
        bool single;
    };
    const Case cases[] = {
        {8, true, true, true}, {12, true, true, true}, {20, true, true, true},
        {12, true, false, true},  // flat border
        {12, false, true, true},  // AutoSize off: the height stays
        {12, true, true, false},  // no border: the height stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.points) + (c.autoSize ? " auto" : " fixed") + (c.ctl3d ? " 3-D" : " flat") +
                     (c.single ? " single" : " none"));
        TCfEdit e;
        e.SetCtl3D(c.ctl3d);
        e.SetBorderStyle(c.single ? TBorderStyle::bsSingle : TBorderStyle::bsNone);
        e.SetAutoSize(c.autoSize);
        e.SetHeight(40);
        TFont f;
        f.Size = c.points;
        e.SetFont(f);
        TBitmap probe(1, 1, pf24bit);
        probe.Canvas().Font = f;
        int line = probe.Canvas().TextHeight("Wg");
        int expected = !c.autoSize || !c.single ? 40 : line + (c.ctl3d ? 8 : 6);
        EXPECT_EQ(e.Height(), expected);
        EXPECT_EQ(e.NativeEdit()->font(), f.ToQFont());
    }
    // A new edit already has the height of its font.
    TCfEdit fresh;
    TBitmap probe(1, 1, pf24bit);
    probe.Canvas().Font = fresh.Font;
    EXPECT_EQ(fresh.Height(), probe.Canvas().TextHeight("Wg") + 8);
    EXPECT_EQ(fresh.Width(), 121);
}

TEST(EditPasswordChar, ShowsTheChosenCharacter)
{
    struct Case {
        char32_t ch;
        QString shown;
    };
    const Case cases[] = {
        {U'*', QStringLiteral("***")},
        {U'#', QStringLiteral("###")},
        {U'\u25CF', QStringLiteral("\u25CF\u25CF\u25CF")},
        {0, QStringLiteral("abc")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.ch));
        TCfEdit e;
        e.SetText("abc");
        e.SetPasswordChar(c.ch);
        EXPECT_EQ(e.NativeEdit()->displayText(), c.shown);
        EXPECT_EQ(e.Text(), "abc");  // the text itself is kept
    }
    // Changing the character of an edit that already hides its text.
    TCfEdit e;
    e.SetText("pw");
    e.SetPasswordChar(U'*');
    e.SetPasswordChar(U'x');
    EXPECT_EQ(e.NativeEdit()->displayText(), QStringLiteral("xx"));
    e.SetPasswordChar(0);
    EXPECT_EQ(e.NativeEdit()->displayText(), QStringLiteral("pw"));
}
