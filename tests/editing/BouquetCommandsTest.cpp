// Provider, bouquet and entry commands on the fixture set: insert, delete
// and cut, paste of cut elements (also into the other list), rename, empty
// ones, markers, own names and the rows drops land on.

#include "EditingFixture.h"

#include "app/BouquetCommands.h"
#include "app/ServiceCommands.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using cftest::EditingTest;

std::vector<std::string> Names(const ARR_ENIG_UB& ubs)
{
    std::vector<std::string> v;
    for (const auto& ub : ubs)
        v.push_back(ub.Name);
    return v;
}

std::vector<std::string> Entries(const TY_ENIG_UB& ub)
{
    std::vector<std::string> v;
    for (const auto& e : ub.Entries)
        v.push_back(e[0] + e[1] + (e.size() > 2 && !e[2].empty() ? "=" + e[2] : ""));
    return v;
}

} // namespace

TEST_F(EditingTest, InsertedBouquetTakesTheCounterAsFileId)
{
    TvBouquets.clear();
    TvBouquetCounter = 10;
    EXPECT_EQ(InsertUB(TListKind::TvBouquets, 0, "Sport"), 0);
    ASSERT_EQ(TvBouquets.size(), 1u);
    EXPECT_EQ(TvBouquets[0].FileId, "000A");
    EXPECT_EQ(TvBouquetCounter, 11);
    EXPECT_TRUE(TvBouquets[0].Entries.empty());
    EXPECT_TRUE(Modified) << "a save writes the new bouquet";

    RadioBouquetCounter = 0x2BC;
    EXPECT_EQ(InsertUB(TListKind::RadioBouquets, 0, "Jazz"), 0);
    EXPECT_EQ(Names(RadioBouquets), (std::vector<std::string>{"Jazz", "Radio"})) << "before the selected one";
    EXPECT_EQ(RadioBouquets[0].FileId, "02BC");

    EXPECT_EQ(InsertUB(TListKind::Providers, 1, "Sky"), 1);
    EXPECT_EQ(Providers[1].Name, "Sky");
    EXPECT_EQ(Providers[1].Id, 3);
    EXPECT_EQ(ProviderCounter, 4);
}

TEST_F(EditingTest, CutBouquetsPasteIntoTheOtherListInTheirOldOrder)
{
    TvBouquets.push_back({"Kids", "DBE02", 0, 0, 0, {}});
    // Rows shown: Favourites, UK, Kids; rows 0 and 2 cut.
    EXPECT_EQ(DeleteBouquet(TListKind::TvBouquets, {0, 2}), 2u);
    EXPECT_EQ(Names(TvBouquets), (std::vector<std::string>{"UK"}));
    EXPECT_EQ(Names(CutBouquets), (std::vector<std::string>{"Favourites", "Kids"}));

    ListChoiceChanged(); // the user switches to the radio list
    ASSERT_TRUE(HasCutElements(TListKind::RadioBouquets));
    EXPECT_EQ(PasteCutElements(TListKind::RadioBouquets, 0), 0);
    EXPECT_EQ(Names(RadioBouquets), (std::vector<std::string>{"Favourites", "Kids", "Radio"}));
    EXPECT_EQ(Entries(RadioBouquets[0]), (std::vector<std::string>{"S200", "DNews", "S201=Zweites", "S202"}));
    EXPECT_TRUE(CutBouquets.empty());
    EXPECT_EQ(PasteCutElements(TListKind::RadioBouquets, 0), -1) << "nothing left to paste";
}

TEST_F(EditingTest, CutProvidersGoToTheEnd)
{
    Providers.push_back({7, "Sky", 0, 0, {203}});
    DeleteBouquet(TListKind::Providers, {0});
    EXPECT_FALSE(HasCutElements(TListKind::TvBouquets));
    ASSERT_TRUE(HasCutElements(TListKind::Providers));
    EXPECT_EQ(PasteCutElements(TListKind::Providers, 0), 2);
    ASSERT_EQ(Providers.size(), 3u);
    EXPECT_EQ(Providers[2].Name, "ARD");
    EXPECT_EQ(Providers[2].Members, (ARR_OF_INTEGER{200, 204}));

    DeleteBouquet(TListKind::Providers, {0});
    ListChoiceChanged();
    EXPECT_FALSE(HasCutElements(TListKind::Providers)) << "providers cannot be pasted into bouquets";
}

TEST_F(EditingTest, EachCutStartsAFreshBuffer)
{
    DeleteBouquet(TListKind::TvBouquets, {0});
    DeleteBouquet(TListKind::TvBouquets, {0});
    EXPECT_EQ(Names(CutBouquets), (std::vector<std::string>{"UK"}));
    EXPECT_TRUE(TvBouquets.empty());
}

TEST_F(EditingTest, RenameAndRemoveEmpty)
{
    EXPECT_TRUE(RenameElement(TListKind::TvBouquets, 1, "Britain"));
    EXPECT_FALSE(RenameElement(TListKind::TvBouquets, 1, ""));
    EXPECT_FALSE(RenameElement(TListKind::TvBouquets, 5, "x"));
    EXPECT_EQ(Names(TvBouquets), (std::vector<std::string>{"Favourites", "Britain"}));

    TvBouquets.push_back({"Empty", "DBE02", 0, 0, 0, {}});
    TvBouquets.insert(TvBouquets.begin(), {"Also empty", "DBE03", 0, 0, 0, {}});
    RadioBouquets.push_back({"Empty radio", "DBE01", 0, 0, 0, {}});
    Providers.push_back({9, "None", 0, 0, {}});
    EXPECT_EQ(RemoveEmptyElements(TListKind::TvBouquets), 2u);
    EXPECT_EQ(Names(TvBouquets), (std::vector<std::string>{"Favourites", "Britain"}));
    EXPECT_EQ(RadioBouquets.size(), 2u) << "only the shown list";
    EXPECT_EQ(RemoveEmptyElements(TListKind::Providers), 1u);
    EXPECT_EQ(Providers.size(), 2u);
}

TEST_F(EditingTest, MarkerBeforeAnEntryWithOwnName)
{
    // The marker goes before entry 2 (S201 "Zweites").
    EXPECT_TRUE(InsertIntoDetails(TListKind::TvBouquets, 0, 2, "D", "Sport"));
    EXPECT_EQ(Entries(TvBouquets[0]), (std::vector<std::string>{"S200", "DNews", "DSport", "S201=Zweites", "S202"}));
    EXPECT_EQ(TvBouquets[0].ServiceCount, 3);
    EXPECT_TRUE(Modified) << "a save writes the marker";
}

TEST_F(EditingTest, ProvidersTakeServiceNumbersOnly)
{
    struct Case {
        const char* kind;
        const char* value;
        bool inserted;
    };
    const Case cases[] = {
        {"S", "203", true}, {"D", "News", false}, {"D", "12", false}, {"S", "x1", false}, {"S", "", false},
    };
    for (const Case& c : cases) {
        SetUp();
        EXPECT_EQ(InsertIntoDetails(TListKind::Providers, 1, 0, c.kind, c.value), c.inserted) << c.kind << c.value;
        EXPECT_EQ(Providers[1].Members.size(), c.inserted ? 2u : 1u) << c.kind << c.value;
    }
    EXPECT_EQ(InsertEntries(TListKind::Providers, 0, 1, {{"S", "203"}, {"D", "Films", ""}, {"S", "205", ""}}), 2u);
    EXPECT_EQ(Providers[0].Members, (ARR_OF_INTEGER{200, 203, 205, 204}));
}

TEST_F(EditingTest, RenameInBouquet)
{
    struct Case {
        std::int32_t entry;
        const char* answer;
        const char* after;
    };
    const Case cases[] = {
        {2, "ZDF", "S201"},              // back to the service's name: own name cleared
        {2, "ZDF HD", "S201=ZDF HD"},    // a new own name
        {0, "Erstes", "S200=Erstes"},    // a first own name
        {1, "Weather", "DWeather"},      // a marker's text
        {2, "", "S201=Zweites"},         // empty: unchanged
    };
    for (const Case& c : cases) {
        SetUp();
        RenameEntry(TListKind::TvBouquets, 0, c.entry, c.answer);
        EXPECT_EQ(Entries(TvBouquets[0])[static_cast<std::size_t>(c.entry)], c.after) << c.answer;
        EXPECT_EQ(Modified, *c.answer != '\0') << c.answer;
    }
    SetUp();
    EXPECT_FALSE(RenameEntry(TListKind::Providers, 0, 0, "x")) << "providers have no own names";
    EXPECT_EQ(Providers[0].Members, (ARR_OF_INTEGER{200, 204}));
}

TEST_F(EditingTest, RemovedEntriesAndTakenEntries)
{
    EXPECT_EQ(TakeEntries(TListKind::TvBouquets, 0, {2, 1, 9}),
              (ARR_ARR_OF_STRING{{"S", "201", "Zweites"}, {"D", "News", ""}}));
    EXPECT_EQ(RemoveFromDetails(TListKind::TvBouquets, 0, {1, 3, 1, 8}), 2u);
    EXPECT_EQ(Entries(TvBouquets[0]), (std::vector<std::string>{"S200", "S201=Zweites"}));
    EXPECT_EQ(TvBouquets[0].ServiceCount, 2);
    EXPECT_EQ(RemoveFromDetails(TListKind::Providers, 0, {0}), 1u);
    EXPECT_EQ(Providers[0].Members, (ARR_OF_INTEGER{204}));
}

TEST_F(EditingTest, DropRowLessTheMovedRowsAboveIt)
{
    struct Case {
        std::int32_t under;
        std::vector<std::int32_t> moved;
        std::int32_t row;
    };
    const Case cases[] = {
        {3, {1}, 2}, {3, {0, 1}, 1}, {1, {3}, 1}, {3, {2, 3}, 2}, {-1, {2}, 0}, {4, {0, 4, 6}, 3}, {2, {0, 0}, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DropRowAfterRemoval(c.under, c.moved), c.row) << c.under;
}

TEST_F(EditingTest, EntriesDraggedDownLandUnderTheMouse)
{
    // Favourites: S200, DNews, S201=Zweites, S202; rows 0 and 1 dropped on
    // row 3 (S202): they land just before S202.
    TvBouquets[0].Entries.push_back({"S", "203", ""});
    EXPECT_EQ(MoveEntries(TListKind::TvBouquets, 0, {0, 1}, 3), 1);
    EXPECT_EQ(Entries(TvBouquets[0]),
              (std::vector<std::string>{"S201=Zweites", "S200", "DNews", "S202", "S203"}));
    // Upwards: S203 (row 4) onto row 0.
    EXPECT_EQ(MoveEntries(TListKind::TvBouquets, 0, {4}, 0), 0);
    EXPECT_EQ(Entries(TvBouquets[0]),
              (std::vector<std::string>{"S203", "S201=Zweites", "S200", "DNews", "S202"}));
    EXPECT_TRUE(Modified);
}

TEST_F(EditingTest, EntriesDroppedOnAnotherBouquetGoToItsTop)
{
    EXPECT_EQ(MoveEntriesToElement(TListKind::TvBouquets, 0, {1, 2}, 1), 2u);
    EXPECT_EQ(Entries(TvBouquets[0]), (std::vector<std::string>{"S200", "S202"}));
    EXPECT_EQ(Entries(TvBouquets[1]), (std::vector<std::string>{"DNews", "S201=Zweites", "S203", "S200"}));
    EXPECT_EQ(TvBouquets[1].ServiceCount, 3);
}

TEST_F(EditingTest, BouquetsDraggedWithinTheList)
{
    TvBouquets.push_back({"Kids", "DBE02", 0, 0, 0, {}});
    TvBouquets.push_back({"Music", "DBE03", 0, 0, 0, {}});
    // Favourites dragged onto Music (row 3): lands before Music.
    EXPECT_EQ(MoveElements(TListKind::TvBouquets, {0}, 3), 2);
    EXPECT_EQ(Names(TvBouquets), (std::vector<std::string>{"UK", "Kids", "Favourites", "Music"}));
    EXPECT_EQ(MoveElements(TListKind::TvBouquets, {2, 3}, 0), 0);
    EXPECT_EQ(Names(TvBouquets), (std::vector<std::string>{"Favourites", "Music", "UK", "Kids"}));
    EXPECT_TRUE(CutBouquets.empty());
}

TEST_F(EditingTest, EveryBouquetChangeASaveWritesSetsModified)
{
    struct Case {
        const char* what;
        std::function<void()> run;
    };
    const Case cases[] = {
        {"insert bouquet", [] { InsertUB(TListKind::TvBouquets, 0, "x"); }},
        {"insert provider", [] { InsertUB(TListKind::Providers, 0, "x"); }},
        {"delete", [] { DeleteBouquet(TListKind::TvBouquets, {1}); }},
        {"paste cut", [] {
             CutBouquets = {TvBouquets[0]};
             PasteCutElements(TListKind::RadioBouquets, 0);
         }},
        {"rename", [] { RenameElement(TListKind::Providers, 0, "y"); }},
        {"remove empty", [] {
             TvBouquets.push_back({});
             RemoveEmptyElements(TListKind::TvBouquets);
         }},
        {"marker", [] { InsertIntoDetails(TListKind::TvBouquets, 0, 0, "D", "m"); }},
        {"remove entries", [] { RemoveFromDetails(TListKind::TvBouquets, 0, {0}); }},
        {"rename entry", [] { RenameEntry(TListKind::TvBouquets, 0, 0, "Own"); }},
        {"lock bouquet", [] { SetListLock(TListKind::TvBouquets, {0}, TLockList::Black, 1); }},
    };
    for (const Case& c : cases) {
        SetUp();
        c.run();
        EXPECT_TRUE(Modified) << c.what;
    }
}
