#include "controls/CfEdit.h"
#include "platform/SameText.h"

#include "controls/CfNativeEdit.h"
#include "platform/Clipboard.h"
#include "platform/Cursors.h"
#include "platform/DateTimeText.h"
#include "platform/DecimalText.h"
#include "platform/Themes.h"

#include <QKeyEvent>
#include <QMenu>

#include <charconv>
#include <cmath>
#include <cstdio>

namespace cf {

char32_t DecimalSeparator = U'.';

// ---------------------------------------------------------------- conversions

namespace {

std::string Trim(const std::string& s)
{
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t'))
        ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t'))
        --b;
    return s.substr(a, b - a);
}

std::string SeparatorUtf8()
{
    return QString::fromUcs4(&DecimalSeparator, 1).toStdString();
}

} // namespace

bool TryStrToFloat(const std::string& text, double& v)
{
    std::string s = Trim(text);
    std::string sep = SeparatorUtf8();
    // Bring the separator to a full stop; a full stop is no separator
    // unless it is the separator.
    std::string n;
    for (size_t i = 0; i < s.size();) {
        if (s.compare(i, sep.size(), sep) == 0) {
            n += '.';
            i += sep.size();
        } else if (s[i] == '.') {
            return false;
        } else {
            n += s[i++];
        }
    }
    if (!IsDecimalNumber(n))
        return false;
    const char* first = n.data();
    if (*first == '+')
        ++first;
    double r = 0;
    auto res = std::from_chars(first, n.data() + n.size(), r);
    if (res.ec != std::errc() || !std::isfinite(r))
        return false;
    v = r;
    return true;
}

double StrToFloat(const std::string& s)
{
    double v = 0;
    if (!TryStrToFloat(s, v))
        throw EConvertError("'" + s + "' is not a valid floating point value");
    return v;
}

int StrToInt(const std::string& text)
{
    std::string s = Trim(text);
    int v = 0;
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (first != last && *first == '+')
        ++first;
    auto res = std::from_chars(first, last, v);
    if (s.empty() || res.ec != std::errc() || res.ptr != last)
        throw EConvertError("'" + text + "' is not a valid integer value");
    return v;
}

bool StrToBool(const std::string& s)
{
    QString q = QString::fromStdString(Trim(s));
    if (q.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (q.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    double v = 0;
    if (TryStrToFloat(s, v))
        return v != 0;
    throw EConvertError("'" + s + "' is not a valid boolean value");
}

std::string DateTimeToStr(double dt)
{
    return DateTimeText(dt);
}

double StrToDateTime(const std::string& s)
{
    std::string t = Trim(s);
    if (t.empty())
        return 0;
    double days = 0;
    if (!ReadDateTimeText(t, days))
        throw EConvertError("'" + s + "' is not a valid date and time");
    return days;
}

namespace {
std::string WithSeparator(std::string s)
{
    std::string sep = SeparatorUtf8();
    size_t p = s.find('.');
    if (p != std::string::npos && sep != ".")
        s.replace(p, 1, sep);
    return s;
}
} // namespace

std::string FloatToStr(double v)
{
    if (v == 0)
        return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", v);
    std::string s = buf;
    // "1E+15" and "1E-05" are written "1E15" and "1E-5".
    size_t e = s.find('E');
    if (e != std::string::npos) {
        std::string mant = s.substr(0, e);
        std::string ex = s.substr(e + 1);
        bool neg = !ex.empty() && ex[0] == '-';
        if (!ex.empty() && (ex[0] == '+' || ex[0] == '-'))
            ex.erase(0, 1);
        while (ex.size() > 1 && ex[0] == '0')
            ex.erase(0, 1);
        s = mant + "E" + (neg ? "-" : "") + ex;
    }
    return WithSeparator(s);
}

std::string FloatToStrFixed(double v, int decimals)
{
    decimals = std::clamp(decimals, 0, 18);
    if (std::fabs(v) >= 1e18) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.17E", v);
        return WithSeparator(buf);
    }
    char buf[128];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    std::string s = buf;
    if (s == "-0" || (s.rfind("-0.", 0) == 0 && s.find_first_not_of("-0.") == std::string::npos))
        s.erase(0, 1);
    return WithSeparator(s);
}

// ---------------------------------------------------------------- margins and info strip

void TCfEditMargins::SetLeft(int v)
{
    left_ = v;
    owner_->UpdateMargins();
}

void TCfEditMargins::SetRight(int v)
{
    right_ = v;
    owner_->UpdateMargins();
}

TCfEditInfo::TCfEditInfo(TCfCustomEdit* edit) : TWinControl(edit), edit_(edit)
{
    setFocusPolicy(Qt::NoFocus);
}

void TCfEditInfo::Paint(TCanvas& canvas)
{
    canvas.FillRect(ClientRect(), edit_->Color);
    TBitmap& g = edit_->Glyph();
    if (!g.Empty())
        canvas.Draw(0, (ClientHeight() - g.Height()) / 2, g);
    if (edit_->ShowPreview()) {
        TRect r = edit_->GetPreviewRect();
        if (edit_->PreviewBorder()) {
            canvas.Brush.Style = bsSolid;
            canvas.Brush.Color = RGB(128, 128, 128);
            canvas.FrameRect(r);
            r = InflateRect(r, -1, -1);
        }
        edit_->DrawPreview(canvas, r);
    }
}

void TCfEditInfo::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && !edit_->Glyph().Empty() && x < edit_->Glyph().Width() && edit_->OnGlyphClick)
        edit_->OnGlyphClick(edit_);
    edit_->InfoMouseDown(button, shift, x, y);
    TWinControl::MouseDown(button, shift, x, y);
}

// ---------------------------------------------------------------- custom edit

TCfCustomEdit::TCfCustomEdit(QWidget* owner) : TWinControl(owner), margins_(this)
{
    Color = clWindow;
    edit_ = new TCfNativeEdit(this, this);
    setFocusProxy(edit_);
    setFocusPolicy(Qt::StrongFocus);
    info_ = new TCfEditInfo(this);
    info_->hide();
    QObject::connect(edit_, &QLineEdit::textChanged, this, [this] { Change(); });
    if (auto c = ProgramCursor("REVERSEDARROW"))
        SetCustomCursor(1000, *c);
    TWinControl::SetBorderStyle(TBorderStyle::bsSingle);
    ApplyInsets();
    SetBounds(0, 0, 121, 20);
    edit_->setFont(Font.ToQFont());
    QPalette pal = edit_->palette();
    pal.setColor(QPalette::Base, ToQColor(Color));
    edit_->setPalette(pal);
    UpdateMargins();
    PlaceInfo();
    AdjustHeight();
}

TCfCustomEdit::~TCfCustomEdit() = default;

std::string TCfCustomEdit::Text() const
{
    return edit_->text().toStdString();
}

void TCfCustomEdit::SetText(const std::string& s)
{
    edit_->setText(QString::fromStdString(s));
}

int TCfCustomEdit::SelStart() const
{
    return edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
}

int TCfCustomEdit::SelLength() const
{
    return edit_->hasSelectedText() ? int(edit_->selectionLength()) : 0;
}

void TCfCustomEdit::SetSelStart(int v)
{
    edit_->setCursorPosition(v);
}

void TCfCustomEdit::SetSelLength(int v)
{
    int start = SelStart();
    if (v <= 0)
        edit_->setCursorPosition(start);
    else
        edit_->setSelection(start, v);
}

std::string TCfCustomEdit::SelText() const
{
    return edit_->selectedText().toStdString();
}

void TCfCustomEdit::SelectAll()
{
    edit_->selectAll();
}

bool TCfCustomEdit::Modified() const
{
    return edit_->isModified();
}

void TCfCustomEdit::SetModified(bool v)
{
    edit_->setModified(v);
}

void TCfCustomEdit::SetAlignment(TAlignment a)
{
    alignment_ = a;
    edit_->setAlignment(a == TAlignment::taRightJustify ? Qt::AlignRight
                        : a == TAlignment::taCenter     ? Qt::AlignHCenter
                                                        : Qt::AlignLeft);
    Invalidate();
}

void TCfCustomEdit::ApplyInsets()
{
    int b = BorderStyle() == TBorderStyle::bsSingle ? (Ctl3D() ? 2 : 1) : 0;
    SetFrameInsets(TRect(b + borderWidth_, b + borderWidth_, b + borderWidth_, b + borderWidth_));
    UpdateMargins();
}

void TCfCustomEdit::SetBorderStyle(TBorderStyle s)
{
    TWinControl::SetBorderStyle(s);
    ApplyInsets();
    AdjustHeight();
}

void TCfCustomEdit::SetCharCase(TEditCharCase c)
{
    charCase_ = c;
    Change();
}

void TCfCustomEdit::SetGlyph(const TBitmap& b)
{
    glyph_ = b;
    if (!glyph_.Empty()) {
        // The bottom-left pixel is the glyph's see-through colour.
        glyph_.SetTransparentColor(glyph_.Canvas().GetPixel(0, glyph_.Height() - 1));
        glyph_.Transparent = true;
    }
    UpdateMargins();
    PlaceInfo();
    Invalidate();
}

void TCfCustomEdit::SetMaxLength(int n)
{
    maxLength_ = std::max(0, n);
    edit_->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
}

void TCfCustomEdit::SetPasswordChar(char32_t c)
{
    passwordChar_ = c;
    edit_->SetPasswordChar(c);
}

void TCfCustomEdit::SetAutoSize(bool on)
{
    autoSize_ = on;
    AdjustHeight();
}

void TCfCustomEdit::SetFont(const TFont& font)
{
    Font = font;
    edit_->setFont(Font.ToQFont());
    AdjustHeight();
    UpdateMargins();
    Invalidate();
}

void TCfCustomEdit::AdjustHeight()
{
    if (!autoSize_ || BorderStyle() != TBorderStyle::bsSingle)
        return;
    TBitmap probe(1, 1, pf24bit);
    probe.Canvas().Font = Font;
    int lineHeight = probe.Canvas().TextHeight("Wg");
    SetHeight(lineHeight + (Ctl3D() ? 8 : 6));
}

void TCfCustomEdit::SetPreviewBorder(bool v)
{
    previewBorder_ = v;
    RefreshPreview();
}

void TCfCustomEdit::SetReadOnly(bool v)
{
    readOnly_ = v;
    edit_->setReadOnly(v);
}

void TCfCustomEdit::SetShowPreview(bool v)
{
    showPreview_ = v;
    UpdateMargins();
    PlaceInfo();
}

bool TCfCustomEdit::GetAsBoolean()
{
    return StrToBool(Text());
}

double TCfCustomEdit::GetAsDateTime()
{
    return StrToDateTime(Text());
}

double TCfCustomEdit::GetAsFloat()
{
    return StrToFloat(Text());
}

int TCfCustomEdit::GetAsInteger()
{
    return StrToInt(Text());
}

std::string TCfCustomEdit::GetAsString()
{
    return Text();
}

void TCfCustomEdit::SetAsBoolean(bool v)
{
    SetText(v ? "True" : "False");
}

void TCfCustomEdit::SetAsDateTime(double v)
{
    SetText(DateTimeToStr(v));
}

void TCfCustomEdit::SetAsFloat(double v)
{
    SetText(FloatToStr(v));
}

void TCfCustomEdit::SetAsInteger(int v)
{
    SetText(std::to_string(v));
}

void TCfCustomEdit::SetAsString(const std::string& v)
{
    // Text stays Unicode: no conversion to a code page.
    SetText(v);
}

TRect TCfCustomEdit::GetPreviewRect() const
{
    TRect r = ClientRect();
    if (!glyph_.Empty())
        r.Left += glyph_.Width() + 4;
    r.Right = r.Left + 20;
    return r;
}

void TCfCustomEdit::InfoMouseDown(TMouseButton, TShiftState, int, int) {}

void TCfCustomEdit::PaintTextArea(TCanvas&) {}

void TCfCustomEdit::DrawPreview(TCanvas&, const TRect& r)
{
    if (OnCustomPreviewDraw)
        OnCustomPreviewDraw(this, r);
}

void TCfCustomEdit::GetMargins(int& left, int&)
{
    if (!glyph_.Empty())
        left += glyph_.Width() + 4;
    // Room for the preview box and a gap of 5 px before the text.
    if (showPreview_)
        left += 25;
}

TRect TCfCustomEdit::TextRect() const
{
    return TRect(marginLeft_, 0, std::max(marginLeft_, ClientWidth() - marginRight_), ClientHeight());
}

void TCfCustomEdit::UpdateMargins()
{
    int l = margins_.Left(), r = margins_.Right();
    GetMargins(l, r);
    marginLeft_ = std::max(0, l);
    marginRight_ = std::max(0, r);
    TRect t = TextRect();
    TPoint o = ClientOffset();
    edit_->setGeometry(t.Left + o.X, t.Top + o.Y, t.Width(), t.Height());
}

void TCfCustomEdit::PlaceInfo()
{
    int w = (glyph_.Empty() ? 0 : glyph_.Width() + 4) + (showPreview_ ? 20 : 0);
    // Child bounds are client coordinates: the border lies outside them.
    info_->SetBounds(0, 0, w, ClientHeight());
    info_->setVisible(!glyph_.Empty() || showPreview_);
    info_->Invalidate();
}

void TCfCustomEdit::RefreshPreview()
{
    info_->Invalidate();
}

bool TCfCustomEdit::ClaimsDialogKey(uint16_t key, TShiftState shift) const
{
    if (InplaceEdit && (key == VK_RETURN || key == VK_ESCAPE))
        return true;
    return TWinControl::ClaimsDialogKey(key, shift);
}

void TCfCustomEdit::Resize()
{
    UpdateMargins();
    PlaceInfo();
    TWinControl::Resize();
}

void TCfCustomEdit::Paint(TCanvas& canvas)
{
    canvas.FillRect(ClientRect(), Color);
    if (!HasEditableText())
        PaintTextArea(canvas);
}

void TCfCustomEdit::EnabledChanged()
{
    Invalidate();
}

void TCfCustomEdit::UpdateTextVisibility()
{
    bool editable = HasEditableText();
    edit_->setVisible(editable);
    setFocusProxy(editable ? edit_ : nullptr);
    Invalidate();
}

void TCfCustomEdit::ApplyCharCase()
{
    if (charCase_ == TEditCharCase::ecNormal)
        return;
    QString t = edit_->text();
    QString c = charCase_ == TEditCharCase::ecUpperCase ? t.toUpper() : t.toLower();
    if (c != t) {
        int pos = edit_->cursorPosition();
        edit_->setText(c);
        edit_->setCursorPosition(pos);
    }
}

void TCfCustomEdit::Change()
{
    if (changing_)
        return;
    changing_ = true;
    ApplyCharCase();
    changing_ = false;
    TextChanged();
    if (OnChange)
        OnChange(this);
}

void TCfCustomEdit::EditKeyDown(uint16_t& key, TShiftState shift)
{
    TWinControl::KeyDown(key, shift);
}

void TCfCustomEdit::EditKeyPress(char32_t& key)
{
    TWinControl::KeyPress(key);
}

void TCfCustomEdit::EditKeyUp(uint16_t& key, TShiftState shift)
{
    TWinControl::KeyUp(key, shift);
}

void TCfCustomEdit::KeyDown(uint16_t& key, TShiftState shift)
{
    EditKeyDown(key, shift);
}

void TCfCustomEdit::KeyPress(char32_t& key)
{
    EditKeyPress(key);
}

void TCfCustomEdit::KeyUp(uint16_t& key, TShiftState shift)
{
    EditKeyUp(key, shift);
}

void TCfCustomEdit::keyPressEvent(QKeyEvent* e)
{
    // Keys the line edit passed on have been through the filters already.
    if (edit_->PassedOn == e) {
        edit_->PassedOn = nullptr;
        e->ignore();
        return;
    }
    TWinControl::keyPressEvent(e);
}

void TCfCustomEdit::keyReleaseEvent(QKeyEvent* e)
{
    if (edit_->PassedOn == e) {
        edit_->PassedOn = nullptr;
        e->ignore();
        return;
    }
    TWinControl::keyReleaseEvent(e);
}

void TCfCustomEdit::WMPaste()
{
    PasteText(Clipboard().Text());
}

void TCfCustomEdit::PasteText(const std::string& text)
{
    if (readOnly_ || !HasEditableText())
        return;
    // One line, without control characters.
    QString q = QString::fromStdString(text);
    QString clean;
    for (QChar c : q) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            break;
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            continue;
        clean += c;
    }
    edit_->insert(clean);
}

QMenu* TCfCustomEdit::CreateContextMenu()
{
    return edit_->CreateContextMenu();
}

// ---------------------------------------------------------------- edit

TCfEdit::TCfEdit(QWidget* owner) : TCfCustomEdit(owner) {}

void TCfEdit::MouseMove(TShiftState shift, int x, int y)
{
    int right = !info_->isHidden() ? info_->Width() : 0;
    SetCursor(x < right + 2 ? 1000 : crDefault);
    TCfCustomEdit::MouseMove(shift, x, y);
}

void TCfEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    int right = !info_->isHidden() ? info_->Width() : 0;
    if (x < right + 2 && HasEditableText())
        SelectAll();
    TCfCustomEdit::MouseDown(button, shift, x, y);
}

void TCfEdit::EditingStarted()
{
    edit_->end(false);
}

void TCfEdit::Paint(TCanvas& canvas)
{
    TCfCustomEdit::Paint(canvas);
}

void TCfEdit::SetBorderWidth(int w)
{
    borderWidth_ = std::max(0, w);
    ApplyInsets();
    PlaceInfo();
}

void TCfEdit::PaintNonClient(TCanvas& canvas)
{
    bool single = BorderStyle() == TBorderStyle::bsSingle;
    bool themed = false;
    if (single && ThemeServices().Active()) {
        // The styled edit frame, the area 2 px in from the edge left alone.
        int state = canvas.SaveState();
        TRect whole(0, 0, Width(), Height());
        canvas.ExcludeClipRect(InflateRect(whole, -2, -2));
        themed = ThemeServices().DrawPart(canvas, whole, "edit", 1, isEnabled() ? 1 : 4);
        canvas.RestoreState(state);
    }
    if (!themed)
        TCfCustomEdit::PaintNonClient(canvas);
    int b = single ? 2 : 0;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = Color;
    for (int i = 0; i < borderWidth_; ++i)
        canvas.FrameRect(InflateRect(TRect(0, 0, Width(), Height()), -(b + i), -(b + i)));
}


std::optional<std::string> TCfCustomEdit::TextProperty(const std::string& name) const
{
    if (SameText(name, "Text"))
        return Text();
    return TWinControl::TextProperty(name);
}

bool TCfCustomEdit::SetTextProperty(const std::string& name, const std::string& value)
{
    if (!SameText(name, "Text"))
        return TWinControl::SetTextProperty(name, value);
    SetText(value);
    return true;
}

} // namespace cf
