#include "platform/DrawText.h"

#include <QFontMetrics>
#include <QString>

#include <algorithm>

namespace cf {

namespace {

struct Line {
    QString text;
    std::vector<bool> ul;  // underline flag per character
};

struct Prefixed {
    QString text;
    std::vector<bool> ul;
};

Prefixed StripPrefixes(const QString& in, unsigned flags)
{
    Prefixed out;
    if (flags & DT_NOPREFIX) {
        out.text = in;
        out.ul.assign(size_t(in.size()), false);
        return out;
    }
    for (qsizetype i = 0; i < in.size(); ++i) {
        QChar c = in[i];
        if (c == u'&') {
            if (i + 1 >= in.size())
                break;  // a lone trailing "&" shows nothing
            ++i;
            out.text += in[i];
            out.ul.push_back(in[i] != u'&' && !(flags & DT_HIDEPREFIX));
            continue;
        }
        out.text += c;
        out.ul.push_back(false);
    }
    return out;
}

Line Slice(const Prefixed& p, qsizetype from, qsizetype to)
{
    Line l;
    l.text = p.text.mid(from, to - from);
    l.ul.assign(p.ul.begin() + from, p.ul.begin() + to);
    return l;
}

void WrapParagraph(const Prefixed& p, qsizetype from, qsizetype to, int width, bool breakWords,
                   const QFontMetrics& fm, std::vector<Line>& out)
{
    auto w = [&](qsizetype a, qsizetype b) { return fm.horizontalAdvance(p.text.mid(a, b - a)); };
    qsizetype start = from;
    if (from == to) {
        out.push_back(Line{});
        return;
    }
    while (start < to) {
        // Extend word by word while the line (without trailing blanks) fits.
        qsizetype end = start;       // end of accepted text
        qsizetype i = start;
        // leading blanks of the first line of a paragraph belong to it
        while (i < to && p.text[i] == u' ')
            ++i;
        bool first = true;
        while (i < to) {
            qsizetype wordEnd = i;
            while (wordEnd < to && p.text[wordEnd] != u' ')
                ++wordEnd;
            if (!first && w(start, wordEnd) > width)
                break;
            if (first && w(start, wordEnd) > width && breakWords) {
                // Break inside the word at the last character that fits (at least one).
                qsizetype k = i + 1;
                while (k < wordEnd && w(start, k + 1) <= width)
                    ++k;
                end = k;
                i = k;
                first = false;
                break;
            }
            end = wordEnd;
            first = false;
            i = wordEnd;
            while (i < to && p.text[i] == u' ')
                ++i;
        }
        if (end == start) {
            // only blanks left
            end = to;
        }
        out.push_back(Slice(p, start, end));
        // blanks at a break are swallowed
        start = end;
        while (start < to && p.text[start] == u' ')
            ++start;
    }
}

// The line cut down to `text`: its first `kept` characters are those of `l`
// and keep their underline marks; what follows (the dots, a path's tail) is
// never underlined.
Line Shortened(const Line& l, qsizetype kept, const QString& text)
{
    Line r;
    r.text = text;
    r.ul.assign(l.ul.begin(), l.ul.begin() + kept);
    r.ul.resize(size_t(text.size()), false);
    return r;
}

Line Ellipsize(const Line& l, int width, unsigned flags, const QFontMetrics& fm)
{
    if (fm.horizontalAdvance(l.text) <= width)
        return l;
    const QString dots = QStringLiteral("...");
    if (flags & DT_PATH_ELLIPSIS) {
        qsizetype slash = std::max(l.text.lastIndexOf(u'\\'), l.text.lastIndexOf(u'/'));
        if (slash > 0) {
            QString tail = l.text.mid(slash);
            for (qsizetype k = slash; k >= 0; --k) {
                QString cand = l.text.left(k) + dots + tail;
                if (fm.horizontalAdvance(cand) <= width || k == 0)
                    return Shortened(l, k, cand);
            }
        }
    }
    if (!(flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)))
        return l;
    for (qsizetype k = l.text.size(); k >= 0; --k) {
        QString cand = l.text.left(k) + dots;
        if (fm.horizontalAdvance(cand) <= width || k == 0)
            return Shortened(l, k, cand);
    }
    return l;
}

QString ExpandTabs(const QString& s)
{
    QString out;
    int col = 0;
    for (QChar c : s) {
        if (c == u'\t') {
            int n = 8 - (col % 8);
            out += QString(n, u' ');
            col += n;
        } else {
            out += c;
            col = (c == u'\n' || c == u'\r') ? 0 : col + 1;
        }
    }
    return out;
}

} // namespace

int DrawText(TCanvas& canvas, const std::string& text, TRect& rect, unsigned flags)
{
    QFontMetrics fm(canvas.Font.ToQFont());
    QString src = QString::fromStdString(text);
    if (flags & DT_EXPANDTABS)
        src = ExpandTabs(src);
    Prefixed p = StripPrefixes(src, flags);
    const int width = rect.Width();
    const int lineHeight = fm.height() + ((flags & DT_EXTERNALLEADING) ? fm.leading() : 0);
    const bool single = (flags & DT_SINGLELINE) != 0;

    std::vector<Line> lines;
    if (p.text.isEmpty()) {
        // nothing to lay out
    } else if (single) {
        Prefixed q;
        for (qsizetype i = 0; i < p.text.size(); ++i)
            if (p.text[i] != u'\r' && p.text[i] != u'\n') {
                q.text += p.text[i];
                q.ul.push_back(p.ul[size_t(i)]);
            }
        lines.push_back(Slice(q, 0, q.text.size()));
    } else {
        qsizetype start = 0;
        for (qsizetype i = 0; i <= p.text.size(); ++i) {
            bool atEnd = i == p.text.size();
            if (!atEnd && p.text[i] != u'\r' && p.text[i] != u'\n')
                continue;
            if (flags & DT_WORDBREAK)
                WrapParagraph(p, start, i, width, (flags & DT_EDITCONTROL) != 0, fm, lines);
            else
                lines.push_back(Slice(p, start, i));
            if (!atEnd && p.text[i] == u'\r' && i + 1 < p.text.size() && p.text[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS))
        for (auto& l : lines)
            l = Ellipsize(l, width, flags, fm);

    // Each line is measured once here; laying it out below reuses the width.
    int maxWidth = 0;
    std::vector<int> widths;
    widths.reserve(lines.size());
    for (auto& l : lines) {
        widths.push_back(fm.horizontalAdvance(l.text));
        maxWidth = std::max(maxWidth, widths.back());
    }
    const int total = int(lines.size()) * lineHeight;

    int y = rect.Top;
    if (single && !lines.empty()) {
        if (flags & DT_VCENTER)
            y = rect.Top + (rect.Height() - lineHeight) / 2;
        else if (flags & DT_BOTTOM)
            y = rect.Bottom - lineHeight;
    }

    if (flags & DT_CALCRECT) {
        rect.Right = rect.Left + maxWidth;
        rect.Bottom = rect.Top + total;
        return total;
    }

    const bool opaque = canvas.Brush.Style != bsClear;
    const bool clip = !(flags & DT_NOCLIP);
    const bool rtl = (flags & DT_RTLREADING) != 0;
    for (size_t k = 0; k < lines.size(); ++k) {
        const Line& l = lines[k];
        const int lw = widths[k];
        int x = rect.Left;
        if (flags & DT_CENTER)
            x = rect.Left + (width - lw) / 2;
        else if (flags & DT_RIGHT)
            x = rect.Right - lw;
        std::string s = l.text.toStdString();
        if (!(flags & DT_PREFIXONLY))
            canvas.DrawTextLineRaw(x, y, s, clip ? &rect : nullptr, opaque, rtl);
        for (size_t i = 0; i < l.ul.size(); ++i) {
            if (!l.ul[i])
                continue;
            int x0 = x + fm.horizontalAdvance(l.text.left(qsizetype(i)));
            int x1 = x + fm.horizontalAdvance(l.text.left(qsizetype(i) + 1));
            if (clip) {
                x0 = std::max(x0, rect.Left);
                x1 = std::min(x1, rect.Right);
            }
            if (x1 > x0)
                canvas.DrawUnderline(x0, x1, y);
        }
        y += lineHeight;
    }
    if (single && (flags & (DT_VCENTER | DT_BOTTOM)) && !lines.empty())
        return y - rect.Top;
    return total;
}

} // namespace cf
