// Whatever the clipboard holds, pasting it into a number edit and reading the
// value back must neither fail nor leave text that reads differently from
// what the edit reports, and item texts of a combo box must never fault.

#include "controls/CfEdit.h"
#include "controls/CfPopupControl.h"

#include <QApplication>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libfreetype\nleak:libQt6Gui\nleak:libQt6Core\nleak:libQt6Widgets\nleak:libdbus\n";
}

namespace {
cf::TCfNumberEdit* g_edit = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QT_FONT_DPI", "96", 1);
    new QApplication(*argc, *argv);  // never destroyed, as Qt's caches dislike teardown at exit
    g_edit = new cf::TCfNumberEdit();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    cf::TCfNumberEdit& e = *g_edit;
    e.SetOptions(data[0] & 0x1F);
    e.Min = (data[1] & 1) ? -10 : 0;
    e.Max = (data[1] & 2) ? 1000 : 0;
    std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    e.SetText("");
    e.PasteText(text);
    double v = e.Value();
    if (!std::isfinite(v))
        abort();
    if ((e.Min != 0 || e.Max != 0) && (v < e.Min || v > e.Max) && !e.Text().empty())
        abort();
    e.SetText(text);
    (void)e.Value();
    e.EditingDone();
    (void)cf::ItemDisplayText(text, cf::TItemsDisplayMode::dmValueList);
    (void)cf::ItemIndentLevel(text);
    return 0;
}
