// The transponder editor on a real set: the namespace and key of a stored
// transponder, the checks that keep a record whole, insert, cancel and
// delete, and the Tp button's round trip through the main window.

#include "DialogFixture.h"

#include "app/Configuration.h"
#include "app/DialogBuild.h"
#include "app/DialogFields.h"
#include "app/ServiceCommands.h"
#include "app/TransponderEdit.h"
#include "app/Unit_Tp.h"
#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfLabel.h"
#include "controls/CfPanel.h"
#include "controls_panels/SyntheticInput.h"
#include "settings/Fields.h"

#include <set>
#include <variant>

namespace fs = std::filesystem;
using namespace cf;
using cftest::DialogFixture;

namespace {

TEST(TransponderEdit, PositionsTakeTheSixCharacterForm)
{
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"19.2E", "019.2E"}, {"019.2E", "019.2E"}, {"30.0w", "030.0W"}, {"0.8W", "000.8W"},
        {"180.0E", "180.0E"}, {"180.1E", {}},      {"19,2E", {}},       {"19.2", {}},
        {"Terrestrial", {}}, {"19.25E", {}},       {"", {}},            {"x9.2E", {}}};
    for (const auto& [text, form] : cases)
        EXPECT_EQ(NormalizePosition(text), form) << text;
    EXPECT_EQ(PositionTenths("019.2E"), 192);
    EXPECT_EQ(PositionTenths("030.0W"), -300);
    EXPECT_EQ(NamespacePosition("030.0W"), "3300");
    EXPECT_EQ(NamespacePosition("019.2E"), "192");
}

TEST(TransponderEdit, FecChoicesFollowTheVersion)
{
    EXPECT_EQ(FecItems(2), (std::vector<std::string>{"Auto", "1/2", "2/3", "3/4", "5/6", "7/8", "None"}));
    EXPECT_EQ(FecItems(5).size(), 7u);
    EXPECT_EQ(FecItems(3), (std::vector<std::string>{"Auto", "1/2", "2/3", "3/4", "3/5", "4/5", "5/6", "7/8",
                                                     "8/9", "9/10", "None"}));
    EXPECT_EQ(FecItems(4).size(), 11u);
}

TEST(TransponderEdit, SatelliteChoicesMergeTheXmlNames)
{
    ClearModel();
    TY_ENIG_SAT astra;
    astra.Name = "Astra 1";
    astra.PositionText = "019.2E";
    TY_ENIG_SAT thor;
    thor.Name = "Thor";
    thor.PositionText = "000.8W";
    Satellites = {astra, thor};
    EXPECT_EQ(TpSatItems({" All ", "019.2E", "013.0E", "Terrestrial"}),
              (std::vector<std::string>{"019.2E --> Astra 1", "013.0E", "Terrestrial", "000.8W Thor"}));
    ClearModel();
}

// A satellite transponder of 19.2E as the tests' sets hold it.
TY_ENIG_TP AstraTp()
{
    TY_ENIG_TP s;
    s.Kind = "S";
    s.Namespace = "00C00000";
    s.Tsid = "0441";
    s.Onid = "0001";
    s.Key = s.Namespace + s.Tsid + s.Onid;
    s.Frequency = "11778000";
    s.SymbolRate = "27500000";
    s.Polarisation = "1";
    s.Fec = "3";
    s.Position = "019.2E";
    return s;
}

// One transponder of each kind and two services on the satellite one.
class TpStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearModel();
        TY_ENIG_TP s = AstraTp();
        TY_ENIG_TP c = s;
        c.Kind = "C";
        c.Namespace = "FFFF0000";
        c.Position = "Cable";
        c.SymbolRate = "6900000";
        c.Key = c.Namespace + c.Tsid + c.Onid;
        TY_ENIG_TP t = c;
        t.Kind = "T";
        t.Namespace = "EEEE0000";
        t.Position = "Terrestrial";
        t.Key = t.Namespace + t.Tsid + t.Onid;
        Transponders = {s, c, t};
        for (int i = 0; i < 2; ++i) {
            TY_ENIG_CH ch;
            ch.Sid = i == 0 ? "0001" : "0002";
            ch.ServiceType = 1;
            ch.TpIndex = 0;
            ch.Number = 200 + i;
            ch.Key = ch.Sid + s.Key + "1";
            Services.push_back(ch);
        }
    }
    void TearDown() override { ClearModel(); }

    static TTpFields Fields(const std::string& sat, const std::string& tsid, const std::string& onid,
                            const std::string& frequency = "11778000")
    {
        TTpFields f;
        f.SatItem = sat;
        f.Polarisation = 1;
        f.Frequency = frequency;
        f.SymbolRate = "27500000";
        f.FecText = "3/4";
        f.Tsid = tsid;
        f.Onid = onid;
        return f;
    }
};

TEST_F(TpStore, NamespacesByKindAndPosition)
{
    struct Case {
        int tp;
        const char* sat;
        const char* tsid;
        const char* onid;
        bool decimal;
        const char* ns;
    };
    const Case cases[] = {
        {0, "019.2E --> Astra", "0441", "0001", false, "00C00000"},
        {0, "019.2E --> Astra", "1089", "1", true, "00C00000"},  // decimal 1089 = 0x441
        {0, "030.0W Hispasat", "0441", "0001", false, "FED40000"},
        {0, "013.0E", "0000", "0000", false, "0082B7D0"},        // no network id: frequency & FFFF
        {1, "019.2E", "0441", "0001", false, "FFFF0000"},
        {2, "030.0W", "0441", "0001", false, "EEEE0000"},
    };
    for (const Case& c : cases) {
        SetUp();
        const auto r = StoreTransponder(c.tp, Fields(c.sat, c.tsid, c.onid), c.decimal);
        ASSERT_TRUE(std::holds_alternative<TTpStored>(r)) << c.sat;
        EXPECT_EQ(Transponders[c.tp].Namespace, c.ns) << c.sat << " " << c.tp;
        EXPECT_EQ(Transponders[c.tp].Key, std::string(c.ns) + Transponders[c.tp].Tsid + Transponders[c.tp].Onid);
    }
    EXPECT_EQ(Transponders[1].Position, "Cable");
    EXPECT_EQ(Transponders[2].Position, "Terrestrial");
}

TEST_F(TpStore, HexIdsArePaddedAndTheServicesFollowTheNewKey)
{
    const auto r = StoreTransponder(0, Fields("019.2E", "1a", "2"), false);
    ASSERT_TRUE(std::holds_alternative<TTpStored>(r));
    EXPECT_EQ(Transponders[0].Tsid, "001A");
    EXPECT_EQ(Transponders[0].Onid, "0002");
    EXPECT_EQ(Transponders[0].Key, "00C00000001A0002");
    EXPECT_EQ(Services[0].Key, "000100C00000001A00021");
    EXPECT_EQ(Services[1].Key, "000200C00000001A00021");
    EXPECT_FALSE(std::get<TTpStored>(r).ListChanged);
    const auto moved = StoreTransponder(0, Fields("019.2E", "1a", "2", "12000000"), false);
    EXPECT_TRUE(std::get<TTpStored>(moved).ListChanged);
}

TEST_F(TpStore, ARefusedFieldStoresNothing)
{
    struct Case {
        TTpFields fields;
        TTpField field;
    };
    TTpFields badRate = Fields("019.2E", "0441", "0001");
    badRate.SymbolRate = "27.5";
    const Case cases[] = {{Fields("Terrestrial", "0441", "0001"), TTpField::Satellite},
                          {Fields("", "0441", "0001"), TTpField::Satellite},
                          {Fields("019.2E", "0441", "0001", "11778x"), TTpField::Frequency},
                          {Fields("019.2E", "0441", "0001", ""), TTpField::Frequency},
                          {badRate, TTpField::SymbolRate},
                          {Fields("019.2E", "", "0001"), TTpField::Tsid},
                          {Fields("019.2E", "0441", "10000"), TTpField::Onid},
                          {Fields("019.2E", "0441", "-"), TTpField::Onid},
                          // the key of the transponder below
                          {Fields("019.2E", "0442", "0001"), TTpField::Tsid}};
    TY_ENIG_TP other = Transponders[0];
    other.Tsid = "0442";
    other.Key = other.Namespace + other.Tsid + other.Onid;
    Transponders.push_back(other);
    const ARR_ENIG_TP before = Transponders;
    const ARR_ENIG_CH services = Services;
    for (const Case& c : cases) {
        const auto r = StoreTransponder(0, c.fields, false);
        ASSERT_TRUE(std::holds_alternative<TTpError>(r));
        EXPECT_EQ(std::get<TTpError>(r).Field, c.field);
        EXPECT_EQ(Transponders, before);
        EXPECT_EQ(Services, services);
    }
}

TEST_F(TpStore, DeletingATransponderMovesLaterServicesDown)
{
    Services[1].TpIndex = 2;
    TY_ENIG_UB ub;
    ub.Name = "Fav";
    ub.Entries = {{"S", "200", ""}, {"S", "201", ""}};
    TvBouquets = {ub};
    EXPECT_EQ(DeleteTransponder(0, true), 1u);
    ASSERT_EQ(Transponders.size(), 2u);
    ASSERT_EQ(Services.size(), 1u);
    EXPECT_EQ(Services[0].Number, 201);
    EXPECT_EQ(Services[0].TpIndex, 1);
    EXPECT_EQ(Transponders[1].Kind, "T");
    ASSERT_EQ(TvBouquets[0].Entries.size(), 1u);
    EXPECT_EQ(TvBouquets[0].Entries[0][1], "201");
}

class TpDialog : public DialogFixture {
protected:
    TForm_Tp& t() { return *Form_Tp; }
    void SelectTp(std::int32_t index)
    {
        dlg::SelectRow(*t().GV_Tp_List, dlg::FindRow(*t().GV_Tp_List, 1, std::to_string(index)));
    }
};

TEST_F(TpDialog, TheTpButtonEditsFrequencyAndTsidAndTheFilesCarryExactlyThat)
{
    Dec_Format = false;
    const fs::path base = SaveAndReload("base");
    m->FillChannel();
    const std::int32_t service = m->ServiceIndexOfRow(3);
    const std::int32_t number = Services[service].Number;
    const std::int32_t tpIndex = Services[service].TpIndex;
    const TY_ENIG_TP before = Transponders[tpIndex];
    std::size_t onTp = 0;
    for (const TY_ENIG_CH& s : Services)
        onTp += s.TpIndex == tpIndex;
    m->SelectRowQuietly(*m->LV_Serv, 3);
    messages.Answer(mrYes);                 // modify: are you sure?
    messages.PressEnter();                  // the list must be refreshed
    WhileModal(t(), [&] { Click(*m->BitBtn_Tp); }, [&] {
        EXPECT_EQ(t().SelectedIndex(), tpIndex);
        EXPECT_EQ(t().GV_Rel_Ser->RowCount(), static_cast<int>(onTp));
        Click(*t().BitBtn_Tp_Modify);
        EXPECT_TRUE(t().Editing());
        t().Tx_Ch_Tp_Freq->SetText("12345000");
        t().Tx_Ch_Tp_TSID->SetText("beef");
        EXPECT_TRUE(t().Tx_Ch_Tp_TSIDExit());
        EXPECT_EQ(t().Tx_Ch_Tp_TSID->Text(), "BEEF");
        Click(*t().BitBtn_Tp_Save);
        EXPECT_FALSE(t().Editing());
        Click(*t().BitBtn_Tp_Exit);
    });
    ASSERT_EQ(messages.Log().size(), 2u);
    EXPECT_EQ(messages.Log()[0].Text, TpModifyQuestion);
    EXPECT_EQ(messages.Log()[1].Text, "After transponder changes service's list must be refresh ");
    const TY_ENIG_TP& now = Transponders[tpIndex];
    EXPECT_EQ(now.Frequency, "12345000");
    EXPECT_EQ(now.Tsid, "BEEF");
    EXPECT_EQ(now.Position, before.Position);
    EXPECT_EQ(Services[service].Key, Services[service].Sid + now.Key + std::to_string(Services[service].ServiceType));
    // The Tp button brings the user back to the service.
    EXPECT_EQ(m->NumberOfRow(m->LV_Serv->SelectedRow()), number);

    const fs::path edited = SaveAndReload("edited");
    std::multiset<std::string> a, b;
    std::istringstream ia(Read(base / "lamedb")), ib(Read(edited / "lamedb"));
    for (std::string l; std::getline(ia, l);)
        a.insert(ToLowerAscii(l));
    for (std::string l; std::getline(ib, l);)
        b.insert(ToLowerAscii(l));
    std::vector<std::string> added;
    std::set_difference(b.begin(), b.end(), a.begin(), a.end(), std::back_inserter(added));
    // The transponder's key line and data line, and the reference line of
    // each of its services.
    EXPECT_EQ(added.size(), 2 + onTp);
    for (const std::string& l : added)
        EXPECT_TRUE(l.find(":beef:") != std::string::npos || l.find("12345000") != std::string::npos) << l;
}

TEST_F(TpDialog, InsertThenCancelLeavesNoRecordAndNoInsertState)
{
    const std::size_t count = Transponders.size();
    m->SelectRowQuietly(*m->LV_Serv, 0);
    WhileModal(t(), [&] { Click(*m->BitBtn_Tp); }, [&] {
        Click(*t().BitBtn_Tp_Insert);
        EXPECT_TRUE(t().Editing());
        EXPECT_EQ(Transponders.size(), count + 1);
        EXPECT_EQ(t().GV_Rel_Ser->RowCount(), 0);
        Click(*t().BitBtn_Tp_Cancel);
        EXPECT_FALSE(t().Inserting);
        EXPECT_EQ(Transponders.size(), count);
        // The next delete of an existing transponder asks and removes its services.
        const std::int32_t index = t().SelectedIndex();
        const int related = t().GV_Rel_Ser->RowCount();
        ASSERT_GT(related, 0);
        const std::size_t services = Services.size();
        messages.Answer(mrYes);
        Click(*t().BitBtn_Tp_Delete);
        EXPECT_EQ(Transponders.size(), count - 1);
        EXPECT_EQ(Services.size(), services - static_cast<std::size_t>(related));
        for (const TY_ENIG_CH& s : Services)
            EXPECT_LT(s.TpIndex, static_cast<std::int32_t>(Transponders.size()));
        (void)index;
        messages.PressEnter(); // the list must be refreshed
        Click(*t().BitBtn_Tp_Exit);
    });
    EXPECT_EQ(messages.Log().front().Text, TpDeleteQuestion);
    EXPECT_TRUE(RefreshList);
}

TEST_F(TpDialog, ExitChecksAndTheVersionOneSystemBox)
{
    Dec_Format = false;
    m->SelectRowQuietly(*m->LV_Serv, 0);
    messages.Answer(mrYes);
    WhileModal(t(), [&] { Click(*m->BitBtn_Tp); }, [&] {
        Click(*t().BitBtn_Tp_Modify);
        t().Tx_Ch_Tp_ONID->SetText("1a");
        EXPECT_TRUE(t().Tx_Ch_Tp_ONIDExit());
        EXPECT_EQ(t().Tx_Ch_Tp_ONID->Text(), "001A");
        t().Tx_Ch_Tp_ONID->SetText("12345");
        messages.PressEnter();
        EXPECT_FALSE(t().Tx_Ch_Tp_ONIDExit());
        EXPECT_EQ(t().Tx_Ch_Tp_ONID->Text(), "12345");
        messages.Answer(mrYes);
        Click(*t().BitBtn_Tp_Cancel);
        Click(*t().BitBtn_Tp_Exit);
    });
    EXPECT_EQ(messages.Log()[1].Text, OnlyHexText);

    SetEnigmaVer(VER_ENIGMA1);
    WhileModal(t(), [&] { Click(*m->BitBtn_Tp); }, [&] {
        EXPECT_EQ(t().TCB_System->ItemIndex(), 0);
        EXPECT_FALSE(t().TCB_System->Enabled());
        EXPECT_EQ(t().TCB_FEC->Items().size(), 7u);
        Click(*t().BitBtn_Tp_Exit);
    });
}

// The ids are checked as the focus leaves them (Tab), in both number
// displays: an accepted text is shown padded, a refused one gets its
// message and keeps the focus, and nothing of it is stored.
TEST_F(TpDialog, IdsAreCheckedAsTheFocusLeavesThem)
{
    struct Case {
        bool decimal;
        bool onid;
        const char* typed;
        const char* shown; // nullptr: refused
    };
    const Case cases[] = {{false, false, "1a", "001A"}, {false, true, "ffff", "FFFF"}, {false, true, "12345", nullptr},
                          {false, false, "-", nullptr}, {false, false, "g1", nullptr}, {true, false, "1089", "1089"},
                          {true, true, "65536", nullptr}, {true, false, "1a", nullptr}, {true, true, "-1", nullptr}};
    m->SelectRowQuietly(*m->LV_Serv, 0);
    const std::int32_t tp = Services[static_cast<std::size_t>(m->ServiceIndexOfRow(0))].TpIndex;
    const TY_ENIG_TP before = Transponders[static_cast<std::size_t>(tp)];
    for (const Case& c : cases) {
        Dec_Format = c.decimal;
        messages.Clear();
        messages.Answer(mrYes); // all related services will be modified
        WhileModal(t(), [&] { Click(*m->BitBtn_Tp); }, [&] {
            Click(*t().BitBtn_Tp_Modify);
            TCfEdit& edit = c.onid ? *t().Tx_Ch_Tp_ONID : *t().Tx_Ch_Tp_TSID;
            LeaveEditWith(edit, c.typed, c.shown);
            if (!c.shown) {
                // Save refuses it too (the focus leaving for the button
                // says it once more).
                messages.Unscripted = TScriptedMessages::TUnscripted::PressEnter;
                Click(*t().BitBtn_Tp_Save);
                EXPECT_TRUE(t().Editing());
            }
            messages.Unscripted = TScriptedMessages::TUnscripted::PressEnter;
            Click(*t().BitBtn_Tp_Cancel); // and yes, the changes will be lost
            EXPECT_FALSE(t().Editing());
            Click(*t().BitBtn_Tp_Exit);
        });
        messages.Unscripted = TScriptedMessages::TUnscripted::Fail;
        if (!c.shown) {
            ASSERT_GE(messages.Log().size(), 2u) << c.typed;
            EXPECT_EQ(messages.Log()[1].Text, c.decimal ? OnlyNumericText : OnlyHexText) << c.typed;
            for (const auto& shown : messages.Log())
                EXPECT_NE(shown.Text, "After transponder changes service's list must be refresh ") << c.typed;
        }
        EXPECT_EQ(Transponders[static_cast<std::size_t>(tp)], before) << c.typed;
    }
    Dec_Format = false;
}

// With no transponder left in the list, Modify and Delete say why they do
// nothing.
TEST_F(TpDialog, ModifyAndDeleteWithoutATransponderSayWhy)
{
    ClearModel();
    const TY_ENIG_TP tp = AstraTp();
    Transponders = {tp};
    TY_ENIG_CH ch;
    ch.Sid = "0001";
    ch.Name = "Only One";
    ch.ServiceType = 1;
    ch.Number = 200;
    ch.Key = ch.Sid + tp.Key + "1";
    Services = {ch};
    m->FillSat();
    m->FillChannel();
    m->SelectRowQuietly(*m->LV_Serv, 0);
    messages.Answer(mrYes);                      // delete it and its service?
    messages.PressEnter().PressEnter();          // the two refusals
    messages.PressEnter();                       // the list must be refreshed
    WhileModal(t(), [&] { Click(*m->BitBtn_Tp); }, [&] {
        Click(*t().BitBtn_Tp_Delete);
        ASSERT_EQ(t().GV_Tp_List->RowCount(), 0);
        Click(*t().BitBtn_Tp_Modify);
        EXPECT_FALSE(t().Editing());
        Click(*t().BitBtn_Tp_Delete);
        Click(*t().BitBtn_Tp_Exit);
    });
    ASSERT_EQ(messages.Log().size(), 4u);
    EXPECT_EQ(messages.Log()[0].Text, TpDeleteQuestion);
    EXPECT_EQ(messages.Log()[1].Text, NoTransponderText);
    EXPECT_EQ(messages.Log()[2].Text, NoTransponderText);
    EXPECT_TRUE(Transponders.empty());
    EXPECT_TRUE(Services.empty());
    EXPECT_EQ(m->LV_Serv->RowCount(), 0);
}

} // namespace
