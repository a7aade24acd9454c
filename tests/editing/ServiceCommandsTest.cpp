// Service commands on the fixture set: deletes (one sweep, every list),
// satellites, flags and lock marks, the NEW mark, names, PIDs and Find.

#include "EditingFixture.h"

#include "app/ServiceCommands.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using cftest::EditingTest;

std::vector<std::int32_t> Numbers()
{
    std::vector<std::int32_t> n;
    for (const auto& ch : Services)
        n.push_back(ch.Number);
    return n;
}

std::vector<std::string> EntryValues(const TY_ENIG_UB& ub)
{
    std::vector<std::string> v;
    for (const auto& e : ub.Entries)
        v.push_back(e[0] + e[1]);
    return v;
}

} // namespace

TEST_F(EditingTest, InsertedServiceStandsOnTheFirstTransponder)
{
    const std::int32_t n = AppendNewService();
    EXPECT_EQ(n, 206);
    EXPECT_EQ(ServiceCounter, 207);
    const TY_ENIG_CH& ch = Services.back();
    EXPECT_EQ(ch.Number, 206);
    EXPECT_EQ(ch.Sid, "0000");
    EXPECT_EQ(ch.TpIndex, 0);
    EXPECT_EQ(ch.ServiceType, 1);
    EXPECT_EQ(ch.Key, "000000C0000004370001" "1");
    EXPECT_EQ(ch.Name, "!! Chanforge channel");
    EXPECT_EQ(ch.Provider, "Chanforge provider");
    EXPECT_EQ(ch.Flags, 0);
    EXPECT_TRUE(Modified) << "a save writes the new service";

    Transponders.clear();
    Modified = false;
    EXPECT_EQ(AppendNewService(), -1);
    EXPECT_EQ(Services.size(), 7u);
    EXPECT_FALSE(Modified);
}

TEST_F(EditingTest, DeletedServicesLeaveTheServiceListAndEveryList)
{
    EXPECT_EQ(DeleteServices({200, 204, 999}), 2u);
    EXPECT_EQ(Numbers(), (std::vector<std::int32_t>{201, 202, 203, 205}));
    EXPECT_EQ(Providers[0].Members, (ARR_OF_INTEGER{}));
    EXPECT_EQ(Providers[1].Members, (ARR_OF_INTEGER{202}));
    EXPECT_EQ(EntryValues(TvBouquets[0]), (std::vector<std::string>{"DNews", "S201", "S202"}));
    EXPECT_EQ(TvBouquets[0].ServiceCount, 2);
    EXPECT_EQ(EntryValues(TvBouquets[1]), (std::vector<std::string>{"S203"}));
    EXPECT_TRUE(RadioBouquets[0].Entries.empty());
    EXPECT_EQ(Transponders.size(), 5u) << "transponders stay";
    EXPECT_EQ(TvBouquets[0].Entries[1][2], "Zweites") << "the other entries keep their own names";
    EXPECT_TRUE(Modified);
}

TEST_F(EditingTest, DeletingUnknownNumbersChangesNothing)
{
    const ARR_ENIG_CH before = Services;
    EXPECT_EQ(DeleteServices({999, -1}), 0u);
    DelCh(12345);
    EXPECT_EQ(Services, before);
    EXPECT_FALSE(Modified);
}

TEST_F(EditingTest, DeletingAlsoClearsCutBouquets)
{
    CutBouquets = {TvBouquets[1]};
    DeleteServices({203});
    EXPECT_EQ(EntryValues(CutBouquets[0]), (std::vector<std::string>{"S200"}));
}

TEST_F(EditingTest, RemoveFromBouquetsKeepsTheServiceAndEveryMarker)
{
    // 200 stands in two TV bouquets and in a provider; a marker whose text
    // is "200" is no reference to it.
    TvBouquets[1].Entries.push_back({"D", "200", ""});
    DelFromBouquets(200);
    EXPECT_NE(Service(200), nullptr);
    EXPECT_EQ(Providers[0].Members, (ARR_OF_INTEGER{204}));
    EXPECT_EQ(EntryValues(TvBouquets[0]), (std::vector<std::string>{"DNews", "S201", "S202"}));
    EXPECT_EQ(EntryValues(TvBouquets[1]), (std::vector<std::string>{"S203", "D200"}));
    EXPECT_TRUE(Modified);
}

TEST_F(EditingTest, SingleDeleteRemovesOnlyThatService)
{
    DelCh(202);
    EXPECT_EQ(Numbers(), (std::vector<std::int32_t>{200, 201, 203, 204, 205}));
    EXPECT_EQ(Providers[1].Members, (ARR_OF_INTEGER{202})) << "DelCh alone leaves the lists to DelFromBouquets";
}

TEST_F(EditingTest, DeletingASatelliteKeepsOtherServicesOnTheirTransponders)
{
    struct Case {
        const char* position;
        std::vector<std::int32_t> services;
        std::vector<std::string> tpKeys;
        std::vector<std::string> positionsOfServices;
    };
    const Case cases[] = {
        // Transponders 0 and 1 (side by side) and 4 stand at 19.2E.
        {"019.2E", {202, 203, 205}, {"0082000000010001", "011A000007D40001"}, {"013.0E", "028.2E", "028.2E"}},
        {"028.2E", {200, 201, 202, 204},
         {"00C0000004370001", "00C0000004380001", "0082000000010001", "00C0000004410001"},
         {"019.2E", "019.2E", "013.0E", "019.2E"}},
        {"045.0E", {200, 201, 202, 203, 204, 205},
         {"00C0000004370001", "00C0000004380001", "0082000000010001", "011A000007D40001", "00C0000004410001"},
         {"019.2E", "019.2E", "013.0E", "028.2E", "019.2E", "028.2E"}},
    };
    for (const Case& c : cases) {
        SetUp();
        DeleteSatellite(c.position);
        EXPECT_EQ(Numbers(), c.services) << c.position;
        std::vector<std::string> keys, positions;
        for (const auto& tp : Transponders)
            keys.push_back(tp.Key);
        for (const auto& ch : Services) {
            positions.push_back(Transponders.at(static_cast<std::size_t>(ch.TpIndex)).Position);
            EXPECT_EQ(ch.Key.substr(4, 16), Transponders[static_cast<std::size_t>(ch.TpIndex)].Key) << c.position;
        }
        EXPECT_EQ(keys, c.tpKeys) << c.position;
        EXPECT_EQ(positions, c.positionsOfServices) << c.position;
    }
    SetUp();
    DeleteSatellite("019.2E");
    EXPECT_EQ(EntryValues(TvBouquets[0]), (std::vector<std::string>{"DNews", "S202"}));
    EXPECT_TRUE(RadioBouquets[0].Entries.empty());
}

TEST_F(EditingTest, FlagBitsOnAndOff)
{
    struct Case {
        std::int32_t before;
        std::int32_t bit;
        bool on;
        std::int32_t after;
    };
    const Case cases[] = {
        {0x00, FLAG_NODVB, true, 0x01},    {0x02, FLAG_NODVB, true, 0x03},  {0x03, FLAG_NODVB, false, 0x02},
        {0x03, FLAG_DONTSHOW, false, 0x01}, {0x01, FLAG_DONTSHOW, true, 0x03}, {0x80, FLAG_DONTSHOW, true, 0x82},
        {0x87, FLAG_NOPMT, false, 0x83},   {0x00, FLAG_NOPMT, true, 0x04},  {0x00, FLAG_NOPMT, false, 0x00},
        {0x04, FLAG_NOPMT, true, 0x04},
    };
    for (const Case& c : cases) {
        Services[1].Flags = c.before;
        Modified = false;
        SetServiceFlag({201}, c.bit, c.on);
        EXPECT_EQ(Services[1].Flags, c.after) << c.before << " bit " << c.bit << " on " << c.on;
        EXPECT_TRUE(Modified);
        EXPECT_EQ(Services[0].Flags, 0) << "other services untouched";
    }
}

TEST_F(EditingTest, EntryCommandsSkipMarkersAndReachTheEntriesServices)
{
    // Favourites: S200, D News, S201, S202. Rows 0..2 selected: 200, marker, 201.
    const std::vector<std::int32_t> numbers = EntryServiceNumbers(TListKind::TvBouquets, 0, {0, 1, 2});
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{200, 201}));
    SetServiceFlag(numbers, FLAG_NODVB, true);
    EXPECT_EQ(Service(200)->Flags, 1);
    EXPECT_EQ(Service(201)->Flags, 1);
    EXPECT_EQ(Service(202)->Flags, 0);
    EXPECT_EQ(TvBouquets[0].Entries[1], (TY_TEXT_TRIPLE{"D", "News", ""}));
    // Providers name their services by member.
    EXPECT_EQ(EntryServiceNumbers(TListKind::Providers, 0, {1, 7}), (std::vector<std::int32_t>{204}));
    EXPECT_TRUE(EntryServiceNumbers(TListKind::RadioBouquets, 3, {0}).empty());
}

TEST_F(EditingTest, LockMarkShownPerList)
{
    struct Case {
        std::int32_t black, white;
        TLockList list;
        std::int32_t shown;
    };
    const Case cases[] = {
        {0, 0, TLockList::Black, 0}, {1, 0, TLockList::Black, 1}, {1, 1, TLockList::Black, 1},
        {0, 1, TLockList::Black, 0}, {0, 0, TLockList::White, 1}, {0, 1, TLockList::White, 0},
        {1, 0, TLockList::White, 1}, {1, 1, TLockList::White, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LockMark(c.black, c.white, c.list), c.shown) << c.black << c.white << int(c.list);
}

TEST_F(EditingTest, LockCommandsSetTheChosenListsMark)
{
    SetServiceLock({200, 202}, TLockList::Black, 1);
    EXPECT_EQ(Service(200)->Black, 1);
    EXPECT_EQ(Service(202)->Black, 1);
    EXPECT_EQ(Service(200)->White, 0);
    SetServiceLock({200}, TLockList::White, 1);
    SetServiceLock({200}, TLockList::Black, 0);
    EXPECT_EQ(Service(200)->White, 1);
    EXPECT_EQ(Service(200)->Black, 0);

    SetListLock(TListKind::Providers, {1}, TLockList::Black, 1);
    SetListLock(TListKind::RadioBouquets, {0}, TLockList::White, 1);
    SetListLock(TListKind::TvBouquets, {1, 9}, TLockList::Black, 1);
    EXPECT_EQ(Providers[1].Black, 1);
    EXPECT_EQ(Providers[0].Black, 0);
    EXPECT_EQ(RadioBouquets[0].White, 1);
    EXPECT_EQ(TvBouquets[1].Black, 1);
    EXPECT_EQ(TvBouquets[0].Black, 0);
    EXPECT_TRUE(Modified);
}

TEST_F(EditingTest, SharedHandlersToldApartByItemName)
{
    struct Case {
        const char* name;
        TCommandTarget lock;
        TCommandTarget flag;
    };
    const Case cases[] = {
        {"L_ON", TCommandTarget::Services, TCommandTarget::Services},
        {"l_off", TCommandTarget::Services, TCommandTarget::Services},
        {"TY_L_ON", TCommandTarget::List, TCommandTarget::Services},
        {"ty_l_off", TCommandTarget::List, TCommandTarget::Services},
        {"DET_L_ON", TCommandTarget::Entries, TCommandTarget::Entries},
        {"K_ON", TCommandTarget::Services, TCommandTarget::Services},
        {"DET_K_OFF", TCommandTarget::Entries, TCommandTarget::Entries},
        {"H_ON", TCommandTarget::Services, TCommandTarget::Services},
        {"DET_H_ON", TCommandTarget::Entries, TCommandTarget::Entries},
        {"NOPMT_OFF", TCommandTarget::Services, TCommandTarget::Services},
        {"DETT_NOPMT_ON", TCommandTarget::Services, TCommandTarget::Entries},
    };
    for (const Case& c : cases) {
        if (std::string(c.name).find("L_O") != std::string::npos || std::string(c.name).find("l_o") != std::string::npos) {
            EXPECT_EQ(LockItemTarget(c.name), c.lock) << c.name;
        }
        EXPECT_EQ(FlagItemTarget(c.name), c.flag) << c.name;
    }
    EXPECT_EQ(ItemTargetByPrefix("pop_ch_capitalize"), TCommandTarget::Services);
    EXPECT_EQ(ItemTargetByPrefix("pop_ty_capitalize"), TCommandTarget::List);
    EXPECT_EQ(ItemTargetByPrefix("pop_det_capitalize"), TCommandTarget::Entries);
    EXPECT_EQ(ItemTargetByPrefix("pop_ch_zeropids"), TCommandTarget::Services);
    EXPECT_EQ(ItemTargetByPrefix("pop_det_zeropids"), TCommandTarget::Entries);
}

TEST_F(EditingTest, NewMarkIsHeldInMemoryOnly)
{
    NewChannels = {{"6D66", 1, "00C00000", "0438", "0001", "", "ZDF", ""},
                   {"6D66", 1, "00C00000", "0438", "0001", "", "ZDF", ""},
                   {"6D66", 2, "00C00000", "0438", "0001", "", "wrong type", ""}};
    AddNewFlag();
    EXPECT_EQ(Service(201)->Flags, 0x80) << "reported twice, marked once";
    EXPECT_FALSE(Modified);

    Service(201)->Flags = 0x81;
    EXPECT_TRUE(RemoveNewFlag(1));
    EXPECT_EQ(Service(201)->Flags, 0x01);
    EXPECT_FALSE(RemoveNewFlag(1)) << "no mark to remove";
    EXPECT_FALSE(RemoveNewFlag(99));
    EXPECT_FALSE(Modified) << "the NEW mark is never saved";
}

TEST_F(EditingTest, CapitalizeNamesOfServicesListsAndEntries)
{
    Services[0].Name = "das ERSTE hd";
    CapitalizeServices({200});
    EXPECT_EQ(Service(200)->Name, "Das Erste Hd");

    Providers[1].Name = "rai way";
    CapitalizeList(TListKind::Providers, {1});
    EXPECT_EQ(Providers[1].Name, "Rai Way");

    Service(201)->Name = "zdf info";
    TvBouquets[0].Entries[1][1] = "news AND sport";
    CapitalizeEntries(TListKind::TvBouquets, 0, {1, 2});
    EXPECT_EQ(TvBouquets[0].Entries[1][1], "News And Sport");
    EXPECT_EQ(Service(201)->Name, "Zdf Info");
    EXPECT_EQ(TvBouquets[0].Entries[2][2], "Zweites") << "the own name is not the service's";
    EXPECT_TRUE(Modified);
}

TEST_F(EditingTest, ClearPidsKeepsTeletextAndAc3)
{
    Service(203)->Pids = {"1234", "2345", "3456", "4567", "5678"};
    ClearPids(EntryServiceNumbers(TListKind::TvBouquets, 1, {0}));
    const decltype(TY_ENIG_CH::Pids) expected = {"0000", "0000", "3456", "0000", "5678"};
    EXPECT_EQ(Service(203)->Pids, expected);
    EXPECT_TRUE(Modified) << "the cleared PIDs are saved";
}

TEST_F(EditingTest, FindSearchesForwardFromTheSelectedRowAndWraps)
{
    const std::vector<std::string> names = {"Das Erste", "ZDF", "Das Vierte", "zdfneo", "BBC One"};
    struct Case {
        std::int32_t selected;
        const char* pattern;
        std::int32_t row;
    };
    const Case cases[] = {
        {0, "das", 2},  {2, "das", 0},   {1, "ZDF", 3},  {3, "zdf", 1}, {-1, "Das", 0},
        {4, "b", 4},    {0, "", -1},     {0, "Sky", -1}, {0, "Erste", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindRowByPrefix(names, c.selected, c.pattern), c.row) << c.selected << " " << c.pattern;
    EXPECT_EQ(FindRowByPrefix({}, 0, "a"), -1);
}

TEST_F(EditingTest, EveryChangeASaveWritesSetsModified)
{
    struct Case {
        const char* what;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"insert service", [] { AppendNewService(); }},
        {"delete services", [] { DeleteServices({203}); }},
        {"remove from bouquets", [] { RemoveFromBouquets({203}); }},
        {"delete satellite", [] { DeleteSatellite("013.0E"); }},
        {"lock", [] { SetServiceLock({200}, TLockList::Black, 1); }},
        {"flag", [] { SetServiceFlag({200}, FLAG_NOPMT, true); }},
        {"capitalize", [] { CapitalizeServices({200}); }},
        {"clear PIDs", [] { ClearPids({200}); }},
    };
    for (const Case& c : cases) {
        SetUp();
        c.run();
        EXPECT_TRUE(Modified) << c.what;
    }
}
