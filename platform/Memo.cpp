#include "platform/Memo.h"
#include "platform/SameText.h"

#include "platform/Errors.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

namespace cf {

// ---------------------------------------------------------------- lines

int TMemoLines::Count() const
{
    const QTextDocument* doc = memo_.Editor()->document();
    int n = doc->blockCount();
    if (doc->lastBlock().length() <= 1) // only its paragraph end: no text of its own
        --n;
    return n;
}

std::string TMemoLines::operator[](int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return memo_.Editor()->document()->findBlockByNumber(index).text().toStdString();
}

void TMemoLines::Add(const std::string& line)
{
    QPlainTextEdit* edit = memo_.Editor();
    QTextCursor c(edit->document());
    c.movePosition(QTextCursor::End);
    // Every added line ends with a break, so the next one starts on its own
    // line even after text typed or set without one.
    if (!c.block().text().isEmpty())
        c.insertText(QStringLiteral("\n"));
    c.insertText(QString::fromStdString(line) + QLatin1Char('\n'));
    edit->setTextCursor(c);
    edit->ensureCursorVisible();
}

void TMemoLines::Set(int index, const std::string& line)
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    QTextCursor c(memo_.Editor()->document()->findBlockByNumber(index));
    c.movePosition(QTextCursor::StartOfBlock);
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    c.insertText(QString::fromStdString(line));
}

namespace {
class TMemoTextLines : public TTextLines {
public:
    explicit TMemoTextLines(TMemoLines& lines) : lines_(lines) {}
    int Count() const override { return lines_.Count(); }
    std::string Line(int index) const override { return lines_[index]; }
    void SetLine(int index, const std::string& text) override { lines_.Set(index, text); }

private:
    TMemoLines& lines_;
};
} // namespace

std::optional<std::string> TMemo::TextProperty(const std::string& name) const
{
    if (SameText(name, "Text"))
        return Text();
    return TWinControl::TextProperty(name);
}

bool TMemo::SetTextProperty(const std::string& name, const std::string& value)
{
    if (!SameText(name, "Text"))
        return TWinControl::SetTextProperty(name, value);
    SetText(value);
    return true;
}

std::unique_ptr<TTextLines> TMemo::LinesProperty(const std::string& name)
{
    if (!SameText(name, "Lines"))
        return nullptr;
    return std::make_unique<TMemoTextLines>(lines_);
}

void TMemoLines::Clear() { memo_.Editor()->clear(); }

std::string TMemoLines::Text() const { return memo_.Text(); }

// ---------------------------------------------------------------- memo

TMemo::TMemo(QWidget* parent) : TWinControl(parent)
{
    Color = clWindow;
    edit_ = new QPlainTextEdit(this);
    edit_->setFrameShape(QFrame::NoFrame);
    edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusProxy(edit_);
    SetBorderStyle(TBorderStyle::bsSingle);
    ApplyPalette();
    edit_->setFont(Font.ToQFont());
    SetBounds(0, 0, 185, 89);
}

std::string TMemo::Text() const { return edit_->toPlainText().toStdString(); }

void TMemo::SetText(const std::string& text) { edit_->setPlainText(QString::fromStdString(text)); }

bool TMemo::ReadOnly() const { return edit_->isReadOnly(); }

void TMemo::SetReadOnly(bool on) { edit_->setReadOnly(on); }

bool TMemo::ClaimsDialogKey(uint16_t key, TShiftState shift) const
{
    return key == VK_RETURN && !(shift & ssCtrl) && !ReadOnly() && isEnabled();
}

void TMemo::SetScrollBars(TScrollStyle s)
{
    scrollBars_ = s;
    const bool h = s == ssHorizontal || s == ssBoth, v = s == ssVertical || s == ssBoth;
    edit_->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    edit_->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TMemo::SetWordWrap(bool on)
{
    wordWrap_ = on;
    edit_->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::SetColor(TColor c)
{
    Color = c;
    ApplyPalette();
    Invalidate();
}

void TMemo::SetFont(const TFont& f)
{
    Font = f;
    edit_->setFont(Font.ToQFont());
    ApplyPalette();
}

int TMemo::TopLine() const { return edit_->cursorForPosition(QPoint(0, 0)).blockNumber(); }

bool TMemo::LineVisible(int index) const
{
    QTextBlock b = edit_->document()->findBlockByNumber(index);
    if (!b.isValid())
        return false;
    QTextCursor c(b);
    const QRect r = edit_->cursorRect(c);
    return r.top() >= 0 && r.bottom() < edit_->viewport()->height();
}

void TMemo::Paint(TCanvas& canvas) { canvas.FillRect(ClientRect(), Color); }

void TMemo::Resize()
{
    PlaceEditor();
    TWinControl::Resize();
}

void TMemo::UpdateInsets()
{
    TWinControl::UpdateInsets();
    PlaceEditor();
}

void TMemo::PlaceEditor()
{
    if (edit_)
        edit_->setGeometry(ClientOffset().X, ClientOffset().Y, ClientWidth(), ClientHeight());
}

void TMemo::ApplyPalette()
{
    QPalette pal = edit_->palette();
    pal.setColor(QPalette::Base, ToQColor(Color));
    pal.setColor(QPalette::Text, ToQColor(Font.Color));
    edit_->setPalette(pal);
}

} // namespace cf
