// The service details dialog on a real set: opened from the service list by
// the keyboard, its checks, its store and what the main window and the
// saved files show afterwards.

#include "DialogFixture.h"

#include "app/Configuration.h"
#include "app/DialogBuild.h"
#include "app/DialogFields.h"
#include "app/ServiceCommands.h"
#include "app/ServiceDetails.h"
#include "app/Unit_ChDetails.h"
#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfLabel.h"
#include "controls/CfPanel.h"
#include "controls_panels/SyntheticInput.h"

#include <set>
#include "settings/Fields.h"

namespace fs = std::filesystem;
using namespace cf;
using cftest::DialogFixture;

namespace {

struct IdCase {
    const char* text;
    bool decimal;
    bool emptyAllowed;
    std::optional<std::string> stored;
};

TEST(DialogFields, TypedIdsAndPidsFitSixteenBits)
{
    const IdCase cases[] = {
        {"1ff", false, true, "01FF"},   {"FFFF", false, true, "FFFF"}, {"0", false, false, "0000"},
        {"10000", false, true, {}},     {"-", false, true, {}},         {"-1", false, true, {}},
        {"1g", false, true, {}},        {" 12", false, true, {}},       {"", false, true, ""},
        {"", false, false, {}},         {"65535", true, true, "FFFF"},  {"65536", true, true, {}},
        {"511", true, true, "01FF"},    {"00511", true, true, "01FF"},  {"-", true, true, {}},
        {"1a", true, true, {}},         {"999999", true, true, {}},     {"", true, false, {}},
    };
    for (const IdCase& c : cases)
        EXPECT_EQ(IdFromText(c.text, c.decimal, c.emptyAllowed), c.stored)
            << "'" << c.text << "' decimal " << c.decimal;
}

TEST(DialogFields, IdsShownInTheChosenNumberDisplay)
{
    EXPECT_EQ(ShowId("01FF", true), "511");
    EXPECT_EQ(ShowId("01FF", false), "01FF");
    EXPECT_EQ(ShowId("00C00000", true), "12582912");
    EXPECT_EQ(ShowId("FFFF0000", true), "4294901760");
    EXPECT_EQ(ShowId("", true), "");
}

TEST(DialogFields, TransponderLineHasTwoBlanksAfterThePolarisation)
{
    TY_ENIG_TP tp;
    tp.Position = "019.2E";
    tp.Frequency = "11778000";
    tp.Polarisation = "1";
    tp.SymbolRate = "27500000";
    tp.Fec = "3";
    EXPECT_EQ(TpListText(tp), "019.2E 11778000 V  27500000 3/4");
    tp.Polarisation = "0";
    tp.Fec = "15";
    EXPECT_EQ(TpListText(tp), "019.2E 11778000 H  27500000 None");
}

struct FilterCase {
    std::int32_t type;
    int typeIndex;
    bool refresh;
};

TEST(ServiceDetails, RefreshWhenTheServiceLeavesTheTypeFilter)
{
    const FilterCase cases[] = {{2, 1, true}, {1, 1, false}, {25, 1, false}, {3, 3, false},
                                {1, 3, true}, {2, 2, false}, {4, 2, true},   {7, 0, false}};
    for (const FilterCase& c : cases)
        EXPECT_EQ(LeavesFilters(c.type, c.typeIndex, 0, " All ", "019.2E"), c.refresh)
            << c.type << " with filter " << c.typeIndex;
    EXPECT_TRUE(LeavesFilters(1, 0, 2, "019.2E", "013.0E"));
    EXPECT_FALSE(LeavesFilters(1, 0, 2, "019.2E", "019.2E"));
}

class ChDetails : public DialogFixture {
protected:
    TForm_ChDetails& d() { return *Form_ChDetails; }

    // Opens the dialog on service `index` with Enter on the service list.
    void OpenOn(std::int32_t index, const std::function<void()>& inside)
    {
        SelectService(index);
        m->LV_Serv->SetFocus();
        WhileModal(d(), [&] { Key(m->LV_Serv, Qt::Key_Return, "\r"); }, inside);
    }
    int TpRowOf(std::int32_t tpIndex) { return dlg::FindRow(*d().GV_Tp_List, 1, std::to_string(tpIndex)); }
};

TEST_F(ChDetails, PresentInNamesEachProviderAndBouquetOnceUnderRedSections)
{
    const std::int32_t number = AppendNewService();
    ASSERT_GE(number, 0);
    TY_ENIG_UB a, b;
    a.Name = "Films";
    a.Entries = {{"S", std::to_string(number), ""}, {"D", "marker", ""}, {"S", std::to_string(number), ""}};
    b.Name = "Sport";
    b.Entries = {{"S", std::to_string(number), ""}};
    TvBouquets.push_back(a);
    TvBouquets.push_back(b);
    const std::vector<TPresentInRow> expected = {
        {"     Provider    ", true}, {TvListName, true}, {"Films", false}, {"Sport", false}, {RadioListName, true}};
    EXPECT_EQ(PresentInRows(number), expected);

    m->FillChannel();
    OpenOn(static_cast<std::int32_t>(Services.size() - 1), [&] {
        ASSERT_EQ(d().GV_PresentIn->RowCount(), 5);
        EXPECT_EQ(d().GV_PresentIn->Cells(0, 2), "Films");
        EXPECT_EQ(d().GV_PresentIn->Cell(0, 0).Color(), clRed);
        EXPECT_EQ(d().GV_PresentIn->Cell(0, 1).Color(), clRed);
        EXPECT_NE(d().GV_PresentIn->Cell(0, 2).Color(), clRed);
        messages.Answer(mrYes);
        d().CfButt_Exit->Click();
    });
}

TEST_F(ChDetails, SaveStoresNameSidPidsAndTransponderAndTheFilesCarryExactlyThat)
{
    Dec_Format = false;
    const fs::path base = SaveAndReload("base");
    m->FillChannel();
    const std::int32_t index = 0;
    const TY_ENIG_CH before = Services[index];
    const std::int32_t newTp = before.TpIndex == 0 ? 1 : 0;
    OpenOn(index, [&] {
        EXPECT_EQ(d().Tx_Ch_Name->Text(), before.Name);
        EXPECT_EQ(d().Label_ChNo->Caption(), std::to_string(before.Number));
        d().Tx_Ch_Name->SetText("Renamed Service");
        d().TX_CH_PID_Vid->SetText("1ff");
        EXPECT_TRUE(d().PidExit(PID_VIDEO));
        EXPECT_EQ(d().TX_CH_PID_Vid->Text(), "01FF");
        d().TX_CH_PID_AUD->SetText("2c");
        d().TX_Ch_Sid->SetText("abc");
        dlg::SelectRow(*d().GV_Tp_List, TpRowOf(newTp));
        EXPECT_EQ(d().Tx_Ch_Tp_Freq->Text(), Transponders[newTp].Frequency);
        d().CfButt_Save->Click();
    });
    EXPECT_TRUE(messages.Log().empty());
    const TY_ENIG_CH& s = Services[index];
    EXPECT_EQ(s.Name, "Renamed Service");
    EXPECT_EQ(s.Sid, "0ABC");
    EXPECT_EQ(s.Pids[PID_VIDEO], "01FF");
    EXPECT_EQ(s.Pids[PID_AUDIO], "002C");
    EXPECT_EQ(s.TpIndex, newTp);
    EXPECT_EQ(s.Key, "0ABC" + Transponders[newTp].Key + std::to_string(before.ServiceType));
    EXPECT_TRUE(Modified);
    const int row = m->JumpToChNo(before.Number);
    ASSERT_GE(row, 0);
    EXPECT_EQ(m->LV_Serv->Cells(ServColService, row), "Renamed Service");

    const fs::path edited = SaveAndReload("edited");
    std::multiset<std::string> a, b;
    std::istringstream ia(Read(base / "lamedb")), ib(Read(edited / "lamedb"));
    for (std::string l; std::getline(ia, l);)
        a.insert(l);
    for (std::string l; std::getline(ib, l);)
        b.insert(l);
    std::vector<std::string> gone, added;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(gone));
    std::set_difference(b.begin(), b.end(), a.begin(), a.end(), std::back_inserter(added));
    // The service's three lines: reference, name, provider and PIDs.
    EXPECT_EQ(gone.size(), 3u);
    ASSERT_EQ(added.size(), 3u);
    EXPECT_EQ(ToLowerAscii(added[0].substr(0, 4)), "0abc") << added[0];
    EXPECT_NE(std::find(added.begin(), added.end(), "Renamed Service"), added.end());
    const std::int32_t again = ServiceNamed("Renamed Service");
    ASSERT_GE(again, 0);
    EXPECT_EQ(Services[again].Pids[PID_VIDEO], "01FF");
    EXPECT_EQ(Transponders[Services[again].TpIndex].Key, Transponders[newTp].Key);
}

TEST_F(ChDetails, ARefusedFieldStoresNothing)
{
    struct Case {
        bool decimal;
        const char* type;
        const char* sid;
        const char* pid;
        std::string message;
    };
    const Case cases[] = {{false, "1", "1234", "10000", OnlyHexText},
                          {false, "1", "", "0100", OnlyHexText},
                          {true, "1", "70000", "100", OnlyNumericText},
                          {true, "tv", "100", "100", "'tv' is not a valid integer value"}};
    for (const Case& c : cases) {
        Dec_Format = c.decimal;
        const TY_ENIG_CH before = Services[3];
        OpenOn(3, [&] {
            d().Tx_Ch_Name->SetText("Should not be stored");
            d().Tx_Ch_Type->SetText(c.type);
            d().TX_Ch_Sid->SetText(c.sid);
            d().TX_CH_PID_Pcr->SetText(c.pid);
            messages.PressEnter();
            d().CfButt_Save->Click();
            EXPECT_EQ(d().ModalResult(), mrNone);
            messages.Answer(mrYes);
            d().CfButt_Exit->Click();
        });
        ASSERT_GE(messages.Log().size(), 2u);
        EXPECT_EQ(messages.Log()[0].Text, c.message);
        EXPECT_EQ(messages.Log()[1].Text, ChangesLostText);
        EXPECT_EQ(Services[3], before) << c.type << " " << c.sid << " " << c.pid;
        messages.Clear();
    }
    Dec_Format = false;
}

TEST_F(ChDetails, TypeTakenAsANumberAndTheNewMarkCleared)
{
    Services[5].Flags |= FLAG_NEW | FLAG_NOPMT;
    Services[5].ServiceType = 1;
    m->FillChannel();
    OpenOn(5, [&] {
        EXPECT_TRUE(d().CB_NOPMT->Checked());
        d().Tx_Ch_Type->SetText("01");
        d().CfButt_Save->Click();
    });
    EXPECT_EQ(Services[5].Flags, FLAG_NOPMT);
    EXPECT_EQ(Services[5].ServiceType, 1);
    EXPECT_EQ(Services[5].Key.back(), '1');
    EXPECT_NE(Services[5].Key.substr(Services[5].Key.size() - 2), "01");
}

TEST_F(ChDetails, ChangingTheTypeUnderTheTvFilterRefillsTheList)
{
    m->CB_Type->SetItemIndex(1);
    m->ConditionFillChange();
    const std::int32_t index = m->ServiceIndexOfRow(0);
    const std::int32_t number = Services[index].Number;
    const int rows = m->LV_Serv->RowCount();
    OpenOn(index, [&] {
        d().Tx_Ch_Type->SetText("2");
        d().CfButt_Save->Click();
    });
    EXPECT_TRUE(RefreshList);
    EXPECT_EQ(m->LV_Serv->RowCount(), rows - 1);
    EXPECT_LT(m->JumpToChNo(number), 0);
}

TEST_F(ChDetails, ClosingWithoutSaveAsksAndNoKeepsTheDialogOpen)
{
    const TY_ENIG_CH before = Services[2];
    OpenOn(2, [&] {
        d().Tx_Ch_Name->SetText("Typed but not saved");
        messages.Answer(mrNo);
        d().Close();
        EXPECT_EQ(d().ModalResult(), mrNone);
        messages.Answer(mrYes);
        d().CfButt_Exit->Click();
    });
    EXPECT_FALSE(d().Modal());
    EXPECT_EQ(Services[2], before);
}

// The SID and the PIDs are checked as the focus leaves them (Tab), in both
// number displays: an accepted text is shown padded, a refused one gets
// its message and the focus back, and the dialog left stores nothing.
TEST_F(ChDetails, IdsAreCheckedAsTheFocusLeavesThem)
{
    struct Case {
        bool decimal;
        bool pid;
        const char* typed;
        const char* shown; // nullptr: refused
    };
    const Case cases[] = {{false, true, "1ff", "01FF"}, {false, false, "abc", "0ABC"}, {false, true, "", ""},
                          {false, true, "10000", nullptr}, {false, false, "-", nullptr}, {false, true, "x1", nullptr},
                          {true, true, "8191", "8191"},   {true, false, "65536", nullptr}, {true, true, "1f", nullptr}};
    const TY_ENIG_CH before = Services[3];
    for (const Case& c : cases) {
        Dec_Format = c.decimal;
        messages.Clear();
        OpenOn(3, [&] {
            TCfEdit& edit = c.pid ? *d().TX_CH_PID_Pcr : *d().TX_Ch_Sid;
            LeaveEditWith(edit, c.typed, c.shown);
            if (!c.shown)
                messages.PressEnter(); // said once more as the focus leaves for Exit
            messages.Answer(mrYes); // all changes will be lost
            Click(*d().CfButt_Exit);
        });
        if (c.shown) {
            ASSERT_EQ(messages.Log().size(), 1u) << c.typed;
        } else {
            ASSERT_EQ(messages.Log().size(), 3u) << c.typed;
            EXPECT_EQ(messages.Log()[0].Text, c.decimal ? OnlyNumericText : OnlyHexText) << c.typed;
            EXPECT_EQ(messages.Log()[1].Text, messages.Log()[0].Text) << c.typed;
        }
        EXPECT_EQ(messages.Log().back().Text, ChangesLostText);
        EXPECT_EQ(Services[3], before) << c.typed;
    }
    Dec_Format = false;
}

} // namespace
