#include "platform/TaskBar.h"

#include "platform/QtConvert.h"

#include <QGuiApplication>
#include <QScreen>

namespace cf {

namespace {
std::function<std::optional<TAppBarData>()>& Override()
{
    static std::function<std::optional<TAppBarData>()> f;
    return f;
}
} // namespace

std::optional<TAppBarData> TaskBarPos()
{
    if (Override())
        return Override()();
    QScreen* s = QGuiApplication::primaryScreen();
    if (!s)
        return std::nullopt;
    const TRect all = FromQRect(s->geometry()), work = FromQRect(s->availableGeometry());
    // The widest strip the work area leaves out is the task bar.
    const int left = work.Left - all.Left, top = work.Top - all.Top;
    const int right = all.Right - work.Right, bottom = all.Bottom - work.Bottom;
    const int most = std::max(std::max(left, top), std::max(right, bottom));
    if (most <= 0)
        return std::nullopt;
    if (bottom == most)
        return TAppBarData{TRect(all.Left, work.Bottom, all.Right, all.Bottom), TAppBarEdge::abeBottom};
    if (top == most)
        return TAppBarData{TRect(all.Left, all.Top, all.Right, work.Top), TAppBarEdge::abeTop};
    if (left == most)
        return TAppBarData{TRect(all.Left, all.Top, work.Left, all.Bottom), TAppBarEdge::abeLeft};
    return TAppBarData{TRect(work.Right, all.Top, all.Right, all.Bottom), TAppBarEdge::abeRight};
}

void SetTaskBarOverride(std::function<std::optional<TAppBarData>()> query) { Override() = std::move(query); }

} // namespace cf
