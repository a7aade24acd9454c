// Type-to-search on the manual clock (no sleeping) and FindText.

#include "GridInputFixture.h"
#include "platform/Timer.h"

using namespace cf;

namespace {

struct Clocked : GridInput {
  TManualClock Clock;
  void SetUp() override {
    SetClock(&Clock);
    GridInput::SetUp();
    Grid->SetOptions(goHeader | goSelectFullRow);
    Columns({120, 80});
    Grid->Columns().Item(0)->SetOptions(Grid->Columns().Item(0)->Options() | coSearchColumn);
  }
  void TearDown() override {
    GridInput::TearDown();
    SetClock(nullptr);
  }
};

}  // namespace

TEST_F(Clocked, EachKeyRestartsTheSevenHundredMillisecondTimer) {
  Rows({"Astra", "Arte", "Bild"});
  Grid->SetSelectedRow(2);
  Type("a");
  Clock.Advance(600);
  Type("r");
  Clock.Advance(600);  // 1200 ms after the first key, 600 after the last
  EXPECT_EQ(Grid->SearchText(), "ar");
  EXPECT_EQ(Grid->SelectedRow(), 1);
  Clock.Advance(100);
  EXPECT_EQ(Grid->SearchText(), "");
  EXPECT_FALSE(Grid->SearchTimer().Enabled());
}

TEST_F(Clocked, AGrowingTextKeepsAMatchingRowAndAFirstLetterStepsOn) {
  struct Step {
    const char* typed;
    int pauseAfter;  // ms
    int row;
  };
  // "ab" typed within 700 ms searches "a" then "ab" from the current row, so
  // "abe" stays; after a pause a lone "a" moves on to the next match and wraps.
  Rows({"Abc", "Abd", "Xyz", "abe"});
  Grid->SetSelectedRow(2);
  const Step steps[] = {{"a", 0, 3}, {"b", 800, 3}, {"a", 800, 0}, {"a", 800, 1},
                        {"a", 800, 3}, {"x", 0, 2},  {"a", 800, 2}};
  for (const Step& s : steps) {
    Type(s.typed);
    EXPECT_EQ(Grid->SelectedRow(), s.row) << s.typed;
    Clock.Advance(s.pauseAfter);
  }
}

TEST_F(Clocked, NonLatinNamesAreFoundWithoutRegardToCase) {
  Rows({"Первый канал", "Россия 1", "НТВ", "Ελληνική", "Çanakkale TV"});
  Grid->SetSelectedRow(4);
  const struct {
    const char* typed;
    int row;
  } cases[] = {{"р", 1}, {"РОС", 1}, {"нт", 2}, {"ελλ", 3}, {"ç", 4}, {"пе", 0}};
  for (const auto& c : cases) {
    Clock.Advance(800);
    Type(c.typed);
    EXPECT_EQ(Grid->SelectedRow(), c.row) << c.typed;
  }
}

TEST_F(Clocked, TypingInAnEditingColumnOpensTheEditorAndDoesNotSearch) {
  Rows({"Astra", "Bild", "Bunt"});
  Grid->Columns().Item(0)->SetOptions(Grid->Columns().Item(0)->Options() | coEditing);
  Grid->SetSelectedRow(0);
  Type("b");
  EXPECT_TRUE(Grid->CellEditing());
  EXPECT_EQ(Grid->SearchText(), "");
  EXPECT_EQ(Grid->SelectedRow(), 0);
  ASSERT_NE(Grid->InplaceEditor(), nullptr);
  EXPECT_EQ(Grid->InplaceEditor()->Text(), "b");
}

TEST_F(Clocked, FindTextSearchesShownRowsOnlyAndWraps) {
  EXPECT_FALSE(Grid->FindText(0, "a", true));  // no rows
  Rows({"Arte", "Astra", "Bild", "Anixe"});
  Grid->SetRowVisible(1, false);
  struct Case {
    int current;
    const char* text;
    bool fromStart;
    bool found;
    int row;
  };
  const Case cases[] = {
      {-1, "as", true, false, -1},  // the only "As..." row is hidden
      {0, "a", false, true, 3},     // after the current row
      {3, "a", false, true, 0},     // wrapping to the top
      {3, "a", true, true, 0},      // from the start
      {2, "bil", false, true, 2},   // the current row itself comes last
      {0, "zz", false, false, 0},   // no match leaves the selection
  };
  for (const Case& c : cases) {
    if (c.current >= 0) Grid->SetSelectedRow(c.current);
    EXPECT_EQ(Grid->FindText(0, c.text, c.fromStart), c.found) << c.text;
    if (c.found) {
      EXPECT_EQ(Grid->SelectedRow(), c.row) << c.text;
    }
  }
}

TEST_F(Clocked, AMatchOffThePageIsScrolledIntoView) {
  for (int i = 0; i < 40; ++i) Rows({"row " + std::to_string(i)});
  Rows({"zebra"});
  Grid->SetSelectedRow(0);
  Type("z");
  EXPECT_EQ(Grid->SelectedRow(), 40);
  EXPECT_EQ(Grid->FirstRow(), 30);  // 11 rows a page, the match at the bottom
}
