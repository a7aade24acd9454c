#pragma once

// The multi-line edit of the class library: a framed text area whose lines
// are reached through Lines(). The text itself lives in a frameless
// QPlainTextEdit filling the client area; the control keeps the Windows
// client edge around it.

#include "platform/Controls.h"

#include <string>

class QPlainTextEdit;

namespace cf {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
using enum TScrollStyle;

class TMemo;

// The memo's lines. A line break at the very end does not start a line of its
// own, so "a\nb\n" is two lines, as on Windows.
class TMemoLines {
public:
    explicit TMemoLines(TMemo& memo) : memo_(memo) {}
    int Count() const;
    // Throws EListError outside 0..Count()-1.
    std::string operator[](int index) const;
    // Appends a line at the end and scrolls it into view.
    void Add(const std::string& line);
    void Clear();
    // Replaces line `index` (0 .. Count()-1, else EListError).
    void Set(int index, const std::string& line);
    std::string Text() const;

private:
    TMemo& memo_;
};

class TMemo : public TWinControl {
public:
    explicit TMemo(QWidget* parent = nullptr);

    TMemoLines& Lines() { return lines_; }
    const TMemoLines& Lines() const { return lines_; }
    std::string Text() const;
    void SetText(const std::string& text);

    // Translatable texts: Lines (line by line), Text, Hint.
    std::optional<std::string> TextProperty(const std::string& name) const override;
    bool SetTextProperty(const std::string& name, const std::string& value) override;
    std::unique_ptr<TTextLines> LinesProperty(const std::string& name) override;
    bool ReadOnly() const;
    void SetReadOnly(bool on);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle s);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);
    void SetColor(TColor c);
    void SetFont(const TFont& f);
    // Index of the first line shown (lines as the view wraps them count once).
    int TopLine() const;
    // Whether line `index` lies within the visible area.
    bool LineVisible(int index) const;

    QPlainTextEdit* Editor() const { return edit_; }

    // Return starts a new line in a memo the user can edit; in a read-only
    // one it stays the form's default-button key. Escape always goes to the form.
    bool ClaimsDialogKey(uint16_t key, TShiftState shift) const override;

    void Paint(TCanvas& canvas) override;
    void Resize() override;

protected:
    void UpdateInsets() override;

private:
    void PlaceEditor();
    void ApplyPalette();

    QPlainTextEdit* edit_ = nullptr;
    TMemoLines lines_{*this};
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
};

} // namespace cf
