#pragma once

// Controls as the class library offers them, over QWidget.
//
// A control paints into its own back buffer through the virtual Paint (client
// area) and PaintNonClient (the emulated border strip); paintEvent only copies
// the buffer. Code can therefore read its own pixels back, and tests can call
// Paint directly or render with PaintTo.
//
// Coordinates are client coordinates as on Windows: the frame insets (border,
// 3-D edge, window scroll bars) lie outside the client rectangle, whose origin
// is (0, 0). Events arrive split as Windows delivers them.

#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/GraphicsObjects.h"
#include "platform/Keys.h"
#include "platform/Translatable.h"
#include "platform/Types.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <string>

namespace cf {

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4,
                  crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10,
                  crHourGlass = -11, crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15,
                  crMultiDrag = -16, crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20,
                  crHandPoint = -21, crSizeAll = -22;

enum class TBorderStyle { bsNone, bsSingle };

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
using enum TAlign;

// What a drag-over call tells its target (platform/DragDrop.h runs the drag).
enum class TDragState { dsDragEnter, dsDragLeave, dsDragMove };
using enum TDragState;

class TControl : public QWidget, public TTranslatable {
public:
    explicit TControl(QWidget* parent = nullptr);
    ~TControl() override;

    // Position and size within the parent's client area (whole window, frame
    // included), as on Windows: a parent's own frame insets lie outside it.
    int Left() const;
    int Top() const;
    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetBounds(int l, int t, int w, int h);
    void SetLeft(int l) { SetBounds(l, Top(), Width(), Height()); }
    void SetTop(int t) { SetBounds(Left(), t, Width(), Height()); }
    void SetWidth(int w) { SetBounds(Left(), Top(), w, Height()); }
    void SetHeight(int h) { SetBounds(Left(), Top(), Width(), h); }
    TRect BoundsRect() const { return Bounds(Left(), Top(), Width(), Height()); }

    // The emulated non-client area: widths of the left, top, right and bottom strips.
    void SetFrameInsets(const TRect& insets);
    const TRect& FrameInsets() const { return insets_; }
    TRect ClientRect() const { return TRect(0, 0, ClientWidth(), ClientHeight()); }
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientSize(int w, int h);
    // Client (0, 0) in widget coordinates; in screen coordinates (ClientOrigin).
    TPoint ClientOffset() const { return {insets_.Left, insets_.Top}; }
    TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    // Client point of this control in the client coordinates of its parent
    // (the parent's own frame insets taken into account when it is a TControl).
    TPoint ClientToParent(TPoint p) const;

    TColor Color = clBtnFace;
    TFont Font;
    std::string Name;
    intptr_t Tag = 0;
    std::string Hint;
    bool ShowHint = false;

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& s);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor c);
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool e);
    // The control's own flag, as the class library keeps it: a child never
    // hidden counts as visible even while its parent is not shown.
    bool Visible() const;
    void SetVisible(bool v) { setVisible(v); }

    // Painting
    void Invalidate();
    void Repaint();
    // Renders the whole control (frame and client) into its back buffer now.
    void Render();
    const QImage& BackBuffer() const { return buffer_; }
    // Paints the whole window into a canvas whose logical (0, 0) is this
    // control's top-left; used by transparent children to draw their parent.
    void PaintTo(TCanvas& canvas);
    // Canvas on the back buffer with the client origin; drawing outside Paint
    // shows at the next paint event.
    TCanvas& Canvas();

    // Alignment within the parent: aligned children are laid out in the
    // order top, bottom, left, right, client, each kind by position.
    TAlign Align() const { return align_; }
    void SetAlign(TAlign a);
    // Lays out this control's aligned children now.
    void Realign();
    // The area aligned children share (client rectangle unless overridden,
    // e.g. by a panel's bevels).
    virtual TRect AlignRect() const { return ClientRect(); }

    // Focus
    bool Focused() const { return hasFocus(); }
    virtual bool CanFocus() const;
    void SetFocus();
    bool TabStop() const { return focusPolicy() & Qt::TabFocus; }
    void SetTabStop(bool on);
    bool WantTabs = false;
    bool MouseCapture() const { return capture_; }
    // Keeps all mouse input coming to this control until released.
    void SetMouseCapture(bool on);

    // The key-claim rule of every form. Return and Escape are dialog keys:
    // the form offers them to its controls' DialogKey (the default button
    // takes Return, the cancel button Escape). Before that, the focused
    // control and then each control it sits in (up to the form) are asked
    // ClaimsDialogKey; the first that answers true gets the key as an
    // ordinary key press instead, and no button sees it. A control claims a
    // key while it has a use for it:
    //   - a drop-down edit while its list is open (Return and Escape close it),
    //   - a multi-line edit (Return starts a new line),
    //   - an edit working as a grid's in-place editor (the grid commits on
    //     Return and cancels on Escape),
    //   - a grid while it edits a cell or otherwise acts on the key.
    // Answer from the control's present state only; the answer must not
    // change anything. The form applies the rule (FormKeyClaimant in Forms.h).
    virtual bool ClaimsDialogKey(uint16_t key, TShiftState shift) const;
    // A dialog key offered by the form to every control; return true when
    // taken (a default button takes Return, a cancel button Escape).
    virtual bool DialogKey(uint16_t key, TShiftState shift);

    // Event handlers, overridden by controls (the On... hooks run from the defaults).
    virtual void Paint(TCanvas& canvas);
    virtual void PaintNonClient(TCanvas& canvas);
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Click();
    virtual void DblClick();
    virtual void MouseEnter();
    virtual void MouseLeave();
    // delta in units of 120 per notch, positive away from the user; return
    // true when handled (otherwise the parent gets the wheel).
    virtual bool MouseWheel(TShiftState shift, int delta, TPoint mousePos);
    virtual void KeyDown(uint16_t& key, TShiftState shift);
    virtual void KeyPress(char32_t& key);
    virtual void KeyUp(uint16_t& key, TShiftState shift);
    virtual void DoEnter();
    virtual void DoExit();
    virtual void Resize();
    virtual void EnabledChanged() {}

    // Translatable texts: Caption and Hint.
    std::optional<std::string> TextProperty(const std::string& name) const override;
    bool SetTextProperty(const std::string& name, const std::string& value) override;

    // In-application drag and drop, run by platform/DragDrop.h. A drag
    // starts with BeginDrag (usually from a mouse-down handler); targets are
    // the controls under the mouse. DragOver refuses unless OnDragOver is
    // assigned and leaves accept True.
    void BeginDrag(bool immediate, int threshold = -1);
    bool Dragging() const;
    virtual void DragOver(TControl* source, int x, int y, TDragState state, bool& accept);
    virtual void DragDrop(TControl* source, int x, int y);
    // The source hears this when its drag ends without a drop.
    virtual void DragCanceled() {}
    virtual void DoEndDrag(TControl* target, int x, int y);

    std::function<void(TControl*)> OnClick;
    std::function<void(TControl*)> OnDblClick;
    std::function<void(TControl*, TMouseButton, TShiftState, int, int)> OnMouseDown;
    std::function<void(TControl*, TShiftState, int, int)> OnMouseMove;
    std::function<void(TControl*, TMouseButton, TShiftState, int, int)> OnMouseUp;
    std::function<void(TControl*)> OnMouseEnter;
    std::function<void(TControl*)> OnMouseLeave;
    std::function<void(TControl*, uint16_t&, TShiftState)> OnKeyDown;
    std::function<void(TControl*, char32_t&)> OnKeyPress;
    std::function<void(TControl*, uint16_t&, TShiftState)> OnKeyUp;
    std::function<void(TControl*)> OnEnter;
    std::function<void(TControl*)> OnExit;
    std::function<void(TControl*)> OnResize;
    std::function<void(TControl* sender, TControl* source, int x, int y, TDragState state, bool& accept)> OnDragOver;
    std::function<void(TControl* sender, TControl* source, int x, int y)> OnDragDrop;
    // Target is null when the drag was cancelled or refused.
    std::function<void(TControl* sender, TControl* target, int x, int y)> OnEndDrag;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool event(QEvent* e) override;

private:
    class BufferTarget;
    void EnsureBuffer();
    TPoint ToClient(const QPointF& widgetPos) const;

    void ParentRealign();
    TRect insets_;
    TAlign align_ = alNone;
    bool aligning_ = false;
    std::string caption_;
    TCursor cursor_ = crDefault;
    QImage buffer_;
    std::unique_ptr<BufferTarget> target_;
    std::unique_ptr<TCanvas> canvas_;
    bool dirty_ = true;
    bool clicked_ = false;
    bool capture_ = false;
    int wheelRest_ = 0;
};

// A windowed control: takes the focus and may carry the Windows client edge.
class TWinControl : public TControl {
public:
    explicit TWinControl(QWidget* parent = nullptr);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle s);
    bool Ctl3D() const { return ctl3d_; }
    void SetCtl3D(bool on);
    void PaintNonClient(TCanvas& canvas) override;

protected:
    // Recomputes the frame insets after a border or 3-D change; controls that
    // keep more in the non-client strip (window scroll bars) extend it, so the
    // strip survives whichever pointer type the change was made through.
    virtual void UpdateInsets();

private:
    TBorderStyle borderStyle_ = TBorderStyle::bsNone;
    bool ctl3d_ = true;
};

// A control without a window of its own on Windows: never takes the focus.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(QWidget* parent = nullptr);
};

// Screen point of the last mouse press any control received (where a drag
// measures its threshold from).
TPoint LastMouseDownPos();

// The sunken 3-D edge of a Windows client edge (two pixels) or a flat
// single line (one pixel), drawn just inside r.
void DrawClientEdge(TCanvas& canvas, const TRect& r, bool ctl3d);

} // namespace cf
