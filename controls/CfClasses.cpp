#include "controls/CfClasses.h"

#include "platform/DrawText.h"
#include "platform/Forms.h"

namespace cf {

int WideTextWidth(TCanvas& canvas, const std::string& text)
{
    return canvas.TextWidth(text);
}

int WideTextHeight(TCanvas& canvas, const std::string& text)
{
    return canvas.TextHeight(text);
}

int WideCalcTextHeight(TCanvas& canvas, const std::string& text)
{
    TRect r(0, 0, 0, 0);
    DrawText(canvas, text, r, DT_CALCRECT);
    return r.Height();
}

void ActivateHintWide(THintWindow* hint, const TRect& rect, const std::string& text)
{
    if (hint)
        hint->ActivateHint(rect, text);
}

void ActivateHintDataWide(THintWindow* hint, const TRect& rect, const std::string& text, void* data)
{
    if (hint)
        hint->ActivateHintData(rect, text, data);
}

void ReleaseHintWindow(THintWindow* hint)
{
    if (hint && hint->HandleAllocated())
        hint->ReleaseHandle();
}

bool IsParentFormActive(const QWidget* control)
{
    if (!control)
        return false;
    const auto* form = dynamic_cast<const TForm*>(control->window());
    return form && form->isActiveWindow();
}

void ClampInt(int& value, int minimum, int maximum)
{
    if (value < minimum)
        value = minimum;
    if (value > maximum)
        value = maximum;
}

bool IsUnsetPoint(TPoint p)
{
    return p.X == -1 || p.Y == -1;
}

std::string GetStringsValue(const std::vector<std::string>& list, int index)
{
    if (index < 0 || index >= int(list.size()))
        return {};
    const std::string& line = list[size_t(index)];
    size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

} // namespace cf
