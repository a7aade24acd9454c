// The start-up alert shows text from the network in the main window's alert
// box: any body the fetch lets through (up to 64 KB) must size, paint and
// hit-test the box without failing, with the box's own sizes and fonts.

#include "app/StartupAlert.h"
#include "controls/CfAlertWindow.h"

#include <QApplication>
#include <QMouseEvent>

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libfreetype\nleak:libQt6Gui\nleak:libQt6Core\nleak:libQt6Widgets\nleak:libdbus\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QT_FONT_DPI", "96", 1);
    new QApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    static cf::TCfAlertWindow* alert = MakeMainAlert(nullptr).release();
    const std::string text(reinterpret_cast<const char*>(data), size);
    PopStartupAlert(*alert, text);
    alert->CloseAlert();
    alert->Render();
    const int x = size > 0 ? data[0] : 20, y = size > 1 ? data[1] : 60;
    QMouseEvent move(QEvent::MouseMove, QPointF(x, y), QPointF(x, y), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(alert, &move);
    return 0;
}
