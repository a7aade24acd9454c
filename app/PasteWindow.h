#pragma once

// The progress window while services are pasted: shown once the block's
// size is known, advanced now and then, and hidden again however the paste
// ends, a damaged block and a failure half-way included.

#include "app/BlockClipboard.h"
#include "controls/CfProgress.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <string>

class TPasteWindow {
public:
    // `line` is the one task line the window shows.
    TPasteWindow(cf::TCfProgress& progress, QWidget* mainWindow, std::string caption, std::string line);
    ~TPasteWindow();
    TPasteWindow(const TPasteWindow&) = delete;
    TPasteWindow& operator=(const TPasteWindow&) = delete;

    void Show(std::size_t count);
    void Step(std::size_t done);
    bool Shown() const { return shown_; }
    // Hooks for PasteFromClipboard that drive this window.
    TPasteProgress Hooks();

private:
    cf::TCfProgress& progress_;
    QPointer<QWidget> main_;
    std::string caption_;
    std::string line_;
    bool shown_ = false;
    std::uint64_t lastServe_ = 0;
};

// The task lines of a paste.
inline constexpr const char* PasteFromClipboardLine = "Pasting channel(s) from clipboard";
inline constexpr const char* PasteFromFileLine = "Pasting channel(s) from User Bouquet file";
