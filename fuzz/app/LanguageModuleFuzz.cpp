// A language module is a file anyone can drop beside the program. Whatever
// bytes it holds, opening it, reading message texts from it and translating
// a window with it must stay inside the file's bytes and never fault; the
// input is used both as a whole module and as the bytes of each resource of
// a well-formed module, so the resource tables themselves get exercised.

#include "app/LcUnit.h"
#include "controls/CfEdit.h"
#include "grid/CfGrid.h"
#include "platform/Forms.h"
#include "platform/Label.h"
#include "platform/Memo.h"
#include "platform/Menus.h"
#include "platform/PeResources.h"
#include "settings/MessageTexts.h"

#include <QApplication>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libfreetype\nleak:libQt6Gui\nleak:libQt6Core\nleak:libQt6Widgets\nleak:libdbus\n";
}

class TForm_Fuzz : public cf::TForm {
public:
    TForm_Fuzz()
    {
        Name = "Form_Fuzz";
        auto* label = new cf::TLabel(this);
        label->Name = "Label1";
        auto* memo = new cf::TMemo(this);
        memo->Name = "Memo1";
        memo->Lines().Add("a");
        memo->Lines().Add("b");
        auto* combo = new cf::TCfComboBox(this);
        combo->Name = "CB_Type";
        combo->SetItems({"x", "y", "z"});
        auto* grid = new TCfGrid(this);
        grid->Name = "LV_Serv";
        grid->Columns().Add<TCfTextColumn>();
        grid->Columns().Add<TCfTextColumn>();
        menu.Name = "Pop";
        menu.Add("Pop_Item", "Item");
        RegisterMenu(menu);
    }
    cf::TPopupMenu menu;
};

namespace {

TForm_Fuzz* g_form = nullptr;
std::string g_path;

using TBytes = std::vector<std::uint8_t>;

void Put32(TBytes& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

// A one-section module whose resources "LCHEADER", "1002" and "TFORM_FUZZ"
// hold `header`, `strings` and `form`.
TBytes Module(const TBytes& header, const TBytes& strings, const TBytes& form)
{
    const std::vector<std::pair<std::u16string, const TBytes*>> res{
        {u"LCHEADER", &header}, {u"1002", &strings}, {u"TFORM_FUZZ", &form}};
    TBytes r(16 + 8 + 16 + 3 * 8 + 3 * (16 + 8) + 3 * 16, 0);
    const std::size_t types = 24, langs = types + 16 + 3 * 8, entries = langs + 3 * 24;
    r[14] = 1;
    Put32(r, 16, 10);
    Put32(r, 20, 0x80000000u | types);
    r[types + 12] = 3;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t nameAt = r.size();
        r.push_back(std::uint8_t(res[i].first.size()));
        r.push_back(0);
        for (char16_t c : res[i].first) {
            r.push_back(std::uint8_t(c));
            r.push_back(0);
        }
        while (r.size() % 4)
            r.push_back(0);
        const std::size_t dataAt = r.size();
        r.insert(r.end(), res[i].second->begin(), res[i].second->end());
        Put32(r, types + 16 + 8 * i, 0x80000000u | std::uint32_t(nameAt));
        Put32(r, types + 20 + 8 * i, 0x80000000u | std::uint32_t(langs + 24 * i));
        r[langs + 24 * i + 14] = 1;
        Put32(r, langs + 24 * i + 16, 1033);
        Put32(r, langs + 24 * i + 20, std::uint32_t(entries + 16 * i));
        Put32(r, entries + 16 * i, 0x1000 + std::uint32_t(dataAt));
        Put32(r, entries + 16 * i + 4, std::uint32_t(res[i].second->size()));
    }
    TBytes b(0x200, 0);
    b[0] = 'M';
    b[1] = 'Z';
    Put32(b, 0x3C, 0x80);
    b[0x80] = 'P';
    b[0x81] = 'E';
    b[0x86] = 1;
    b[0x94] = 224;
    b[0x98] = 0x0B;
    b[0x99] = 0x01;
    Put32(b, 0x98 + 92, 16);
    Put32(b, 0x98 + 96 + 16, 0x1000);
    Put32(b, 0x98 + 96 + 20, std::uint32_t(r.size()));
    const std::size_t sec = 0x98 + 224;
    Put32(b, sec + 8, std::uint32_t(r.size()));
    Put32(b, sec + 12, 0x1000);
    Put32(b, sec + 16, std::uint32_t(r.size()));
    Put32(b, sec + 20, 0x200);
    b.insert(b.end(), r.begin(), r.end());
    return b;
}

void Exercise(const TBytes& module)
{
    {
        std::ofstream out(g_path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(module.data()), std::streamsize(module.size()));
    }
    int seen = 0;
    const int result = LoadLanguage(g_path, 1040, [&seen](int) { return ++seen < 1000; });
    if (result < -1 || result > 1 || LanguageActive() != (result == 1))
        std::abort();
    (void)LoadRs(rs::HaltQuestion);
    // The same string resource as a text with values: its placeholders are the module's.
    constexpr cf::TResStringRec withValues{rs::HaltQuestion.Id, "%s then %0:s and %s"};
    if (LoadRsFmt(withValues, {"a", "b"}).empty())
        std::abort();
    TranslateForm(*g_form);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QT_FONT_DPI", "96", 1);
    new QApplication(*argc, *argv);
    g_form = new TForm_Fuzz();
    g_path = "/tmp/fuzz-language-" + std::to_string(getpid()) + ".lcf";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TBytes input(data, data + size);
    Exercise(input);
    // The same bytes as each resource of an otherwise sound module.
    TBytes header{'L', 'C', 'H', 'E', 'A', 'D', 'E', 'R', 1, 0, 0, 0, 2, 0, 0, 0, 0x09, 0x04, 0, 0, 0x10, 0x04, 0, 0};
    Exercise(Module(header, input, input));
    Exercise(Module(input, input, input));
    return 0;
}
