#pragma once

// The main window's alert box and the one pop-up it makes when the window is
// first shown, with the text the splash fetched.

#include <memory>
#include <string>

class QWidget;
namespace cf {
class TCfAlertWindow;
}

// The alert box as the main window carries it: caption "Chanforge Alert",
// close button, HTML text, word wrap, width 248, header 50. A link in the
// (untrusted) text is never followed; its href only reaches OnLinkClick.
std::unique_ptr<cf::TCfAlertWindow> MakeMainAlert(QWidget* owner);

// Height 30 per "<br>" plus 30 (at most the screen's work area), then
// Popup(text, 10).
void PopStartupAlert(cf::TCfAlertWindow& alert, const std::string& text);
