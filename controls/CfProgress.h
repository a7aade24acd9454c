#pragma once

// A progress window built entirely at run time: a heading, the list of steps
// with the current one in bold behind a pointer, an optional picture, a bar
// along the bottom and optional OK/Cancel buttons, prompt and edit box. The
// component itself is not visible; it owns the window and keeps its state,
// so the window can be rebuilt or forgotten without losing it.

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Forms.h"
#include "platform/GraphicsObjects.h"
#include "platform/Types.h"

#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace cf {

class TCfButton;
class TCfEdit;
class TCfProgressForm;
class TProgressBar;

enum TCfProgressOption : std::uint16_t {
    poAllowCancel = 1 << 0,
    poShowButtons = 1 << 1,
    poShowArrow = 1 << 2,
    poShowPrompt = 1 << 3,
    poFixedImage = 1 << 4,
    poAnimate = 1 << 5,
    poModal = 1 << 6,
    poDisableMainForm = 1 << 7,
    poShowEdit = 1 << 8,
};
using TCfProgressOptions = std::uint16_t;

// Pictures of one size shown at the left of the window (not owned by the
// progress window). With DrawTransparent each picture's own transparent
// colour drops out.
struct TCfImageList {
    std::vector<TBitmap> Pictures;
    bool DrawTransparent = true;
    int Count() const { return static_cast<int>(Pictures.size()); }
};

using TCfProgressNotifyEvent = std::function<void(void* sender, int tag, bool& pressed)>;

class TCfProgress {
public:
    // `mainWindow` is the window poDisableMainForm disables.
    explicit TCfProgress(QWidget* mainWindow = nullptr);
    ~TCfProgress();
    TCfProgress(const TCfProgress&) = delete;
    TCfProgress& operator=(const TCfProgress&) = delete;

    std::string Caption() const;
    void SetCaption(const std::string& s);
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& s);
    const std::vector<std::string>& Lines() const { return lines_; }
    void SetLines(const std::vector<std::string>& lines);
    void ClearLines();
    void AddLine(const std::string& line);
    // Current step, 1-based; 0 is none. A value above the line count is ignored.
    std::uint16_t Progress() const { return progress_; }
    void SetProgress(std::uint16_t p);

    int Min() const;
    int Max() const;
    int Position() const;
    void SetMin(int v);
    void SetMax(int v);
    // Repaints the bar at most once per BarRepaintInterval; the final value
    // shows with the next full paint.
    void SetPosition(int v);
    bool Smooth() const;
    void SetSmooth(bool on);

    TCfProgressOptions Options() const { return options_; }
    void SetOptions(TCfProgressOptions o);
    const TCfImageList* Images() const { return images_; }
    void SetImages(const TCfImageList* images);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int i);
    int OffsetX() const { return offsetX_; }
    int OffsetY() const { return offsetY_; }
    void SetOffsetX(int v);
    void SetOffsetY(int v);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int w);
    // The buttons' own captions; "Ok" and "Cancel" once the window is gone.
    std::string OkCaption() const;
    std::string CancelCaption() const;
    void SetOkCaption(const std::string& s);
    void SetCancelCaption(const std::string& s);
    const std::string& Prompt() const { return prompt_; }
    void SetPrompt(const std::string& s);
    // The edit box's text (empty once the window is gone).
    std::string Input() const;
    void SetInput(const std::string& s);
    TColor Color() const;
    void SetColor(TColor c);
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& f);

    int FormLeft() const;
    int FormTop() const;
    int FormWidth() const;
    int FormHeight() const;
    void SetFormLeft(int v);
    void SetFormTop(int v);
    void SetFormWidth(int v);
    void SetFormHeight(int v);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    bool AlwaysOnTop() const { return alwaysOnTop_; }
    void SetAlwaysOnTop(bool on);
    std::uint8_t AlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(std::uint8_t v) { alphaBlendValue_ = v; }
    int AlphaDelayValue() const { return alphaDelayValue_; }
    void SetAlphaDelayValue(int v) { alphaDelayValue_ = v; }

    bool Visible() const;
    void SetVisible(bool v);
    void BringToFront();
    void SendToBack();

    TCfProgressNotifyEvent OnNotify; // kept for callers; the window never fires it

    // The window, or null once it was destroyed elsewhere, and its bar.
    TCfProgressForm* Form() const { return form_; }
    TProgressBar* Bar() const { return form_ ? bar_ : nullptr; }
    // The OK and Cancel buttons and the edit box of the window. They carry no
    // action of their own: a click only leaves its modal result (OK 1,
    // Cancel 2) in the window's ModalResult for the caller to read.
    TCfButton* OkButton() const { return form_ ? ok_ : nullptr; }
    TCfButton* CancelButton() const { return form_ ? cancel_ : nullptr; }
    TCfEdit* Edit() const { return form_ ? edit_ : nullptr; }

    // Paints the window's client area (its paint handler); also lays out the
    // buttons from the sizes found. Tests call it on any canvas.
    void Paint(TCanvas& canvas, int clientWidth, int clientHeight);

    // Where the OK and Cancel buttons and the edit box stand (client
    // coordinates), and whether they show; the window's controls follow.
    TRect OkBounds() const { return okBounds_; }
    TRect CancelBounds() const { return cancelBounds_; }
    TRect EditBounds() const { return editBounds_; }
    bool OkVisible() const { return (options_ & poShowButtons) != 0; }
    bool CancelVisible() const { return OkVisible() && (options_ & poAllowCancel); }
    bool EditVisible() const { return OkVisible() && (options_ & poShowEdit); }

    // Height of the bar along the bottom.
    static constexpr int BarHeight = 17;
    static constexpr int ButtonHeight = 25;
    // The edit box's height when there is no edit box to ask.
    static constexpr int EditHeight = 21;
    // The bar's repaint interval in milliseconds (of the platform clock).
    int BarRepaintInterval = 30;

    // The window's resize and activation handlers.
    void Layout();
    void Fade(bool in);

private:
    void Update();      // layout and repaint when visible
    void Repaint();
    void PlaceButtons(int clientWidth, int clientHeight);
    // Puts the buttons and the edit box where PlaceButtons found, shown or
    // hidden by the options.
    void ApplyControls();

    QPointer<QWidget> mainWindow_;
    QPointer<TCfProgressForm> form_;
    TProgressBar* bar_ = nullptr; // owned by the form, as are the three below
    TCfButton* ok_ = nullptr;
    TCfButton* cancel_ = nullptr;
    TCfEdit* edit_ = nullptr;
    std::string title_ = "Windows is now setting up the follwing items:";
    std::vector<std::string> lines_ = {"Importing old Tweak UI settings", "Introducing Tweak UI",
                                       "System Configuration"};
    std::uint16_t progress_ = 0;
    TCfProgressOptions options_ = poFixedImage;
    const TCfImageList* images_ = nullptr;
    int imageIndex_ = -1;
    int offsetX_ = 0;
    int offsetY_ = 0;
    int buttonWidth_ = 75;
    std::string prompt_ = "Press me";
    TFont font_;
    bool autoSize_ = false;
    bool alwaysOnTop_ = false;
    std::uint8_t alphaBlendValue_ = 255;
    int alphaDelayValue_ = 25;
    int alpha_ = 255;
    TRect okBounds_, cancelBounds_, editBounds_;
    std::uint64_t lastBarPaint_ = 0;
    bool barPainted_ = false;
};

// The window of a TCfProgress: paints through its owner and fades on
// activation when the owner asks for it.
class TCfProgressForm : public TForm {
public:
    explicit TCfProgressForm(TCfProgress* owner);
    void Paint(TCanvas& canvas) override;
    void Resize() override;
    bool event(QEvent* e) override;
    // The window has no border icons: only its owner hides it.
    bool CloseQuery() override { return owner_ == nullptr; }
    void Detach() { owner_ = nullptr; }
    bool FadeArmed = false;

private:
    TCfProgress* owner_;
};

} // namespace cf
