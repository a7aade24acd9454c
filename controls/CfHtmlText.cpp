#include "controls/CfSharedDraw.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace cf {

namespace {

std::string Lower(std::string s)
{
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Unquote(std::string s)
{
    s.erase(std::remove(s.begin(), s.end(), '"'), s.end());
    return s;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Font sizes the renderer accepts from markup; anything else keeps the
// current size (a huge size from untrusted text would only cost memory).
constexpr int kMinSize = 1;
constexpr int kMaxSize = 144;

class HtmlRenderer {
public:
    HtmlRenderer(TCanvas& c, const TRect& r, THtmlResult& res, bool draw, TPoint offset, TPoint hit)
        : c_(c), rect_(r), res_(res), draw_(draw), hit_(hit)
    {
        x_ = r.Left + offset.X;
        y_ = r.Top + offset.Y;
        lineLeft_ = x_;
        res_.Href.clear();
        res_.MaxX = x_;
        res_.Height = 0;
    }

    void Run(const std::string& text)
    {
        size_t i = 0;
        const size_t n = text.size();
        while (i < n) {
            char ch = text[i];
            if (ch != '<') {
                run_ += ch;
                ++i;
                continue;
            }
            Flush();
            i = ParseTag(text, i + 1);
        }
        Flush();
        // Height of the last (possibly empty) run below the current line top.
        res_.Height = c_.TextHeight(run_) + y_ - rect_.Top;
    }

private:
    struct Saved {
        std::string tag;
        TFont font;
    };

    void Flush()
    {
        if (run_.empty())
            return;
        TSize ext = c_.TextExtent(run_);
        if (draw_)
            c_.DrawTextLineRaw(x_, y_, run_, nullptr, false);
        x_ += ext.cx;
        res_.MaxX = std::max(res_.MaxX, x_);
        lineHeight_ = std::max(lineHeight_, ext.cy);
        run_.clear();
    }

    // Parses a tag whose "<" was at i - 1; returns the index after its ">"
    // (or the end of the text for an unterminated tag, which is dropped).
    size_t ParseTag(const std::string& t, size_t i)
    {
        const size_t n = t.size();
        std::string name;
        bool closing = false;
        while (i < n && !IsBlank(t[i]) && t[i] != '>') {
            if (t[i] == '/')
                closing = closing || name.empty();
            else
                name += t[i];
            ++i;
        }
        name = Lower(name);
        const bool known = name == "a" || name == "b" || name == "font" || name == "i" || name == "u";
        if (!closing && known)
            stack_.push_back({name, c_.Font});  // what the closing tag gives back
        // Attributes: name=value pairs; quotes switch quoting on and off.
        while (i < n && t[i] != '>') {
            while (i < n && IsBlank(t[i]))
                ++i;
            std::string attr;
            while (i < n && t[i] != '=' && t[i] != '>' && !IsBlank(t[i]))
                attr += t[i++];
            if (i < n && t[i] == '=') {
                ++i;
                std::string value;
                bool quoted = false;
                while (i < n) {
                    char ch = t[i];
                    if (ch == '"') {
                        quoted = !quoted;
                        value += ch;
                    } else if (!quoted && (IsBlank(ch) || ch == '>')) {
                        break;
                    } else {
                        value += ch;
                    }
                    ++i;
                }
                if (!closing)
                    Attribute(name, Lower(attr), Unquote(value));
            } else if (attr.empty() && i < n && t[i] != '>') {
                ++i;  // a stray character such as "/" before ">"
            }
        }
        if (i >= n)
            return n;  // no ">": the tag is not applied
        Apply(name, closing);
        return i + 1;
    }

    void Attribute(const std::string& tag, const std::string& attr, const std::string& value)
    {
        if (tag == "font") {
            if (attr == "color") {
                TColor col = HtmlColorToColor(value);
                if (col != clNone)
                    c_.Font.Color = col;
            } else if (attr == "name") {
                // Only an installed family: an unknown name from the text
                // would send the font lookup on a search of its own.
                if (!value.empty() && value.size() < 64 &&
                    IsFontFamilyInstalled(value))
                    c_.Font.Name = value;
            } else if (attr == "size") {
                int size = 0;
                auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), size);
                if (ec == std::errc() && end == value.data() + value.size() && size >= kMinSize && size <= kMaxSize)
                    c_.Font.Size = size;
            }
        } else if (tag == "a" && attr == "href") {
            href_ = value;
        }
    }

    void Apply(const std::string& name, bool closing)
    {
        if (name == "br") {
            y_ += lineHeight_ > 0 ? lineHeight_ : c_.TextHeight("");
            x_ = lineLeft_;
            lineHeight_ = 0;
            ++line_;
            return;
        }
        if (closing) {
            if (name == "a")
                EndLink();
            // Back to the font of the matching opening tag; a closing tag
            // without one changes nothing.
            for (size_t k = stack_.size(); k-- > 0;)
                if (stack_[k].tag == name) {
                    c_.Font = stack_[k].font;
                    stack_.resize(k);
                    break;
                }
            return;
        }
        if (name == "a") {
            c_.Font.Style |= fsUnderline;
            c_.Font.Color = 0xFF0000;  // pure blue
            linkX_ = x_;
            linkLine_ = line_;
            inLink_ = true;
        } else if (name == "b") {
            c_.Font.Style |= fsBold;
        } else if (name == "i") {
            c_.Font.Style |= fsItalic;
        } else if (name == "u") {
            c_.Font.Style |= fsUnderline;
        }
    }

    void EndLink()
    {
        if (!inLink_)
            return;
        inLink_ = false;
        if (draw_)
            return;
        // A link broken by <br> is tested on the line where it ends.
        int left = linkLine_ == line_ ? linkX_ : lineLeft_;
        int height = lineHeight_ > 0 ? lineHeight_ : c_.TextHeight("");
        TRect r(left, y_, x_, y_ + height);
        if (PtInRect(r, hit_))
            res_.Href = href_;
    }

    TCanvas& c_;
    TRect rect_;
    THtmlResult& res_;
    bool draw_;
    TPoint hit_;
    int x_ = 0, y_ = 0, lineLeft_ = 0, lineHeight_ = 0;
    int line_ = 0;
    std::string run_;
    std::vector<Saved> stack_;
    std::string href_;
    bool inLink_ = false;
    int linkX_ = 0;
    int linkLine_ = 0;
};

} // namespace

void DrawHtmlText(TCanvas& canvas, const TRect& rect, const std::string& text, THtmlResult& result, bool draw,
                  TPoint offset, TPoint hit)
{
    TFont font = canvas.Font;
    TBrushStyle brush = canvas.Brush.Style;
    canvas.Brush.Style = bsClear;
    HtmlRenderer r(canvas, rect, result, draw, offset, hit);
    r.Run(text);
    canvas.Font = font;
    canvas.Brush.Style = brush;
}

} // namespace cf
