#pragma once

// The About window: borderless, centred on the screen, the maker's picture
// (a click opens the maker's site), the version and an Exit button.

#include "platform/Forms.h"

#include <string>

namespace cf {
class TCfButton;
class TCfLabel;
class TCfPanel;
} // namespace cf

inline constexpr const char* MakerSite = "https://chanforge.example.org";

class TForm_About : public cf::TForm {
public:
    explicit TForm_About(QWidget* owner = nullptr);

    cf::TControl* Image_Maker = nullptr;
    cf::TCfLabel* CfLabel_Version = nullptr;
    cf::TCfLabel* CfLabel_Title = nullptr;
    cf::TCfLabel* CfLabel_Text = nullptr;
    cf::TCfLabel* CfLabel_Site = nullptr;
    cf::TCfLabel* CfLabel_Mail = nullptr;
    cf::TCfButton* BitBtn_Exit = nullptr;

    void FormShow();
    void Image_MakerClick();
    void DoShow() override { FormShow(); }
    void Paint(cf::TCanvas& canvas) override;
};

extern TForm_About* Form_About;
