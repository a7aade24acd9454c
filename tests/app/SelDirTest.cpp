#include "app/DirListing.h"
#include "app/Unit_SelDir.h"

#include "settings/Unit_lib.h"

#include "common/TestData.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;
using namespace cf;

namespace {

class TAnswers : public TFolderDialogs {
public:
    bool yes = false;
    std::vector<std::string> errors, questions;
    void Error(const std::string& t) override { errors.push_back(t); }
    bool Confirm(const std::string& t) override
    {
        questions.push_back(t);
        return yes;
    }
};

class SelDir : public ::testing::Test {
protected:
    cftest::ScratchDir tmp;
    TForm_SelDir form;
    TAnswers answers;
    std::string typed; // what the input query answers
    bool queryOk = true;

    void SetUp() override
    {
        ClearModel();
        for (const char* n : {"Enigma 2.4 (Qbox-HD)", "Enigma 1 (Qbox-One)", "Enigma 1 (Box 7000)"}) {
            TY_PROFILES p;
            p.Name = n;
            Profiles.push_back(p);
        }
        SelectedProfile = 1;
        SaveProfile = 0;
        fs::create_directories(tmp / "box" / "enigma2");
        fs::create_directories(tmp / "box" / "Backup");
        std::ofstream(tmp / "box" / "lamedb") << "x";
        std::ofstream(tmp / "box" / "bouquets.tv") << "x";
        TheLoadDir = (tmp / "box").string();
        TheSaveDir = (tmp / "box" / "enigma2").string();
        form.Dialogs = &answers;
        form.InputQuery = [this](const std::string& caption, const std::string& prompt, std::string& value) {
            EXPECT_EQ(caption, "Create Dir");
            EXPECT_EQ(prompt, "Insert name for new dir");
            if (queryOk)
                value = typed;
            return queryOk;
        };
    }
    void TearDown() override { ClearModel(); }

    std::string Edir() const { return form.Edir->text().toStdString(); }
};

void DoubleClickRow(TFileListBase& list, int row)
{
    const int y = list.ClientOffset().Y + (row - list.TopIndex()) * list.RowHeight() + 2;
    const QPointF at(list.ClientOffset().X + 10, y);
    QMouseEvent press(QEvent::MouseButtonPress, at, list.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&list, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, list.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&list, &release);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, list.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(&list, &dbl);
}

int RowOf(const TFileListBase& list, const std::string& text)
{
    for (int i = 0; i < list.Count(); ++i)
        if (list.Item(i) == text)
            return i;
    return -1;
}

} // namespace

TEST_F(SelDir, LoadModeStartsAtTheLoadFolder)
{
    form.Tag = 0;
    form.FormShow();
    EXPECT_EQ(form.Caption(), "Chanforge - Select Directory");
    ASSERT_EQ(form.CB_Profile->count(), 3);
    EXPECT_EQ(form.CB_Profile->itemText(2).toStdString(), "Enigma 1 (Box 7000)");
    EXPECT_EQ(form.CB_Profile->currentIndex(), 1);
    EXPECT_EQ(form.dlb->Directory(), (tmp / "box").string());
    EXPECT_EQ(Edir(), (tmp / "box").string());
    EXPECT_FALSE(form.PanelVer->isEnabled());
    EXPECT_EQ(form.dlb->PopupMenu, nullptr);
    EXPECT_FALSE(form.dlb->ShowHint);
    // The folder list: the chain down to the folder, then its folders.
    const auto& items = form.dlb->Items();
    EXPECT_EQ(items.front(), "/");
    EXPECT_EQ(items[form.dlb->ItemIndex()], "box");
    EXPECT_EQ(std::vector<std::string>(items.end() - 2, items.end()), (std::vector<std::string>{"Backup", "enigma2"}));
    EXPECT_EQ(form.flb->Items(), (std::vector<std::string>{"bouquets.tv", "lamedb"}));
    EXPECT_EQ(form.dcb->Drive(), DriveOf((tmp / "box").string(), form.dcb->Drives()));
}

TEST_F(SelDir, SaveModeOffersTheProfilesAndTheCreateMenu)
{
    form.Tag = 1;
    form.FormShow();
    EXPECT_EQ(form.dlb->Directory(), (tmp / "box" / "enigma2").string());
    EXPECT_TRUE(form.PanelVer->isEnabled());
    EXPECT_EQ(form.dlb->PopupMenu, form.PopupMenu_dir);
    EXPECT_TRUE(form.dlb->ShowHint);
    EXPECT_EQ(form.dlb->Hint, "Right click to create dir");
    EXPECT_EQ(form.PopCreateDir->text().toStdString(), "Create Dir");
}

TEST_F(SelDir, AGoneFolderShowsItsNearestParent)
{
    TheLoadDir = (tmp / "box" / "gone" / "deeper").string();
    form.Tag = 0;
    form.FormShow();
    EXPECT_EQ(form.dlb->Directory(), (tmp / "box").string());
    EXPECT_EQ(Edir(), (tmp / "box").string());
    TheLoadDir = "C:\\";
    form.FormShow();
    EXPECT_TRUE(fs::is_directory(form.dlb->Directory()));
}

TEST_F(SelDir, BrowsingMovesTheEditAndTheFiles)
{
    form.Tag = 0;
    form.FormShow();
    form.resize(456, 392);
    DoubleClickRow(*form.dlb, RowOf(*form.dlb, "enigma2"));
    EXPECT_EQ(form.dlb->Directory(), (tmp / "box" / "enigma2").string());
    EXPECT_EQ(Edir(), (tmp / "box" / "enigma2").string());
    EXPECT_TRUE(form.flb->Items().empty());
    // Up again through the chain, by keyboard.
    form.dlb->SetItemIndex(RowOf(*form.dlb, "box"));
    uint16_t enter = VK_RETURN;
    form.dlb->KeyDown(enter, 0);
    EXPECT_EQ(Edir(), (tmp / "box").string());
    EXPECT_EQ(form.flb->Count(), 2);
    // The root drive.
    form.dcb->SetDrive("/");
    EXPECT_EQ(form.dlb->Directory(), "/");
    EXPECT_EQ(Edir(), "/");
}

TEST_F(SelDir, OkInLoadModeTakesTheTypedFolder)
{
    form.Tag = 0;
    form.FormShow();
    form.Edir->setText("/some/folder/never/shown");
    form.bOKClick();
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_EQ(TheLoadDir, "/some/folder/never/shown");
    EXPECT_TRUE(answers.questions.empty());
}

TEST_F(SelDir, OkInSaveModeWarnsFirst)
{
    form.Tag = 1;
    form.FormShow();
    form.CB_Profile->setCurrentIndex(2);
    const std::string warning = "All settings file in the target directory will be deleted : Are you sure ? ";

    answers.yes = false;
    form.bOKClick();
    EXPECT_EQ(answers.questions, std::vector<std::string>{warning});
    EXPECT_EQ(form.ModalResult(), mrCancel);
    EXPECT_EQ(TheSaveDir, (tmp / "box" / "enigma2").string());
    EXPECT_EQ(SaveProfile, 0);

    form.SetModalResult(mrNone);
    form.Edir->setText(QString::fromStdString((tmp / "box").string()));
    answers.yes = true;
    form.bOKClick();
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_EQ(TheSaveDir, (tmp / "box").string());
    EXPECT_EQ(SaveProfile, 2);
}

TEST_F(SelDir, ASaveFolderThatIsNotThereIsRefusedBeforeAnyQuestion)
{
    form.Tag = 1;
    form.FormShow();
    form.Edir->setText(QString::fromStdString((tmp / "nowhere").string()));
    answers.yes = true;
    form.bOKClick();
    EXPECT_TRUE(answers.questions.empty());
    EXPECT_EQ(answers.errors, std::vector<std::string>{"The folder " + (tmp / "nowhere").string() + " does not exist"});
    EXPECT_EQ(form.ModalResult(), mrNone) << "the dialog stays open";
    EXPECT_EQ(TheSaveDir, (tmp / "box" / "enigma2").string());
    EXPECT_FALSE(fs::exists(tmp / "nowhere"));
}

TEST_F(SelDir, CreateDirChecksTheName)
{
    form.Tag = 1;
    form.FormShow();
    const fs::path here = tmp / "box" / "enigma2";

    typed = "backup 2024";
    form.PopCreateDirClick();
    EXPECT_TRUE(fs::is_directory(here / "backup 2024"));
    EXPECT_EQ(form.dlb->Directory(), (here / "backup 2024").string());
    EXPECT_EQ(Edir(), (here / "backup 2024").string());

    form.dlb->SetDirectory(here.string());
    for (const std::string bad : {"../escape", "a/b", "..", "."}) {
        answers.errors.clear();
        typed = bad;
        form.PopCreateDirClick();
        EXPECT_EQ(answers.errors.size(), 1u) << bad;
        EXPECT_EQ(form.dlb->Directory(), here.string()) << bad;
    }
    EXPECT_FALSE(fs::exists(tmp / "box" / "escape"));
    EXPECT_FALSE(fs::exists(here / "a"));

    answers.errors.clear();
    typed = "";
    form.PopCreateDirClick(); // an empty answer creates nothing, says nothing
    queryOk = false;
    typed = "cancelled";
    form.PopCreateDirClick();
    EXPECT_TRUE(answers.errors.empty());
    EXPECT_FALSE(fs::exists(here / "cancelled"));
    EXPECT_EQ(std::distance(fs::directory_iterator(here), fs::directory_iterator()), 1);
}
