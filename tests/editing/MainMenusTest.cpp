// The three context menus: items in order with their captions, which items
// each opening enables, the lock captions, the "Delete Satellite" submenu,
// the entry menu's status line, and shared handlers told apart by name and
// tag.

#include "app/MainMenus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Captions(const cf::TPopupMenu& menu)
{
    std::vector<std::string> v;
    for (int i = 0; i < menu.Items.Count(); ++i)
        v.push_back(menu.Items[i].Caption);
    return v;
}

std::vector<std::string> Enabled(const cf::TPopupMenu& menu)
{
    std::vector<std::string> v;
    for (int i = 0; i < menu.Items.Count(); ++i)
        if (!menu.Items[i].IsLine() && menu.Items[i].Enabled)
            v.push_back(menu.Items[i].Caption);
    return v;
}

struct Recorder {
    std::vector<std::pair<std::string, intptr_t>> calls;
    TMenuDispatch dispatch = [this](cf::TMenuItem& item) { calls.emplace_back(item.Name, item.Tag); };
};

} // namespace

TEST(MainMenus, ServiceMenuItemsInOrder)
{
    Recorder r;
    cf::TPopupMenu menu;
    BuildPop_Lv_Serv(menu, r.dispatch);
    EXPECT_EQ(Captions(menu),
              (std::vector<std::string>{"Insert service", "Delete service", "Remove from bouquets", "Delete Satellite",
                                        "Modify service", "-", "Copy", "Cut", "Paste", "-",
                                        " Parental Lock (BlackList)", "NODVB (Keep name)", "DONTSHOW (Hide service)",
                                        "NOPMT (Use PIDs from settings)", "Remove  NEW flag", "-", "Find",
                                        "Capitalize", "Clear PIDs"}));
}

TEST(MainMenus, ServiceMenuStatesAtEachOpening)
{
    Recorder r;
    cf::TPopupMenu menu;
    BuildPop_Lv_Serv(menu, r.dispatch);
    struct Case {
        const char* what;
        TServMenuState state;
        std::vector<std::string> enabled;
    };
    const std::vector<std::string> all = {"Insert service", "Delete service", "Remove from bouquets", "Delete Satellite",
                                          "Modify service", "Copy", "Cut", "Paste", " Parental Lock (BlackList)",
                                          "NODVB (Keep name)", "DONTSHOW (Hide service)",
                                          "NOPMT (Use PIDs from settings)", "Remove  NEW flag", "Find", "Capitalize",
                                          "Clear PIDs"};
    std::vector<std::string> noPaste = all;
    std::erase(noPaste, "Paste");
    std::vector<std::string> noSat = noPaste;
    std::erase(noSat, "Delete Satellite");
    const Case cases[] = {
        {"nothing loaded", {}, {}},
        {"loaded, clipboard holds a block", {true, true, true, false, {"019.2E"}}, all},
        {"no block", {true, true, false, false, {"019.2E"}}, noPaste},
        {"one satellite filter item only", {true, true, false, false, {}}, noSat},
        // The satellite submenu follows the filter list, not the rows shown.
        {"filters hide every row", {true, false, true, false, {"019.2E"}}, {"Insert service", "Delete Satellite", "Paste"}},
    };
    for (const Case& c : cases) {
        Pop_Lv_ServStates(menu, c.state, r.dispatch);
        EXPECT_EQ(Enabled(menu), c.enabled) << c.what;
    }
}

TEST(MainMenus, DeleteSatelliteSubmenuFollowsTheSatelliteFilter)
{
    Recorder r;
    cf::TPopupMenu menu;
    BuildPop_Lv_Serv(menu, r.dispatch);
    Pop_Lv_ServStates(menu, {true, true, false, false, {"013.0E", "019.2E", "Terrestrial"}}, r.dispatch);
    Pop_Lv_ServStates(menu, {true, true, false, true, {"013.0E", "019.2E"}}, r.dispatch);
    const cf::TMenuItem* sat = menu.FindItem("Pop_Ch_DelSat");
    ASSERT_EQ(sat->Count(), 2) << "rebuilt, not added to";
    EXPECT_EQ((*sat)[1].Caption, "019.2E");
    EXPECT_EQ((*sat)[1].Tag, 2);
    EXPECT_EQ(menu.FindItem("Pop_ParLock")->Caption, " Parental Lock (WhiteList)");

    EXPECT_TRUE(menu.Invoke(DeleteSatItemName));
    EXPECT_EQ(r.calls, (std::vector<std::pair<std::string, intptr_t>>{{DeleteSatItemName, 1}}));
}

TEST(MainMenus, SharedHandlersGetTheirItemsNameAndTag)
{
    Recorder r;
    cf::TPopupMenu serv, type, det;
    BuildPop_Lv_Serv(serv, r.dispatch);
    BuildPop_Lv_TypeOfList(type, r.dispatch);
    BuildPop_lvdetails(det, r.dispatch);
    serv.OnPopup = [&](cf::TPopupMenu& m) { Pop_Lv_ServStates(m, {true, true, true, false, {}}, r.dispatch); };
    type.OnPopup = [](cf::TPopupMenu& m) { Pop_Lv_TypeOfListStates(m, {true, true, false, false, false}); };
    det.OnPopup = [](cf::TPopupMenu& m) {
        Pop_lvdetailsStates(m, {true, false, true, true, false, false, 3});
    };
    const std::pair<cf::TPopupMenu*, const char*> clicks[] = {
        {&serv, "L_ON"},      {&serv, "L_OFF"},        {&serv, "K_ON"},           {&serv, "H_OFF"},
        {&serv, "NOPMT_ON"},  {&serv, "Pop_Ch_FindService"}, {&serv, "Pop_Ch_FindAgain"},
        {&type, "TY_L_ON"},   {&det, "DET_L_OFF"},    {&det, "DET_K_ON"},        {&det, "DET_H_ON"},
        {&det, "DETT_NOPMT_OFF"},
    };
    for (const auto& [menu, name] : clicks)
        EXPECT_TRUE(menu->Invoke(name)) << name;
    EXPECT_EQ(r.calls, (std::vector<std::pair<std::string, intptr_t>>{
                           {"L_ON", 1}, {"L_OFF", 0}, {"K_ON", 1}, {"H_OFF", 0}, {"NOPMT_ON", 1},
                           {"Pop_Ch_FindService", 0}, {"Pop_Ch_FindAgain", 1}, {"TY_L_ON", 1},
                           {"DET_L_OFF", 0}, {"DET_K_ON", 1}, {"DET_H_ON", 1}, {"DETT_NOPMT_OFF", 0}}));
}

TEST(MainMenus, BouquetMenuItemsAndStates)
{
    Recorder r;
    cf::TPopupMenu menu;
    BuildPop_Lv_TypeOfList(menu, r.dispatch);
    EXPECT_EQ(Captions(menu),
              (std::vector<std::string>{"Insert bouquet", "Delete bouquet", "Rename bouquet", "Remove Empty Bouquets",
                                        "-", "Cut", "Paste", "-", " Parental Lock (BlackList)", "-", "Capitalize",
                                        "-", "Export User Bouquet", "Import User Bouquet"}));
    struct Case {
        const char* what;
        TTypeMenuState state;
        std::vector<std::string> enabled;
    };
    const std::vector<std::string> rowsOnly = {"Delete bouquet", "Rename bouquet", "Remove Empty Bouquets", "Cut",
                                               " Parental Lock (BlackList)", "Capitalize", "Export User Bouquet",
                                               "Import User Bouquet"};
    std::vector<std::string> withPaste = {"Insert bouquet", "Delete bouquet", "Rename bouquet", "Remove Empty Bouquets",
                                          "Cut", "Paste", " Parental Lock (BlackList)", "Capitalize",
                                          "Export User Bouquet", "Import User Bouquet"};
    const Case cases[] = {
        {"empty", {}, {}},
        {"services, no bouquet, something cut", {true, false, true, false, false}, {"Insert bouquet", "Paste"}},
        {"services, no bouquet, a block", {true, false, false, true, false}, {"Insert bouquet", "Paste"}},
        {"bouquets, no services", {false, true, false, false, false}, rowsOnly},
        {"everything", {true, true, true, false, false}, withPaste},
    };
    for (const Case& c : cases) {
        Pop_Lv_TypeOfListStates(menu, c.state);
        EXPECT_EQ(Enabled(menu), c.enabled) << c.what;
    }
}

TEST(MainMenus, EntryMenuItemsStatesAndStatusLine)
{
    Recorder r;
    cf::TPopupMenu menu;
    BuildPop_lvdetails(menu, r.dispatch);
    EXPECT_EQ(Captions(menu),
              (std::vector<std::string>{"---        Empty list          ---", "-", "Insert Marker", "Remove from list",
                                        "Modify  Service", "Rename in bouquet", "-", "Copy", "Cut", "Paste", "-",
                                        " Parental Lock (BlackList)", "NODVB (Keep name)", "DONTSHOW (Hide service)",
                                        "NOPMT (Use PIDs from setttings)", "-", "Capitalize", "Clear PIDs"}));
    struct Case {
        const char* what;
        TDetailsMenuState state;
        std::string status;
        std::vector<std::string> enabled;
    };
    const std::vector<std::string> onMarker = {"Insert Marker", "Remove from list", "Rename in bouquet",
                                               "Copy", "Cut", "Capitalize"};
    const std::vector<std::string> onService = {"Insert Marker", "Remove from list", "Modify  Service",
                                                "Rename in bouquet", "Copy", "Cut", "Paste",
                                                " Parental Lock (WhiteList)", "NODVB (Keep name)",
                                                "DONTSHOW (Hide service)", "NOPMT (Use PIDs from setttings)",
                                                "Capitalize", "Clear PIDs"};
    const Case cases[] = {
        {"empty bouquet", {true, false, false, false, false, false, 0}, "---        Empty list          ---",
         {"Insert Marker"}},
        {"empty bouquet, a block", {true, false, false, false, true, false, 0}, "---        Empty list          ---",
         {"Insert Marker", "Paste"}},
        {"no list at all", {false, false, false, false, true, false, 0}, "---        Empty list          ---", {}},
        {"provider", {true, true, true, true, false, false, 4}, "--- Provider list  ---",
         {"Remove from list", "Modify  Service", "Rename in bouquet", "Copy", "Cut", " Parental Lock (BlackList)",
          "NODVB (Keep name)", "DONTSHOW (Hide service)", "NOPMT (Use PIDs from setttings)", "Capitalize",
          "Clear PIDs"}},
        {"marker", {true, false, true, false, false, false, 0}, "--- This is a description line ---", onMarker},
        {"service", {true, false, true, true, true, true, 57}, "This is position 57", onService},
    };
    for (const Case& c : cases) {
        Pop_lvdetailsStates(menu, c.state);
        EXPECT_EQ(menu.Items[0].Caption, c.status) << c.what;
        EXPECT_EQ(Enabled(menu), c.enabled) << c.what;
    }
    EXPECT_FALSE(menu.Invoke("pop_det_status")) << "the status line is no command";
}
