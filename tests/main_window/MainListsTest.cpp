#include "app/MainLists.h"

#include "settings/Unit_lib.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TY_ENIG_TP Tp(const std::string& position, const std::string& freq = "11778000")
{
    TY_ENIG_TP t;
    t.Position = position;
    t.Frequency = freq;
    t.SymbolRate = "27500000";
    t.Polarisation = "1";
    t.Fec = "3";
    return t;
}

TY_ENIG_CH Ch(std::int32_t number, std::int32_t type, std::int32_t tp, const std::string& name)
{
    TY_ENIG_CH c;
    c.Number = number;
    c.ServiceType = type;
    c.TpIndex = tp;
    c.Name = name;
    return c;
}

std::vector<std::int32_t> Numbers(const ARR_ENIG_CH& services, const std::vector<std::int32_t>& indexes)
{
    std::vector<std::int32_t> r;
    for (auto i : indexes)
        r.push_back(services[static_cast<std::size_t>(i)].Number);
    return r;
}

TEST(MainLists, TypeFilterByTheTypeRules)
{
    // Expected passes for All, Television, Radio, Data.
    const struct {
        std::int32_t type;
        bool pass[4];
    } cases[] = {
        {-1, {true, false, false, false}}, {0, {true, false, false, false}}, {1, {true, true, false, false}},
        {2, {true, false, true, false}},   {3, {true, false, false, true}},  {4, {true, true, false, false}},
        {5, {true, false, false, true}},   {22, {true, false, false, true}}, {25, {true, true, false, false}},
        {31, {true, false, false, true}},
    };
    for (const auto& c : cases)
        for (int f = 0; f < 4; ++f)
            EXPECT_EQ(TypeFilterPasses(c.type, f), c.pass[f]) << "type " << c.type << " filter " << f;
}

TEST(MainLists, SatelliteItemsOncePerPositionEastBeforeWest)
{
    ARR_ENIG_TP tps = {Tp("019.2E"), Tp("013.0E"), Tp("030.0W"), Tp("019.2E"), Tp("Terrestrial"),
                       Tp("Cable"),  Tp(""),       Tp("0.8W"),   Tp("001.0W")};
    ARR_ENIG_CH services;
    for (int i = 0; i < static_cast<int>(tps.size()); ++i) {
        services.push_back(Ch(200 + i, 1, i, "s"));
        services.push_back(Ch(300 + i, 2, i, "r"));
    }
    services.push_back(Ch(999, 1, 77, "transponder gone")); // a bad index reads nothing
    EXPECT_EQ(SatFilterItems(services, tps),
              (std::vector<std::string>{" All ", "013.0E", "019.2E", "Terrestrial", "001.0W", "030.0W"}));
    EXPECT_EQ(SatFilterItems({}, tps), std::vector<std::string>{" All "});
}

TEST(MainLists, FilterTableAgainstTheModel)
{
    const ARR_ENIG_TP tps = {Tp("019.2E"), Tp("013.0E"), Tp("Terrestrial"), Tp("Cable")};
    const ARR_ENIG_CH services = {
        Ch(200, 1, 0, "tv 19"),  Ch(201, 2, 0, "radio 19"), Ch(202, 25, 1, "hd 13"), Ch(203, 0, 1, "zero 13"),
        Ch(204, 12, 2, "data t"), Ch(205, 4, 3, "tv cable"), Ch(206, 3, 0, "data 19"), Ch(207, 25, 2, "hd t"),
    };
    const struct {
        int type;
        int sat;
        const char* item;
        std::vector<std::int32_t> want;
    } cases[] = {
        {0, 0, " All ", {200, 201, 202, 203, 204, 205, 206, 207}},
        {1, 0, " All ", {200, 202, 205, 207}},
        {2, 0, " All ", {201}},
        {3, 0, " All ", {204, 206}},
        {0, 1, "013.0E", {202, 203}},
        {0, 2, "019.2E", {200, 201, 206}},
        {1, 2, "019.2E", {200}},
        // The terrestrial item matches "Terrestrial" only, never "Cable".
        {0, 3, "Terrestrial", {204, 207}},
        {1, 3, "Terrestrial", {207}},
        {2, 1, "013.0E", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Numbers(services, FilteredServices(services, tps, c.type, c.sat, c.item)), c.want)
            << c.type << " / " << c.item;
    EXPECT_EQ(SatFilterItems(services, tps),
              (std::vector<std::string>{" All ", "013.0E", "019.2E", "Terrestrial"}));
}

TEST(MainLists, ServiceRowColumns)
{
    ARR_ENIG_TP tps = {Tp("019.2E")};
    ARR_ENIG_CH services = {Ch(321, 1, 0, "Das Erste")};
    services[0].Provider = "ARD";
    services[0].Flags = FLAG_NEW;
    services[0].Black = 1;
    const TServRow black = MakeServRow(services, 0, tps, false);
    EXPECT_EQ(black.NewImage, 3);
    EXPECT_EQ(black.LockImage, 1);
    EXPECT_EQ(black.Text(ServColNumber), "321");
    EXPECT_EQ(black.Text(ServColType), "TV");
    EXPECT_EQ(black.Text(ServColService), "Das Erste");
    EXPECT_EQ(black.Text(ServColPackage), "ARD");
    EXPECT_EQ(black.Text(ServColSynt), "11778V 27500 3/4");
    EXPECT_EQ(black.Text(ServColSat), "019.2E");
    // Not on the white list: locked there too; on it: open.
    EXPECT_EQ(MakeServRow(services, 0, tps, true).LockImage, 1);
    services[0].White = 1;
    EXPECT_EQ(MakeServRow(services, 0, tps, true).LockImage, 0);
    services[0].Flags = 0;
    EXPECT_EQ(MakeServRow(services, 0, tps, true).NewImage, -1);
}

TEST(MainLists, LockMarks)
{
    const struct {
        int black, white;
        bool whiteList;
        int want;
    } cases[] = {{1, 0, false, 1}, {0, 1, false, 0}, {0, 0, false, 0}, {0, 0, true, 1}, {1, 1, true, 0}, {0, 1, true, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(LockMark(c.black, c.white, LockListOf(c.whiteList)), c.want) << c.black << c.white << c.whiteList;
}

TEST(MainLists, SortingIsCaseBlindAndKeepsEqualRowsInOrder)
{
    std::vector<TServRow> rows(4);
    const char* names[] = {"beta", "Alpha", "alpha", "Gamma"};
    for (int i = 0; i < 4; ++i) {
        rows[i].Name = names[i];
        rows[i].Number = 200 + i * 1000;
    }
    SortServRows(rows, ServColService);
    std::vector<std::string> got;
    for (auto& r : rows)
        got.push_back(r.Name);
    EXPECT_EQ(got, (std::vector<std::string>{"Alpha", "alpha", "beta", "Gamma"}));
    // The number column sorts its text, as the grid sorts text.
    SortServRows(rows, ServColNumber);
    std::vector<std::int32_t> numbers;
    for (auto& r : rows)
        numbers.push_back(r.Number);
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{1200, 200, 2200, 3200}));
}

TEST(MainLists, JumpFindsTheExactNumberOnly)
{
    auto rows = [](std::vector<std::int32_t> numbers) {
        std::vector<TServRow> r(numbers.size());
        for (std::size_t i = 0; i < numbers.size(); ++i)
            r[i].Number = numbers[i];
        return r;
    };
    EXPECT_EQ(FindNumberRow(rows({200, 20}), 20), 1);
    EXPECT_EQ(FindNumberRow(rows({200, 2000}), 20), -1);
    EXPECT_EQ(FindNumberRow(rows({}), 20), -1);
}

TEST(MainLists, VisibleRowsAndScrollTargets)
{
    const struct {
        int height, header, row, want;
    } visible[] = {{400, 20, 18, 17}, {401, 20, 18, 18}, {30, 20, 18, 0}, {10, 20, 18, 0}, {0, 0, 0, 0}};
    for (const auto& c : visible)
        EXPECT_EQ(VisibleRowsFor(c.height, c.header, c.row), c.want) << c.height;
    const struct {
        int row, count, rows, want;
    } scroll[] = {{0, 17, 100, 17}, {90, 17, 100, 99}, {0, 17, 0, -1}, {5, -3, 10, 5}, {200, 0, 10, 9},
                  {2147483000, 2147483000, 5, 4}};
    for (const auto& c : scroll)
        EXPECT_EQ(ScrollTarget(c.row, c.count, c.rows), c.want) << c.row << "+" << c.count;
}

TEST(MainLists, BouquetEntriesWithMarkersAndAMissingService)
{
    ARR_ENIG_TP tps = {Tp("019.2E")};
    ARR_ENIG_CH services = {Ch(201, 1, 0, "One"), Ch(202, 2, 0, "Two")};
    services[1].Flags = FLAG_NEW;
    TY_ENIG_UB b;
    b.ServiceCount = 99; // stale: counted again
    b.Entries = {{"S", "201", ""}, {"D", "--- Sport ---", ""}, {"S", "999", ""}, {"S", "202", "My name"}};
    const TChNumberIndex byNumber(services);
    const auto rows = BouquetDetailRows(b, services, tps, byNumber, false, 10);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(b.ServiceCount, 3);
    EXPECT_EQ(b.Entries.size(), 4u); // the missing one stays in the bouquet
    EXPECT_EQ(rows[0].Running, "11");
    EXPECT_EQ(rows[0].Name, "One");
    EXPECT_EQ(rows[0].Type, "TV");
    EXPECT_EQ(rows[0].Sat, "019.2E");
    EXPECT_EQ(rows[0].ServiceIndex, 0);
    EXPECT_TRUE(rows[1].Marker);
    EXPECT_EQ(rows[1].Image, 2);
    EXPECT_EQ(rows[1].Running, "");
    EXPECT_EQ(rows[1].Name, "--- Sport ---");
    EXPECT_EQ(rows[1].Type, "--");
    EXPECT_EQ(rows[1].Sat, "-----");
    EXPECT_EQ(rows[1].Entry, 1);
    EXPECT_EQ(rows[2].Running, "12");
    EXPECT_EQ(rows[2].ServiceIndex, -1);
    EXPECT_EQ(rows[2].Name, MissingServiceName("999"));
    EXPECT_EQ(rows[3].Running, "13");
    EXPECT_EQ(rows[3].Name, "My name");
    EXPECT_EQ(rows[3].Image, 3);
    EXPECT_EQ(rows[3].Entry, 3);
}

TEST(MainLists, ProviderEntriesAndListRows)
{
    ARR_ENIG_TP tps = {Tp("013.0E")};
    ARR_ENIG_CH services = {Ch(201, 1, 0, "One"), Ch(202, 2, 0, "Two")};
    services[0].Black = 1;
    ARR_ENIG_PR providers(3);
    providers[0].Name = "zdf";
    providers[1].Name = "ARD";
    providers[1].Members = {202, 555, 201};
    providers[2].Name = "bbc";
    providers[2].Black = 1;
    const auto list = TypeListRows(TListKind::Providers, providers, {}, {}, false);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].Name, "ARD");
    EXPECT_EQ(list[0].Index, 1);
    EXPECT_EQ(list[1].Name, "bbc");
    EXPECT_EQ(list[1].Image, 5);
    EXPECT_EQ(list[2].Image, 4);
    const auto rows = ProviderDetailRows(providers[1], services, tps, TChNumberIndex(services), false);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].Name, "Two");
    EXPECT_EQ(rows[0].Running, "");
    EXPECT_EQ(rows[1].ServiceIndex, -1);
    EXPECT_EQ(rows[2].Image, 1);
    EXPECT_EQ(rows[2].Entry, 2);
    EXPECT_EQ(TypeListCaption(TListKind::Providers, 3), "Provider : 3 items");
}

} // namespace
