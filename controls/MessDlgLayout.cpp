#include "controls/MessDlgLayout.h"

#include "platform/DrawText.h"

#include <QImage>

namespace cf {

namespace {

const std::string AlphabetText = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

struct Scratch {
    QImage image{1, 1, QImage::Format_RGB32};
    TCanvas canvas{&image};
};

} // namespace

unsigned MessageTextFlags()
{
    // No prefix: a "&" in a service or file name stays visible. Edit-control
    // breaking: a path without blanks wraps instead of widening the dialog.
    // Tabs expand as the label draws them.
    return DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL | DT_EXPANDTABS;
}

TSize TCanvasTextMeasurer::Alphabet()
{
    Scratch s;
    s.canvas.Font = dialogFont_;
    return s.canvas.TextExtent(AlphabetText);
}

TSize TCanvasTextMeasurer::WrappedText(const std::string& text, int maxWidth)
{
    Scratch s;
    s.canvas.Font = textFont_;
    TRect r(0, 0, maxWidth, 0);
    DrawText(s.canvas, text, r, DT_CALCRECT | MessageTextFlags());
    return {r.Right, r.Bottom};
}

TSize TCanvasTextMeasurer::LineText(const std::string& text)
{
    Scratch s;
    s.canvas.Font = textFont_;
    TRect r(0, 0, 1, 0);
    DrawText(s.canvas, text.empty() ? std::string(" ") : text, r, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    return {text.empty() ? 0 : r.Right, r.Bottom};
}

int TCanvasTextMeasurer::EditHeight()
{
    // The class library's auto-sized edit: text height and 8 pixels of
    // border and padding.
    Scratch s;
    s.canvas.Font = dialogFont_;
    return s.canvas.TextHeight("Wg") + 8;
}

TDlgUnits DialogUnits(TDlgTextMeasurer& m)
{
    TSize a = m.Alphabet();
    return {a.cx / 52, a.cy};
}

TMessageLayout LayoutMessageDialog(TDlgTextMeasurer& m, const std::string& msg, TMsgDlgType type,
                                   TMsgDlgButtons buttons, TSize screen)
{
    TMessageLayout L;
    L.Units = DialogUnits(m);
    const int X = L.Units.X, Y = L.Units.Y;
    const int horzMargin = MulDiv(8, X, 4);
    const int vertMargin = MulDiv(8, Y, 8);
    const int horzSpacing = MulDiv(10, X, 4);
    const int vertSpacing = MulDiv(10, Y, 8);
    const int buttonWidth = MulDiv(50, X, 4);
    const int buttonHeight = MulDiv(14, Y, 8);
    const int buttonSpacing = MulDiv(4, X, 4);

    TSize text = m.WrappedText(msg, screen.cx / 2);
    int iconTextWidth = text.cx;
    int iconTextHeight = text.cy;
    L.HasIcon = type != mtCustom;
    if (L.HasIcon) {
        iconTextWidth += 32 + horzSpacing;
        iconTextHeight = std::max(iconTextHeight, 32);
    }
    L.Shown = EffectiveButtons(buttons);
    int count = L.Shown.Count();
    int groupWidth = count > 0 ? count * buttonWidth + (count - 1) * buttonSpacing : 0;

    L.Client = {std::max(iconTextWidth, groupWidth) + 2 * horzMargin,
                iconTextHeight + buttonHeight + vertSpacing + 2 * vertMargin};
    L.Position = {screen.cx / 2 - L.Client.cx / 2, screen.cy / 2 - L.Client.cy / 2};
    if (L.HasIcon)
        L.Icon = Bounds(horzMargin, vertMargin, 32, 32);
    L.Message = Bounds(iconTextWidth - text.cx + horzMargin, vertMargin, text.cx, text.cy);

    int x = (L.Client.cx - groupWidth) / 2;
    int y = iconTextHeight + vertMargin + vertSpacing;
    for (int i = 0; i < MsgDlgBtnCount; ++i) {
        auto b = TMsgDlgBtn(i);
        if (!L.Shown.Contains(b))
            continue;
        L.Buttons.emplace_back(b, Bounds(x, y, buttonWidth, buttonHeight));
        x += buttonWidth + buttonSpacing;
    }
    return L;
}

TQueryLayout LayoutInputQuery(TDlgTextMeasurer& m, const std::string& prompt, TSize screen)
{
    TQueryLayout L;
    L.Units = DialogUnits(m);
    const int X = L.Units.X, Y = L.Units.Y;
    TSize p = m.LineText(prompt);
    L.Prompt = Bounds(MulDiv(8, X, 4), MulDiv(8, Y, 8), p.cx, p.cy);
    L.Edit = Bounds(L.Prompt.Left, L.Prompt.Bottom + 10, MulDiv(164, X, 4), m.EditHeight());
    int buttonTop = L.Edit.Bottom + 10;
    int buttonWidth = MulDiv(50, X, 4);
    int buttonHeight = MulDiv(14, Y, 8);
    L.Ok = Bounds(MulDiv(38, X, 4), buttonTop, buttonWidth, buttonHeight);
    L.Cancel = Bounds(MulDiv(92, X, 4), buttonTop, buttonWidth, buttonHeight);
    // The client area holds the buttons and a 10-pixel strip under them,
    // whatever frame the window has.
    L.Client = {MulDiv(180, X, 4), buttonTop + buttonHeight + 10};
    L.Position = {screen.cx / 2 - L.Client.cx / 2, screen.cy / 2 - L.Client.cy / 2};
    return L;
}

} // namespace cf
