#pragma once

// Where everything goes in a message dialog and an input query, worked out
// from the dialog's average character size. The text measurer is separate so
// the layout can be checked with fixed character sizes.

#include "controls/MsgDlgTypes.h"
#include "platform/GraphicsObjects.h"
#include "platform/Types.h"

#include <string>
#include <utility>
#include <vector>

namespace cf {

class TDlgTextMeasurer {
public:
    virtual ~TDlgTextMeasurer() = default;
    // Width and height of "A".."Z" followed by "a".."z" in the dialog's font.
    virtual TSize Alphabet() = 0;
    // The message laid out with word breaks in at most maxWidth pixels:
    // the extent of the wrapped text. Every "&" counts as written, and a
    // word wider than maxWidth is broken.
    virtual TSize WrappedText(const std::string& text, int maxWidth) = 0;
    // One line of text (a prompt) as it is drawn, "&" as written.
    virtual TSize LineText(const std::string& text) = 0;
    // Height of a single-line edit box.
    virtual int EditHeight() = 0;
};

// Measures with a canvas: the average character size in the dialog's font,
// the texts in the font they are drawn with.
class TCanvasTextMeasurer : public TDlgTextMeasurer {
public:
    TCanvasTextMeasurer(const TFont& dialogFont, const TFont& textFont)
        : dialogFont_(dialogFont), textFont_(textFont) {}
    TSize Alphabet() override;
    TSize WrappedText(const std::string& text, int maxWidth) override;
    TSize LineText(const std::string& text) override;
    int EditHeight() override;

private:
    TFont dialogFont_;
    TFont textFont_;
};

// The DT_* flags the message is measured and drawn with.
unsigned MessageTextFlags();

struct TDlgUnits {
    int X = 0;  // average character width
    int Y = 0;  // character height
};
TDlgUnits DialogUnits(TDlgTextMeasurer& m);

struct TMessageLayout {
    TDlgUnits Units;
    TSize Client;
    TPoint Position;  // screen position of the window
    bool HasIcon = false;
    TRect Icon;
    TRect Message;    // the message label after fitting its height
    TMsgDlgButtons Shown;  // the buttons the dialog gets
    std::vector<std::pair<TMsgDlgBtn, TRect>> Buttons;  // left to right
};

TMessageLayout LayoutMessageDialog(TDlgTextMeasurer& m, const std::string& msg, TMsgDlgType type,
                                   TMsgDlgButtons buttons, TSize screen);

struct TQueryLayout {
    TDlgUnits Units;
    TSize Client;
    TPoint Position;
    TRect Prompt;
    TRect Edit;
    TRect Ok;
    TRect Cancel;
};

TQueryLayout LayoutInputQuery(TDlgTextMeasurer& m, const std::string& prompt, TSize screen);

} // namespace cf
