#include "SettingsTestUtil.h"

#include <random>

using namespace cftest;

namespace {

void SmallModel()
{
    Transponders = {MakeTp("00C00000", "0001", "0001", "S", "11778000", "27500000", "1", "3", "019.2E", 2),
                    MakeTp("00C00000", "0002", "0001", "S", "12000000", "22000000", "0", "12", "019.2E", 2),
                    MakeTp("00C00000", "0001", "0001", "S", "11779000", "27500000", "1", "3", "019.2E", 2),
                    MakeTp("00820000", "0003", "0001", "S", "10700000", "22000000", "0", "2", "013.0E", 2)};
    const auto& t = Transponders;
    Services = {MakeCh("0001", 0, t, 1, 200, "One", "P", {}, 0),
                MakeCh("0002", 1, t, 2, 201, "Two", "P", {}, 0),
                MakeCh("0001", 0, t, 1, 202, "One again", "P", {}, 0),
                MakeCh("0003", 3, t, 25, 201, "Same number", "P", {}, 0),
                MakeCh("0004", 3, t, 3, 204, "Data", "P", {}, 0),
                MakeCh("0005", 1, t, 22, 205, "Other", "P", {}, 0)};
}

} // namespace

TEST_F(ModelTest, LookupsGiveTheFirstMatch)
{
    SmallModel();
    std::int32_t n = -1;
    EXPECT_EQ(FindServiceByKey("000100C00000000100011", Services, n), 0);
    EXPECT_EQ(n, 200);
    n = -1;
    EXPECT_EQ(FindServiceByKey("000100c00000000100011", Services, n), 1); // case-sensitive
    EXPECT_EQ(n, -1);
    std::int32_t i = -1;
    EXPECT_EQ(FindTransponderByKey("00C0000000010001", Transponders, i), 0);
    EXPECT_EQ(i, 0);
    EXPECT_EQ(FindTransponderByKey("00C0000000090001", Transponders, i), 1);
    EXPECT_EQ(FindServiceIndexById(201), 1);
    EXPECT_EQ(FindServiceIndexById(999), -1);

    const TChKeyIndex keys(Services);
    const TChNumberIndex numbers(Services);
    const TTpKeyIndex tps(Transponders);
    EXPECT_EQ(FindServiceByKey("000100C00000000100011", Services, keys, n), 0);
    EXPECT_EQ(n, 200);
    EXPECT_EQ(FindServiceIndexById(201, numbers), 1);
    EXPECT_EQ(FindTransponderByKey("00C0000000010001", tps, i), 0);
    EXPECT_EQ(i, 0);
}

TEST_F(ModelTest, AfterAKeyChangeOnlyTheNewKeyIsFound)
{
    SmallModel();
    Services[1].Sid = "0ABC";
    Services[1].Key = "0ABC" + Transponders[1].Key + "2";
    std::int32_t n = -1;
    EXPECT_EQ(FindServiceByKey("000200C00000000200012", Services, n), 1);
    EXPECT_EQ(FindServiceByKey("0ABC00C00000000200012", Services, n), 0);
    EXPECT_EQ(n, 201);
    const TChKeyIndex rebuilt(Services);
    EXPECT_EQ(FindServiceByKey("000200C00000000200012", Services, rebuilt, n), 1);
    EXPECT_EQ(FindServiceByKey("0ABC00C00000000200012", Services, rebuilt, n), 0);
}

TEST_F(ModelTest, IndexesAgreeWithTheLinearSearchOnManyDuplicates)
{
    std::mt19937 rng(7);
    ARR_ENIG_TP tps;
    for (int i = 0; i < 300; ++i) {
        char tsid[8];
        std::snprintf(tsid, sizeof tsid, "%04X", static_cast<unsigned>(rng() % 100));
        tps.push_back(MakeTp("00C00000", tsid, "0001", "S", "1", "1", "0", "0", "019.2E", 0));
    }
    for (int i = 0; i < 2000; ++i) {
        char sid[8];
        std::snprintf(sid, sizeof sid, "%04X", static_cast<unsigned>(rng() % 500));
        Services.push_back(MakeCh(sid, static_cast<int>(rng() % tps.size()), tps, 1, 200 + static_cast<int>(rng() % 800),
                                  "n", "p", {}, 0));
    }
    const TTpKeyIndex tpIdx(tps);
    const TChKeyIndex keyIdx(Services);
    const TChNumberIndex numIdx(Services);
    for (int k = 0; k < 120; ++k) {
        char key[24];
        std::snprintf(key, sizeof key, "00C00000%04X0001", k);
        std::int32_t a = -1, b = -1;
        EXPECT_EQ(FindTransponderByKey(key, tps, a), FindTransponderByKey(key, tpIdx, b));
        EXPECT_EQ(a, b);
        // Whatever transponder was found before, the first with the key
        // is the answer: a duplicate right after it is never taken.
        const std::uint64_t packed = std::uint64_t{0x00C00000} << 32 | static_cast<std::uint64_t>(k) << 16 | 1;
        for (int previous = -1; previous <= static_cast<int>(tps.size()); ++previous)
            ASSERT_EQ(tpIdx.FindPacked(packed, previous), a) << key << " after " << previous;
    }
    for (const auto& probe : Services) {
        std::int32_t a = -1, b = -1;
        EXPECT_EQ(FindServiceByKey(probe.Key, Services, a), FindServiceByKey(probe.Key, Services, keyIdx, b));
        EXPECT_EQ(a, b);
    }
    for (int number = 190; number < 1010; ++number)
        EXPECT_EQ(FindServiceIndexById(number), FindServiceIndexById(number, numIdx)) << number;
}

// Keys of 16 upper-case hex digits are held as numbers; every other key
// text (lower case, a byte next to the digit and letter ranges, a byte
// above 0x7F, another length) is found only by its own text, as a look
// through the list would find it.
TEST_F(ModelTest, TransponderKeysAreFoundOnlyByTheirExactText)
{
    const std::string keys[] = {"0123456789ABCDEF", "FEDCBA9876543210", "00C0000000010001", "00c0000000010001",
                                "00C000000001000G", "00C0000000010@01", "00C00000000100:1", "00C0000000010/01",
                                "00C000000001\xC3\x84""01", "00C000000001000",  "00C00000000100011", "00C0000000010001",
                                "0000000000000000", "FFFFFFFFFFFFFFFF"};
    ARR_ENIG_TP tps;
    for (const std::string& key : keys) {
        TY_ENIG_TP tp;
        tp.Key = key;
        tps.push_back(tp);
    }
    const TTpKeyIndex index(tps);
    EXPECT_EQ(index.Find("0123456789ABCDEF"), 0);
    EXPECT_EQ(index.Find("FEDCBA9876543210"), 1);
    EXPECT_EQ(index.Find("00C0000000010001"), 2); // the first of two
    EXPECT_EQ(index.Find("00c0000000010001"), 3);
    EXPECT_EQ(index.Find("FFFFFFFFFFFFFFFF"), 13);
    EXPECT_EQ(index.FindPacked(0x0123456789ABCDEFu), 0);
    EXPECT_EQ(index.FindPacked(0), 12);
    const std::string probes[] = {"0123456789abcdef", "00C000000001000g", "00C0000000010A01", "00C00000000100;1",
                                  "00C0000000010001 ", "", "00C00000000100@1", "00C00000000100`1"};
    for (const std::string& key : keys) {
        std::int32_t a = -1, b = -1;
        EXPECT_EQ(FindTransponderByKey(key, tps, a), FindTransponderByKey(key, index, b)) << key;
        EXPECT_EQ(a, b) << key;
    }
    for (const std::string& key : probes)
        EXPECT_EQ(index.Find(key), -1) << key;
}

TEST_F(ModelTest, ServiceIndexOfCellFollowsMembersAndEntries)
{
    SmallModel();
    TY_ENIG_PR pr;
    pr.Members = {204, 201};
    Providers = {pr};
    TY_ENIG_UB ub;
    ub.Entries = {{"S", "202", ""}, {"D", "Sport", ""}, {"S", "999", ""}};
    TvBouquets = {ub};
    RadioBouquets = {TY_ENIG_UB{}};
    RadioBouquets[0].Entries = {{"S", "205", ""}};

    EXPECT_EQ(ServiceIndexOfCell(TListKind::Providers, 0, 0), 4);
    EXPECT_EQ(ServiceIndexOfCell(TListKind::Providers, 0, 1), 1);
    EXPECT_EQ(ServiceIndexOfCell(TListKind::Providers, 0, 2), -1);
    EXPECT_EQ(ServiceIndexOfCell(TListKind::Providers, 1, 0), -1);
    EXPECT_EQ(ServiceIndexOfCell(TListKind::TvBouquets, 0, 0), 2);
    EXPECT_EQ(ServiceIndexOfCell(TListKind::TvBouquets, 0, 1), -1); // a marker
    EXPECT_EQ(ServiceIndexOfCell(TListKind::TvBouquets, 0, 2), -1); // no such service
    EXPECT_EQ(ServiceIndexOfCell(TListKind::RadioBouquets, 0, 0), 5);
    EXPECT_EQ(ServiceIndexOfCell(TListKind::RadioBouquets, -1, 0), -1);
}

TEST_F(ModelTest, TransponderSummaryAndUse)
{
    SmallModel();
    EXPECT_EQ(TransponderSummary(0, Transponders), "11778V 27500 3/4");
    EXPECT_EQ(TransponderSummary(1, Transponders), "12000H 22000 "); // FEC 12 adds nothing
    EXPECT_EQ(TransponderSummary(9, Transponders), "");
    EXPECT_TRUE(TpHasChannel(0));
    EXPECT_FALSE(TpHasChannel(2));
    EXPECT_TRUE(TpHasChannel(3));
}

TEST_F(ModelTest, ServiceCountsOfTheFilters)
{
    SmallModel();
    EXPECT_EQ(CountServicesFromArray(Services, Transponders, 0, ""), 6);
    EXPECT_EQ(CountServicesFromArray(Services, Transponders, 1, ""), 3); // 1, 1, 25
    EXPECT_EQ(CountServicesFromArray(Services, Transponders, 2, ""), 1);
    EXPECT_EQ(CountServicesFromArray(Services, Transponders, 3, ""), 2); // 3 and 22
    EXPECT_EQ(CountServicesFromArray(Services, Transponders, 0, "013.0E"), 2);
    EXPECT_EQ(CountServicesFromArray(Services, Transponders, 1, "013.0E"), 1);

    ARR_ENIG_UB ubs(3);
    ubs[0].ServiceCount = 4;
    ubs[1].ServiceCount = 7;
    ubs[2].ServiceCount = 2;
    EXPECT_EQ(CountNoOfCha(ubs, 0), 0);
    EXPECT_EQ(CountNoOfCha(ubs, 2), 11);
}
