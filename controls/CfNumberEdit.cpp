#include "controls/CfEdit.h"

#include "controls/CfNativeEdit.h"

#include <cmath>
#include <limits>

namespace cf {

namespace {

std::u32string ToU32(const std::string& s)
{
    return QString::fromStdString(s).toStdU32String();
}

std::string FromU32(const std::u32string& s)
{
    return QString::fromStdU32String(s).toStdString();
}

bool IsSign(char32_t c)
{
    return c == U'+' || c == U'-';
}

bool HasSign(const std::u32string& s)
{
    return s.find(U'+') != std::u32string::npos || s.find(U'-') != std::u32string::npos;
}

int ClampToInt(double v)
{
    if (!(v >= double(std::numeric_limits<int>::min())))
        return std::numeric_limits<int>::min();
    if (v > double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return int(v);
}

} // namespace

std::u32string TCfCustomNumberEdit::CleanNumberText(const std::u32string& text, bool allowSeparator, bool allowSigns)
{
    std::u32string out;
    bool haveSeparator = false;
    for (char32_t c : text) {
        if (c >= U'0' && c <= U'9') {
            out += c;
        } else if (c == DecimalSeparator) {
            if (allowSeparator && !haveSeparator)
                out += c;
            haveSeparator = true;
        } else if (IsSign(c)) {
            if (allowSigns && out.empty())
                out += c;
        }
        // Everything else, control characters included, is dropped.
    }
    if (out.size() == 1 && IsSign(out[0]))
        out = U"0";
    return out;
}

TCfCustomNumberEdit::TCfCustomNumberEdit(QWidget* owner) : TCfEdit(owner) {}

double TCfCustomNumberEdit::Clamp(double v) const
{
    if (Min != 0 || Max != 0) {
        if (v > Max)
            v = Max;
        if (v < Min)
            v = Min;
    }
    return v;
}

std::optional<double> TCfCustomNumberEdit::Parse(const std::string& text) const
{
    std::u32string clean = CleanNumberText(ToU32(text), options_ & eoAllowFloat, options_ & eoAllowSigns);
    if (clean.empty())
        return Clamp(Min);
    double v = 0;
    if (!TryStrToFloat(FromU32(clean), v))
        return std::nullopt;
    // The value goes through its text once, as the class library's round trip does.
    double r = 0;
    if (!TryStrToFloat(FloatToStr(Clamp(v)), r))
        return std::nullopt;
    return Clamp(r);
}

double TCfCustomNumberEdit::Value() const
{
    std::string t = Text();
    if (!nullText_.empty() && t == nullText_)
        return 0;
    if (t.empty())
        return Min;
    if (auto v = Parse(t))
        return *v;
    return lastGood_;
}

void TCfCustomNumberEdit::Change()
{
    // The last good value follows the text, so reading Value needs to write nothing.
    std::string t = Text();
    if (!nullText_.empty() && t == nullText_)
        lastGood_ = 0;
    else if (!t.empty())
        if (auto v = Parse(t))
            lastGood_ = *v;
    TCfEdit::Change();
}

std::string TCfCustomNumberEdit::FormatValue(double v) const
{
    if (v == 0 && !nullText_.empty())
        return nullText_;
    if (options_ & eoAllowFloat) {
        if (precision_ <= 0)
            return textBefore_ + FloatToStr(v) + textAfter_;
        return textBefore_ + FloatToStrFixed(v, precision_) + textAfter_;
    }
    return textBefore_ + FloatToStrFixed(v, 0) + textAfter_;
}

void TCfCustomNumberEdit::SetValue(double v)
{
    lastGood_ = v;
    if (!InplaceEdit)
        SetText(FormatValue(v));
}

void TCfCustomNumberEdit::SetNullText(const std::string& s)
{
    double v = Value();
    nullText_ = s;
    if (v == 0)
        SetValue(0);
}

void TCfCustomNumberEdit::SetPrecision(int p)
{
    double v = Value();
    precision_ = p;
    SetValue(v);
}

void TCfCustomNumberEdit::SetTextAfter(const std::string& s)
{
    double v = Value();
    textAfter_ = s;
    if (!(options_ & eoAllowAll))
        SetValue(v);
}

void TCfCustomNumberEdit::SetTextBefore(const std::string& s)
{
    double v = Value();
    textBefore_ = s;
    if (!(options_ & eoAllowAll))
        SetValue(v);
}

int TCfCustomNumberEdit::GetAsInteger()
{
    return ClampToInt(std::trunc(Value()));
}

void TCfCustomNumberEdit::SetAsFloat(double v)
{
    SetText(FloatToStr(v));
    SetValue(v);
}

void TCfCustomNumberEdit::SetAsInteger(int v)
{
    SetText(std::to_string(v));
    SetValue(v);
}

void TCfCustomNumberEdit::EditingDone()
{
    if (!(options_ & eoAllowAll))
        SetValue(Value());
}

void TCfCustomNumberEdit::DoExit()
{
    if (!(options_ & eoAllowAll))
        SetValue(Value());
    TCfEdit::DoExit();
}

void TCfCustomNumberEdit::EditKeyDown(uint16_t& key, TShiftState shift)
{
    if ((options_ & eoDisableTyping) && (key == VK_BACK || key == VK_CLEAR || key == VK_DELETE)) {
        key = 0;
        return;
    }
    TCfEdit::EditKeyDown(key, shift);
}

void TCfCustomNumberEdit::EditKeyPress(char32_t& key)
{
    if (options_ & eoDisableTyping) {
        key = 0;
        return;
    }
    if (!(options_ & eoAllowAll) && key != 3 && key != 9 && key != 22 && key != 24) {
        bool digit = key >= U'0' && key <= U'9';
        if (!(digit || key == 8 || key == 13 || IsSign(key) || key == DecimalSeparator)) {
            key = 0;
            return;
        }
        std::u32string text = ToU32(Text());
        std::u32string sel = ToU32(SelText());
        if (key == DecimalSeparator) {
            bool textHas = text.find(DecimalSeparator) != std::u32string::npos;
            bool selHas = sel.find(DecimalSeparator) != std::u32string::npos;
            if (!(options_ & eoAllowFloat) || (textHas && !selHas)) {
                key = 0;
                return;
            }
        }
        if (IsSign(key)) {
            bool ok = (options_ & eoAllowSigns) && ((SelStart() == 0 && !HasSign(text)) || HasSign(sel));
            if (!ok) {
                key = 0;
                return;
            }
        }
    }
    TCfEdit::EditKeyPress(key);
}

void TCfCustomNumberEdit::PasteText(const std::string& clip)
{
    if ((options_ & eoDisablePaste) || ReadOnly())
        return;
    int caret = SelStart();
    std::u32string text = ToU32(Text());
    int selLen = SelLength();
    std::u32string rest = text;
    if (selLen > 0 && caret >= 0 && size_t(caret) <= rest.size())
        rest.erase(size_t(caret), size_t(selLen));
    caret = std::clamp(caret, 0, int(rest.size()));
    bool separator = (options_ & eoAllowFloat) && rest.find(DecimalSeparator) == std::u32string::npos;
    bool signs = (options_ & eoAllowSigns) && caret == 0;
    std::u32string clean = CleanNumberText(ToU32(clip), separator, signs);
    double v = Min;
    if (!clean.empty() && !TryStrToFloat(FromU32(clean), v))
        return;  // nothing that reads as a number: the paste is ignored
    std::u32string piece = ToU32(FloatToStr(Clamp(v)));
    rest.insert(size_t(caret), piece);
    SetText(FromU32(rest));
    SetSelStart(caret);
}

TCfNumberEdit::TCfNumberEdit(QWidget* owner) : TCfCustomNumberEdit(owner)
{
    SetValue(0);
}

} // namespace cf
