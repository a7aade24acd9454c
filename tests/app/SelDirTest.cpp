#include "app/DirListing.h"
#include "app/Unit_SelDir.h"

#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfLabel.h"
#include "controls/CfNativeEdit.h"
#include "controls/CfPanel.h"
#include "controls/MessDlgs.h"
#include "controls/ScriptedMessages.h"
#include "platform/Menus.h"
#include "settings/Unit_lib.h"

#include "common/TestData.h"
#include "controls_panels/DialogTestHelpers.h"
#include "controls_panels/SyntheticInput.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include <unistd.h>

namespace fs = std::filesystem;
using namespace cf;

namespace {

using TKind = TScriptedMessages::TKind;

class SelDir : public ::testing::Test {
protected:
    cftest::ScratchDir tmp;
    TForm_SelDir form;
    TScriptedMessages messages;
    TMessageServiceScope scope{messages};

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
        messages.Unscripted = TScriptedMessages::TUnscripted::Fail;
    }
    void TearDown() override { ClearModel(); }

    std::string Edir() const { return form.Edir->Text(); }
    // The texts of the error boxes shown, in order.
    std::vector<std::string> Errors() const
    {
        std::vector<std::string> r;
        for (const auto& e : messages.Log())
            if (e.Kind == TKind::Message && e.Type == mtError)
                r.push_back(e.Text);
        return r;
    }
    std::vector<std::string> Questions() const
    {
        std::vector<std::string> r;
        for (const auto& e : messages.Log())
            if (e.Kind == TKind::Message && e.Type == mtConfirmation)
                r.push_back(e.Text);
        return r;
    }
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
    ASSERT_EQ(form.CB_Profile->Items().size(), 3u);
    EXPECT_EQ(form.CB_Profile->Items()[2], "Enigma 1 (Box 7000)");
    EXPECT_EQ(form.CB_Profile->ItemIndex(), 1);
    EXPECT_EQ(form.CB_Profile->Text(), "Enigma 1 (Qbox-One)");
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
    EXPECT_EQ(form.PopCreateDir->Caption, "Create Dir");
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
    form.Edir->SetText("/some/folder/never/shown");
    form.bOKClick();
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_EQ(TheLoadDir, "/some/folder/never/shown");
    EXPECT_TRUE(messages.Log().empty());
}

TEST_F(SelDir, OkInSaveModeWarnsFirst)
{
    form.Tag = 1;
    form.FormShow();
    form.CB_Profile->SetItemIndex(2);
    const std::string warning = "All settings file in the target directory will be deleted : Are you sure ? ";

    messages.Answer(mrNo);
    form.bOKClick();
    EXPECT_EQ(Questions(), std::vector<std::string>{warning});
    EXPECT_EQ(messages.Log()[0].Buttons, (TMsgDlgButtons{mbYes, mbNo}));
    EXPECT_EQ(form.ModalResult(), mrCancel);
    EXPECT_EQ(TheSaveDir, (tmp / "box" / "enigma2").string());
    EXPECT_EQ(SaveProfile, 0);

    form.SetModalResult(mrNone);
    form.Edir->SetText((tmp / "box").string());
    messages.Answer(mrYes);
    form.bOKClick();
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_EQ(TheSaveDir, (tmp / "box").string());
    EXPECT_EQ(SaveProfile, 2);
}

TEST_F(SelDir, ASaveFolderThatIsNotThereIsRefusedBeforeAnyQuestion)
{
    form.Tag = 1;
    form.FormShow();
    form.Edir->SetText((tmp / "nowhere").string());
    messages.PressEnter();
    form.bOKClick();
    EXPECT_TRUE(Questions().empty());
    EXPECT_EQ(Errors(), std::vector<std::string>{"The folder " + (tmp / "nowhere").string() + " does not exist"});
    EXPECT_EQ(form.ModalResult(), mrNone) << "the dialog stays open";
    EXPECT_EQ(TheSaveDir, (tmp / "box" / "enigma2").string());
    EXPECT_FALSE(fs::exists(tmp / "nowhere"));
}

TEST_F(SelDir, CreateDirChecksTheName)
{
    form.Tag = 1;
    form.FormShow();
    const fs::path here = tmp / "box" / "enigma2";

    messages.AnswerQuery("backup 2024");
    form.PopCreateDirClick();
    ASSERT_EQ(messages.Log().size(), 1u);
    EXPECT_EQ(messages.Log()[0].Kind, TKind::Query);
    EXPECT_EQ(messages.Log()[0].Caption, "Create Dir");
    EXPECT_EQ(messages.Log()[0].Text, "Insert name for new dir");
    EXPECT_EQ(messages.Log()[0].Offered, "");
    EXPECT_TRUE(fs::is_directory(here / "backup 2024"));
    EXPECT_EQ(form.dlb->Directory(), (here / "backup 2024").string());
    EXPECT_EQ(Edir(), (here / "backup 2024").string());

    form.dlb->SetDirectory(here.string());
    for (const std::string bad : {"../escape", "a/b", "..", "."}) {
        messages.Clear();
        messages.AnswerQuery(bad).PressEnter();
        form.PopCreateDirClick();
        EXPECT_EQ(Errors(), std::vector<std::string>{"\"" + bad + "\" cannot be the name of a folder"}) << bad;
        EXPECT_EQ(form.dlb->Directory(), here.string()) << bad;
    }
    EXPECT_FALSE(fs::exists(tmp / "box" / "escape"));
    EXPECT_FALSE(fs::exists(here / "a"));

    messages.Clear();
    messages.AnswerQuery(""); // an empty answer creates nothing, says nothing
    form.PopCreateDirClick();
    messages.CancelQuery();
    form.PopCreateDirClick();
    messages.PressEscape();
    form.PopCreateDirClick();
    EXPECT_TRUE(Errors().empty());
    EXPECT_TRUE(messages.ScriptDone());
    EXPECT_EQ(std::distance(fs::directory_iterator(here), fs::directory_iterator()), 1);
}

TEST_F(SelDir, AFileInTheWayIsReported)
{
    form.Tag = 1;
    form.FormShow();
    const fs::path here = tmp / "box" / "enigma2";
    std::ofstream(here / "taken") << "x";
    messages.AnswerQuery("taken").PressEnter();
    form.PopCreateDirClick();
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Errors()[0].rfind("Cannot create the folder " + (here / "taken").string() + " : ", 0), 0u) << Errors()[0];
    EXPECT_EQ(form.dlb->Directory(), here.string());
}

TEST_F(SelDir, CreateDirReportsWhatTheFileSystemRefuses)
{
    // Each refusal is one error box, and the dialog stays where it was.
    form.Tag = 1;
    form.FormShow();
    const fs::path here = tmp / "box" / "enigma2";
    fs::create_directory_symlink("loop", here / "loop"); // a link that leads to itself
    struct Case {
        std::string name;
        std::function<void()> arrange, undo;
    };
    std::vector<Case> cases = {{"loop", [] {}, [] {}}};
    if (geteuid() != 0) // root enters any folder
        cases.push_back({"inside", [&] { fs::permissions(here, fs::perms::owner_read); },
                         [&] { fs::permissions(here, fs::perms::owner_all); }});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.Clear();
        c.arrange();
        messages.AnswerQuery(c.name).PressEnter();
        EXPECT_NO_THROW(form.PopCreateDirClick());
        c.undo();
        ASSERT_EQ(Errors().size(), 1u);
        EXPECT_EQ(Errors()[0].rfind("Cannot create the folder " + (here / c.name).string() + " : ", 0), 0u)
            << Errors()[0];
        EXPECT_EQ(form.dlb->Directory(), here.string());
    }
}

TEST_F(SelDir, OkWithoutAFolderNameIsRefused)
{
    // An empty name would mean the working folder.
    const std::string loadBefore = TheLoadDir, saveBefore = TheSaveDir;
    for (int tag : {0, 1}) {
        SCOPED_TRACE(tag);
        messages.Clear();
        form.Tag = tag;
        form.FormShow();
        form.SetModalResult(mrNone);
        form.Edir->SetText("");
        messages.PressEnter();
        form.bOKClick();
        EXPECT_EQ(Errors(), std::vector<std::string>{"Enter the name of a folder"});
        EXPECT_TRUE(Questions().empty());
        EXPECT_EQ(form.ModalResult(), mrNone) << "the dialog stays open";
        EXPECT_EQ(TheLoadDir, loadBefore);
        EXPECT_EQ(TheSaveDir, saveBefore);
    }
}

// ---------------------------------------------------------------- the controls, by synthetic events

TEST_F(SelDir, TheControlsAreTheProgramsOwn)
{
    EXPECT_EQ(form.Label_Dir->Caption(), "Directory Name");
    EXPECT_EQ(form.Label_Profile->Caption(), "Save with  format");
    EXPECT_EQ(form.BitBtn1->Caption(), "OK");
    EXPECT_EQ(form.BitBtn2->Caption(), "Cancel");
    EXPECT_TRUE(form.BitBtn1->Default());
    EXPECT_TRUE(form.BitBtn2->Cancel);
    EXPECT_EQ(form.CB_Profile->Style(), TDropDownStyle::dsDropDownList) << "only the listed profiles";
    EXPECT_EQ(form.CB_Profile->parentWidget(), form.PanelVer);
}

TEST_F(SelDir, ATypedFolderAndAClickOnOkLoadFromIt)
{
    form.Tag = 0;
    form.FormShow();
    form.show();
    form.Edir->SetText("");
    Type(form.Edir->NativeEdit(), "/typed/by/hand");
    EXPECT_EQ(Edir(), "/typed/by/hand");
    Click(*form.BitBtn1);
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_EQ(TheLoadDir, "/typed/by/hand");
    form.hide();
}

TEST_F(SelDir, TheProfileChosenByKeyboardIsTheOneSaved)
{
    form.Tag = 1;
    form.FormShow();
    form.show();
    Key(form.CB_Profile, Qt::Key_Down);
    EXPECT_EQ(form.CB_Profile->ItemIndex(), 2);
    messages.Answer(mrYes);
    Click(*form.BitBtn1);
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_EQ(SaveProfile, 2);
    form.hide();
}

TEST_F(SelDir, CancelAndEscLeaveEverythingAsItWas)
{
    form.Tag = 1;
    QTimer::singleShot(0, [this] {
        ActivateModal();
        Click(*form.BitBtn2);
    });
    CloseModalsAfter(3000);
    EXPECT_EQ(form.ShowModal(), mrCancel);

    PressKeysLater({Qt::Key_Escape});
    CloseModalsAfter(3000);
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(TheSaveDir, (tmp / "box" / "enigma2").string());
    EXPECT_EQ(SaveProfile, 0);
    EXPECT_TRUE(messages.Log().empty());
}

TEST_F(SelDir, CreateDirAsksThroughTheRealInputQuery)
{
    TDialogMessages real;
    TMessageServiceScope realScope(real);
    form.Tag = 1;
    form.FormShow();
    const fs::path here = tmp / "box" / "enigma2";

    std::string caption;
    QTimer::singleShot(0, [&caption] {
        ActivateModal();
        caption = QApplication::activeModalWidget()->windowTitle().toStdString();
        auto* e = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(e, nullptr);
        e->insert("from the dialog");
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(e, &press);
    });
    CloseModalsAfter(3000);
    form.PopCreateDirClick();
    EXPECT_EQ(caption, "Create Dir");
    EXPECT_TRUE(fs::is_directory(here / "from the dialog"));
    EXPECT_EQ(Edir(), (here / "from the dialog").string());

    // Esc in the dialog creates nothing.
    form.dlb->SetDirectory(here.string());
    PressKeysLater({Qt::Key_X, Qt::Key_Escape});
    CloseModalsAfter(3000);
    form.PopCreateDirClick();
    EXPECT_EQ(form.dlb->Directory(), here.string());
    EXPECT_EQ(std::distance(fs::directory_iterator(here), fs::directory_iterator()), 1);
}

TEST_F(SelDir, EnterInTheFolderEditIsOk)
{
    form.Tag = 0;
    QTimer::singleShot(0, [this] {
        ActivateModal();
        form.Edir->SetText("");
        form.Edir->SetFocus();
        Type(form.Edir->NativeEdit(), "/by/keyboard");
        Key(form.Edir->NativeEdit(), Qt::Key_Return, "\r");
    });
    CloseModalsAfter(3000);
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(TheLoadDir, "/by/keyboard");
}

TEST_F(SelDir, ARightClickOnTheFoldersOffersCreateDir)
{
    form.Tag = 1;
    form.FormShow();
    form.show();
    const QPointF at(20, 20);
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, at, form.dlb->mapToGlobal(at), Qt::RightButton,
                      type == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(form.dlb, &e);
    }
    QMenu* shown = form.PopupMenu_dir->Menu();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    auto* create = shown->findChild<QAction*>("PopCreateDir");
    ASSERT_NE(create, nullptr);
    EXPECT_EQ(create->text(), "Create Dir");

    messages.AnswerQuery("new");
    create->trigger();
    shown->hide();
    EXPECT_TRUE(fs::is_directory(tmp / "box" / "enigma2" / "new"));
    EXPECT_EQ(form.dlb->Directory(), (tmp / "box" / "enigma2" / "new").string());
}
