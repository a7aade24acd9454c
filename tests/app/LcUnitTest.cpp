// The language module: reading it as untrusted data, choosing a language,
// message texts through the active language, and rewriting a window's texts.

#include "app/LcUnit.h"
#include "app/LcidNames.h"
#include "app/PeWriter.h"
#include "controls/CfEdit.h"
#include "controls/MessDlgTexts.h"
#include "grid/CfGrid.h"
#include "platform/FormatText.h"
#include "platform/Forms.h"
#include "platform/Label.h"
#include "platform/Memo.h"
#include "platform/Menus.h"
#include "platform/PeResources.h"
#include "settings/MessageTexts.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <filesystem>
#include <fstream>
#include <set>

using namespace cf;
namespace fs = std::filesystem;

// A window of its own class, so its form resource is "TFORM_LCTEST".
class TForm_LcTest : public TForm {
public:
    TForm_LcTest()
    {
        Name = "Form_LcTest";
        SetCaption("Test window");
        Label1 = new TLabel(this);
        Label1->Name = "Label1";
        Label1->SetCaption("Name");
        Memo1 = new TMemo(this);
        Memo1->Name = "Memo1";
        for (const char* line : {"zero", "one", "two", "three"})
            Memo1->Lines().Add(line);
        Combo = new TCfComboBox(this);
        Combo->Name = "CB_Type";
        Combo->SetItems({"Enigma 1", "Enigma 2.3", "Enigma 2.4"});
        Grid = new TCfGrid(this);
        Grid->Name = "LV_Serv";
        for (const char* title : {"Number", "Name", "Provider"})
            Grid->Columns().Add<TCfTextColumn>()->Header().SetCaption(title);
        Menu.Name = "Pop_Lv_Serv";
        Menu.Add("Pop_Ch_Insert", "Insert");
        RegisterMenu(Menu);
    }
    std::string Line(int n) const { return Memo1->Lines()[n]; }
    std::string Column(int n) { return Grid->Columns().Item(n)->Header().Caption(); }

    TLabel* Label1;
    TMemo* Memo1;
    TCfComboBox* Combo;
    TCfGrid* Grid;
    TPopupMenu Menu;
};

namespace {

class LanguageModule : public ::testing::Test {
protected:
    void TearDown() override
    {
        DropLanguage();
        fs::remove_all(dir_);
    }
    std::string Write(const pe::TBytes& bytes, const std::string& name = "chanforge.lcf")
    {
        fs::create_directories(dir_);
        const std::string path = (dir_ / name).string();
        pe::WriteFile(path, bytes);
        return path;
    }
    // The usual module: English and Italian, a translated message and the test window.
    std::string Italian(std::int32_t flags = 0)
    {
        const bool untranslated = flags & 1;
        auto cols = [untranslated](std::vector<std::optional<std::string>> c) {
            if (untranslated)
                c.insert(c.begin(), std::string("original"));
            return c;
        };
        return Write(pe::Module({
            {"LCHEADER", pe::Header(flags, {1033, 1040})},
            {std::to_string(rs::HaltQuestion.Id), pe::Strings(cols({"Program will stop : sure ?", "Il programma verrà chiuso : sicuro ?"}))},
            {std::to_string(rs::RefreshAfterTp.Id), pe::Strings(cols({std::nullopt, std::nullopt}))},
            {"TFORM_LCTEST", pe::Form({{"Form_LcTest-Caption", {"Test window", "Finestra di prova"}},
                                       {"Label1-Caption", {"Name", "Nome"}},
                                       {"LV_Serv-Columns<1>.Header.Caption", {"Name", "Nome"}},
                                       {"Pop_Ch_Insert-Caption", {"Insert", "Inserisci"}}})},
        }));
    }
    fs::path dir_ = fs::temp_directory_path() / ("lcunit-" + std::to_string(QCoreApplication::applicationPid()));
};

TEST_F(LanguageModule, ResultTellsModuleAndLanguageApart)
{
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, pe::TBytes>> resources;
        int lcid;
        int result;
    };
    pe::TBytes wrongMagic = pe::Header(0, {1033});
    wrongMagic[2] = 'X';
    pe::TBytes tooManyLanguages = pe::Header(0, {1033});
    pe::Put32(tooManyLanguages, 12, 1000);
    pe::TBytes short15 = pe::Header(0, {});
    short15.resize(15);
    pe::TBytes negativeCount = pe::Header(0, {1033});
    pe::Put32(negativeCount, 12, 0xFFFFFFFFu);
    const std::vector<Case> cases{
        {"language present", {{"LCHEADER", pe::Header(0, {1033, 1040})}}, 1040, 1},
        {"language missing", {{"LCHEADER", pe::Header(0, {1033, 1040})}}, 1031, 0},
        {"second header form", {{"LCHEADE2", pe::Header(0, {1033, 1040}, true)}}, 1040, 1},
        {"no header", {{"TFORM_MAIN", pe::Form({})}}, 1033, -1},
        {"header of 15 bytes", {{"LCHEADER", short15}}, 1033, -1},
        {"wrong magic", {{"LCHEADER", wrongMagic}}, 1033, -1},
        {"count beyond the header", {{"LCHEADER", tooManyLanguages}}, 1033, -1},
        {"negative count", {{"LCHEADER", negativeCount}}, 1033, -1},
        {"second form without its code pages", {{"LCHEADE2", pe::Header(0, {1033, 1040})}}, 1040, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LoadLanguage(Write(pe::Module(c.resources)), c.lcid), c.result) << c.what;
        EXPECT_EQ(LanguageActive(), c.result == 1) << c.what;
    }
    EXPECT_EQ(LoadLanguage((dir_ / "absent.lcf").string(), 1033), -1);
    EXPECT_EQ(LoadLanguage(Write(pe::TBytes{'M', 'Z'}, "short.lcf"), 1033), -1);
}

TEST_F(LanguageModule, FirstHeaderIsLookedForFirst)
{
    const std::string path = Write(pe::Module({{"LCHEADE2", pe::Header(0, {1031}, true)}, {"LCHEADER", pe::Header(0, {1040})}}));
    EXPECT_EQ(LoadLanguage(path, 1040), 1);
    EXPECT_EQ(LoadLanguage(path, 1031), 0);
}

TEST_F(LanguageModule, CallbackSeesLanguagesInOrderUntilItStops)
{
    const std::string path = Write(pe::Module({{"LCHEADER", pe::Header(0, {1033, 1040, 1031})}}));
    std::vector<int> seen;
    EXPECT_EQ(LoadLanguage(path, 1031, [&seen](int id) { seen.push_back(id); return 1; }), 1);
    EXPECT_EQ(seen, (std::vector<int>{1033, 1040, 1031}));
    seen.clear();
    EXPECT_EQ(LoadLanguage(path, 1031, [&seen](int id) { seen.push_back(id); return id == 1033; }), 1);
    EXPECT_EQ(seen, (std::vector<int>{1033, 1040}));
}

TEST_F(LanguageModule, MessageTextsComeFromTheLanguagesColumn)
{
    struct Case {
        std::int32_t flags;
        int lcid;
        std::string halt;
    };
    for (const Case& c : std::vector<Case>{{0, 1033, "Program will stop : sure ?"},
                                          {0, 1040, "Il programma verrà chiuso : sicuro ?"},
                                          {1, 1033, "Program will stop : sure ?"},
                                          {1, 1040, "Il programma verrà chiuso : sicuro ?"}}) {
        ASSERT_EQ(LoadLanguage(Italian(c.flags), c.lcid), 1);
        EXPECT_EQ(LoadRs(rs::HaltQuestion), c.halt) << "flags " << c.flags << " lcid " << c.lcid;
        // Size -1 in the column and an id without a resource: the built-in text.
        EXPECT_EQ(LoadRs(rs::RefreshAfterTp), rs::RefreshAfterTp.Text);
        EXPECT_EQ(LoadRs(rs::DeleteServices), rs::DeleteServices.Text);
    }
    // A language the module lacks: no longer translated.
    EXPECT_EQ(LoadLanguage(Italian(), 1031), 0);
    EXPECT_EQ(LoadRs(rs::HaltQuestion), rs::HaltQuestion.Text);
    ASSERT_EQ(LoadLanguage(Italian(), 1040), 1);
    DropLanguage();
    EXPECT_EQ(LoadRs(rs::HaltQuestion), rs::HaltQuestion.Text);
}

TEST_F(LanguageModule, DialogTitlesAndButtonsAreTranslatedToo)
{
    const std::string path = Write(pe::Module({{"LCHEADER", pe::Header(0, {1033, 1040})},
                                               {std::to_string(DlgTextIdBase + 6), pe::Strings({"Yes", "Sì"})}}));
    ASSERT_EQ(LoadLanguage(path, 1040), 1);
    EXPECT_EQ(ShownDlgText(dlEnglish, 6), "Sì");
    EXPECT_EQ(ShownDlgText(dlGerman, 7), "Nein");
    DropLanguage();
    EXPECT_EQ(ShownDlgText(dlEnglish, 6), "Yes");
}

TEST_F(LanguageModule, DamagedStringColumnsFallBackToTheBuiltInText)
{
    pe::TBytes odd = pe::Strings({"abc"});
    pe::Put32(odd, 4, 5);
    pe::TBytes pastEnd = pe::Strings({"abc"});
    pe::Put32(pastEnd, 4, 4000);
    pe::TBytes negativeOffset = pe::Strings({"abc"});
    pe::Put32(negativeOffset, 0, 0xFFFFFFF0u);
    for (const pe::TBytes& strings : {odd, pastEnd, negativeOffset, pe::TBytes{1, 2, 3}}) {
        ASSERT_EQ(LoadLanguage(Write(pe::Module({{"LCHEADER", pe::Header(0, {1033})}, {"1002", strings}})), 1033), 1);
        EXPECT_EQ(LoadRs(rs::HaltQuestion), rs::HaltQuestion.Text);
    }
}

TEST_F(LanguageModule, LoneSurrogateBecomesReplacementCharacter)
{
    pe::TBytes text = pe::Strings({"ab"});
    pe::Put16(text, 8, 0xD800); // "a" becomes a high surrogate followed by "b"
    ASSERT_EQ(LoadLanguage(Write(pe::Module({{"LCHEADER", pe::Header(0, {1033})}, {"1002", text}})), 1033), 1);
    EXPECT_EQ(LoadRs(rs::HaltQuestion), "\xEF\xBF\xBD" "b");
}

TEST_F(LanguageModule, TranslateFormRewritesCaptionsLabelsColumnsAndMenus)
{
    TForm_LcTest form;
    ASSERT_EQ(LoadLanguage(Italian(), 1040), 1);
    TranslateForm(form);
    EXPECT_EQ(form.Caption(), "Finestra di prova");
    EXPECT_EQ(form.Label1->Caption(), "Nome");
    EXPECT_EQ(form.Column(1), "Nome");
    EXPECT_EQ(form.Menu.FindItem("Pop_Ch_Insert")->Caption, "Inserisci");

    ASSERT_EQ(LoadLanguage(Italian(), 1033), 1);
    TranslateForm(form);
    EXPECT_EQ(form.Caption(), "Test window");
    EXPECT_EQ(form.Label1->Caption(), "Name");
}

TEST_F(LanguageModule, FormEntriesUseTheLanguageSlotWhateverTheFlags)
{
    TForm_LcTest form;
    ASSERT_EQ(LoadLanguage(Italian(1), 1040), 1);
    TranslateForm(form);
    EXPECT_EQ(form.Label1->Caption(), "Nome");
}

TEST_F(LanguageModule, WithoutActiveLanguageOrOwnResourceNothingChanges)
{
    TForm_LcTest form;
    TranslateForm(form);
    EXPECT_EQ(form.Caption(), "Test window");
    // Only the ancestor's resource: the window keeps its texts.
    ASSERT_EQ(LoadLanguage(Write(pe::Module({{"LCHEADER", pe::Header(0, {1040})},
                                             {"TFORM", pe::Form({{"Form_LcTest-Caption", {"Finestra"}}})}})),
                           1040),
              1);
    TranslateForm(form);
    EXPECT_EQ(form.Caption(), "Test window");
}

TEST_F(LanguageModule, AncestorsFirstAndEntriesLastToFirst)
{
    TForm_LcTest form;
    ASSERT_EQ(LoadLanguage(Write(pe::Module({
                               {"LCHEADER", pe::Header(0, {1040})},
                               {"TFORM", pe::Form({{"Form_LcTest-Caption", {"from TForm"}}, {"Label1-Hint", {"hint"}}})},
                               {"TFORM_LCTEST", pe::Form({{"Label1-Caption", {"first"}}, {"Label1-Caption", {"second"}},
                                                          {"Form_LcTest-Caption", {"own"}}})},
                           })),
                           1040),
              1);
    TranslateForm(form);
    EXPECT_EQ(form.Caption(), "own");
    EXPECT_EQ(form.Label1->Hint, "hint");
    // The first entry is read last, so it is applied last.
    EXPECT_EQ(form.Label1->Caption(), "first");
}

TEST_F(LanguageModule, PathEdgeCases)
{
    struct Case {
        const char* key;
        const char* what;
        std::function<bool(TForm_LcTest&)> holds;
    };
    const std::vector<Case> cases{
        {"Memo1-Lines(3)", "line 3 of a memo of 4", [](TForm_LcTest& f) { return f.Line(3) == "X" && f.Line(2) == "two"; }},
        {"Memo1-Lines(4)", "line past the end", [](TForm_LcTest& f) { return f.Memo1->Lines().Count() == 4 && f.Line(3) == "three"; }},
        {"Memo1-Lines(-1)", "negative line", [](TForm_LcTest& f) { return f.Line(0) == "zero"; }},
        {"Memo1-Lines(4294967296)", "line beyond 32 bits", [](TForm_LcTest& f) { return f.Line(0) == "zero"; }},
        {"CB_Type-Items(1)", "combo item", [](TForm_LcTest& f) { return f.Combo->Items()[1] == "X"; }},
        {"LV_Serv-Columns<2>.Header.Caption", "column 2 of 3", [](TForm_LcTest& f) { return f.Column(2) == "X"; }},
        {"LV_Serv-Columns<5>.Header.Caption", "item 5 of 3", [](TForm_LcTest& f) { return f.Column(2) == "Provider"; }},
        {"LV_Serv-Columns<-1>.Header.Caption", "negative item", [](TForm_LcTest& f) { return f.Column(0) == "Number"; }},
        {"LV_Serv-Columns(1).Header.Caption", "line suffix before the end", [](TForm_LcTest& f) { return f.Column(1) == "Name"; }},
        {"Nobody-Caption", "missing component", [](TForm_LcTest& f) { return f.Label1->Caption() == "Name"; }},
        {"Label1-Colour", "missing property", [](TForm_LcTest& f) { return f.Label1->Caption() == "Name"; }},
        {"label1-caption", "names without case", [](TForm_LcTest& f) { return f.Label1->Caption() == "X"; }},
    };
    for (const Case& c : cases) {
        TForm_LcTest form;
        ASSERT_EQ(LoadLanguage(Write(pe::Module({{"LCHEADER", pe::Header(0, {1040})},
                                                 {"TFORM_LCTEST", pe::Form({{c.key, {"X"}}})}})),
                               1040),
                  1);
        TranslateForm(form);
        EXPECT_TRUE(c.holds(form)) << c.what;
    }
}

TEST_F(LanguageModule, DamagedFormEntriesAreSkippedAndTheRestApplied)
{
    pe::TBytes form = pe::Form({{"Label1-Caption", {"Nome"}}, {"Form_LcTest-Caption", {"Finestra"}}});
    // Entry 1 (read first) points far outside; entry 0 stays whole.
    pe::Put32(form, 4 + 8 + 4 + 8, 0x7FFFFFF0u);
    const std::string path = Write(pe::Module({{"LCHEADER", pe::Header(0, {1040})}, {"TFORM_LCTEST", form}}));
    TForm_LcTest f;
    ASSERT_EQ(LoadLanguage(path, 1040), 1);
    TranslateForm(f);
    EXPECT_EQ(f.Label1->Caption(), "Nome");
    EXPECT_EQ(f.Caption(), "Test window");
}

TEST_F(LanguageModule, TruncatedModulesNeverReadPastTheirEnd)
{
    const pe::TBytes whole = pe::Module({{"LCHEADER", pe::Header(1, {1033, 1040})},
                                         {"1002", pe::Strings({"a", "b", "c"})},
                                         {"TFORM_LCTEST", pe::Form({{"Label1-Caption", {"x", "y"}}})}});
    for (std::size_t n = 0; n < whole.size(); n += 7) {
        const std::string path = Write(pe::TBytes(whole.begin(), whole.begin() + std::ptrdiff_t(n)), "cut.lcf");
        const int result = LoadLanguage(path, 1040);
        EXPECT_LE(result, 1);
        TForm_LcTest form;
        TranslateForm(form);
        (void)LoadRs(rs::HaltQuestion);
    }
}

TEST(PeResources, FindsRcDataByNameWithoutCase)
{
    const auto pe = TPeResources::FromBytes(pe::Module({{"LCHEADER", {1, 2, 3}}, {"TFORM_MAIN", {4}}}));
    ASSERT_TRUE(pe);
    ASSERT_TRUE(pe->FindRcData("tform_main"));
    EXPECT_EQ(pe->FindRcData("TFORM_MAIN")->size(), 1u);
    EXPECT_EQ((*pe->FindRcData("LCHEADER"))[2], 3);
    EXPECT_FALSE(pe->FindRcData("TFORM_ABOUT"));
}

TEST(LcidNames, WindowsEnglishNamesAndAPlainFallback)
{
    EXPECT_EQ(LcidName(1033), "English (United States)");
    EXPECT_EQ(LcidName(1040), "Italian (Italy)");
    EXPECT_EQ(LcidName(1031), "German (Germany)");
    EXPECT_EQ(LcidName(4242), "Language 4242");
}

TEST(MessageTexts, IdsAreUniqueAndFitAStringResourceName)
{
    std::set<int> ids;
    for (const auto& rec : rs::All) {
        EXPECT_TRUE(ids.insert(rec.Id).second) << rec.Id;
        EXPECT_GT(rec.Id, 0);
        EXPECT_LT(rec.Id, 0x10000);
        EXPECT_FALSE(rec.Id >= DlgTextIdBase && rec.Id < DlgTextIdBase + DlgTextCount) << rec.Id;
        // A built-in text is always a sound format for its values.
        EXPECT_TRUE(FormatText(rec.Text, {"a", "b", "c"})) << rec.Id;
    }
}

} // namespace
