#include "ListsTestSupport.h"

#include "settings/ProvidersFile.h"

using namespace lists_test;

namespace {

class ProvidersFileTest : public ListsTest {
protected:
    void LoadE2Services() { LoadServicesOf(GoldenDir() / "e2-in"); ErrorReport.clear(); }
};

TEST_F(ProvidersFileTest, ReadsProvidersResolvingMembersByKey)
{
    LoadE2Services();
    EXPECT_EQ(CountBouquet(), 2);
    LoadPr();
    ASSERT_EQ(Providers.size(), 2u);
    EXPECT_EQ(Providers[0].Id, 1);
    EXPECT_EQ(Providers[0].Name, "ARD");
    EXPECT_EQ(Providers[0].Members, (ARR_OF_INTEGER{NumberOfSid("0064"), NumberOfSid("1234")}));
    EXPECT_EQ(Providers[1].Id, -3);
    EXPECT_EQ(Providers[1].Name, "ZDF");
    // 777 names no service: left out and reported.
    EXPECT_EQ(Providers[1].Members, (ARR_OF_INTEGER{NumberOfSid("0999")}));
    EXPECT_EQ(ProviderCounter, 4); // one more than the largest absolute id
    EXPECT_EQ(ErrorReport, std::string("\n") + ProvidersMissingText);
}

TEST_F(ProvidersFileTest, WritesTheExactLayoutWithLf)
{
    LoadE2Services();
    LoadPr();
    TheSaveDir = temp.path().string();
    SavePr();
    EXPECT_EQ(FileText(temp / "bouquets"), FileText(GoldenDir() / "e2-out/bouquets"));
}

TEST_F(ProvidersFileTest, WriterLeavesOutMembersWhoseServiceIsGone)
{
    LoadE2Services();
    TY_ENIG_PR pr;
    pr.Id = 9;
    pr.Name = "P";
    pr.Members = {NumberOfSid("0064"), 99999, NumberOfSid("2B66")};
    EXPECT_EQ(FormatProviders({pr}, Services, Transponders, 4),
              "eDVB bouquets /4/\nbouquets\n9\nP\n0064:00C00000:0437:0001:1\n2B66:00C00000:0998:0001:1\n/\nend\n");
}

TEST_F(ProvidersFileTest, DamagedFilesAreReadAsFarAsTheyGo)
{
    LoadE2Services();
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> names;
        std::vector<std::string> report;
    };
    std::vector<Case> cases = {
        // The last provider lacks its "/" line: it is kept with what it has.
        {"last provider unterminated", "eDVB bouquets /4/\nbouquets\n1\nA\n/\n2\nB\n64:c00000:437:1:1",
         {"A", "B"}, {ProvidersErrorText}},
        {"cut after an id", "eDVB bouquets /4/\nbouquets\n1\nA\n/\n2", {"A"}, {ProvidersErrorText}},
        {"id not a number", "eDVB bouquets /4/\nbouquets\nx\nA\n64:c00000:437:1:1\n/\n2\nB\n/\nend\n", {"B"},
         {ProvidersErrorText}},
        {"truncated member line", "eDVB bouquets /4/\nbouquets\n1\nA\n64:c000\n/\nend\n", {"A"},
         {ProvidersMissingText}},
        {"end inside a provider", "eDVB bouquets /4/\nbouquets\n1\nA\nend\n2\nB\n/\n", {"A"}, {ProvidersErrorText}},
        {"no header", "1\nA\n/\n", {}, {}},
        {"empty", "", {}, {}},
    };
    for (const auto& c : cases) {
        ARR_ENIG_PR providers;
        std::int32_t counter = 0;
        std::vector<std::string> problems;
        ParseProviders(c.text, Services, providers, counter, problems);
        std::vector<std::string> names;
        for (const auto& p : providers)
            names.push_back(p.Name);
        EXPECT_EQ(names, c.names) << c.name;
        EXPECT_EQ(problems, c.report) << c.name;
    }
}

TEST_F(ProvidersFileTest, MissingFileRaisesIoErrorAndCountsZero)
{
    TheLoadDir = temp.path().string();
    EXPECT_EQ(CountBouquet(), 0);
    EXPECT_THROW(LoadPr(), EInOutError);
}

} // namespace
