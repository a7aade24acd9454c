// The alert text shown at start-up comes from the network and is rendered by
// DrawHtmlText: any byte sequence must draw and hit-test without failing.

#include "controls/CfSharedDraw.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdint>
#include <cstdlib>
#include <string>

// Font and display libraries keep caches they never free; those are not
// findings of this target.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libfreetype\nleak:libQt6Gui\nleak:libQt6Core\nleak:libdbus\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QT_FONT_DPI", "96", 1);
    // Never destroyed: tearing Qt's font caches down during exit crashes.
    new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096)
        return 0;  // the alert text is short; longer inputs only cost time
    static QImage img(320, 200, QImage::Format_RGB32);
    img.fill(0xFFFFFFFFu);
    cf::TCanvas canvas(&img);
    std::string text(reinterpret_cast<const char*>(data), size);
    cf::THtmlResult result;
    cf::DrawHtmlText(canvas, cf::TRect(4, 4, 316, 196), text, result, true);
    int hx = size > 0 ? data[0] : 10, hy = size > 1 ? data[1] : 10;
    cf::DrawHtmlText(canvas, cf::TRect(4, 4, 316, 196), text, result, false, cf::TPoint(0, 0), cf::TPoint(hx, hy));
    return 0;
}
