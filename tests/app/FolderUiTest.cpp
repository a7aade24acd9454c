// The folder drivers with the real progress window over a main window.

#include "app/FolderUi.h"

#include "controls/MessDlgs.h"
#include "controls/ScriptedMessages.h"
#include "app/FolderMessages.h"
#include "settings/Unit_lib.h"

#include "common/TestData.h"
#include "controls_panels/DialogTestHelpers.h"

#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace cf;

namespace {

fs::path Fixture(const std::string& name)
{
    const char* src = std::getenv("CHANFORGE_SOURCE");
    return (src ? fs::path(src) / "tests" : fs::path(__FILE__).parent_path().parent_path()) / "folder_io/fixtures" / name;
}

// Records what the progress window showed at each step.
class TWatchingSink : public TProgressWindowSink {
public:
    TWatchingSink(TCfProgress& p, QWidget* main) : TProgressWindowSink(p, main), p_(p), main_(main) {}
    std::vector<int> shownSteps, maxima;
    void Range(int min, int max) override
    {
        TProgressWindowSink::Range(min, max);
        maxima.push_back(p_.Max());
    }
    bool alwaysVisible = true, mainAlwaysDisabled = true;
    int failAt = 0;
    void Step(int n) override
    {
        TProgressWindowSink::Step(n);
        shownSteps.push_back(p_.Progress());
        alwaysVisible = alwaysVisible && p_.Visible();
        mainAlwaysDisabled = mainAlwaysDisabled && !main_->isEnabled();
        if (n == failAt)
            throw std::runtime_error("Cannot read file");
    }

private:
    TCfProgress& p_;
    QWidget* main_;
};

class FolderUi : public ::testing::Test {
protected:
    QWidget main;
    TCfProgress progress{&main};
    TWatchingSink sink{progress, &main};
    TWidgetFolderWindow window{&main};
    cftest::ScratchDir tmp;

    void SetUp() override
    {
        ClearModel();
        RegisterProgramFonts();
        SetUpMainProgress(progress);
        main.setGeometry(100, 50, 1070, 700);
        main.show();
        SetFolderUi({&sink, nullptr, &window});
    }
    void TearDown() override
    {
        SetFolderUi({});
        ClearModel();
    }
};

} // namespace

TEST_F(FolderUi, TheMainWindowsProgressWindowAsConfigured)
{
    EXPECT_EQ(progress.Caption(), "Work In Progress..");
    EXPECT_EQ(progress.Color(), clGrayText);
    EXPECT_EQ(progress.Font().Name, "Tahoma");
    EXPECT_EQ(progress.Font().Height(), -13);
    EXPECT_EQ(progress.Options(), poFixedImage | poModal);
    EXPECT_EQ(progress.ImageIndex(), 0);
    ASSERT_NE(progress.Images(), nullptr);
    EXPECT_EQ(progress.Images()->Pictures[0].Height(), 91);
    EXPECT_EQ(progress.OffsetX(), 20);
    EXPECT_EQ(progress.OffsetY(), 20);
    EXPECT_TRUE(progress.Smooth());
    EXPECT_TRUE(progress.AlwaysOnTop());
    EXPECT_EQ(progress.FormWidth(), 500);
    EXPECT_EQ(progress.FormHeight(), 400);
}

TEST_F(FolderUi, ALoadShowsEveryStepCentredOverTheMainWindow)
{
    fs::path dir = tmp / "v4";
    cftest::CopyTree(Fixture("v4"), dir);
    TheLoadDir = dir.string();
    ASSERT_TRUE(VerFile());
    ASSERT_TRUE(OpenFile());
    EXPECT_EQ(sink.shownSteps, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_TRUE(sink.alwaysVisible);
    EXPECT_TRUE(sink.mainAlwaysDisabled);
    EXPECT_EQ(progress.Caption(), dir.string());
    EXPECT_EQ(progress.Title(), "Chanforge is performing following tasks ");
    EXPECT_EQ(progress.Lines(), LoadStepLines);
    const QRect g = main.frameGeometry();
    // Centred over the main window; the window system may shift a framed
    // window by its frame width.
    EXPECT_NEAR(progress.FormLeft(), g.left() + g.width() / 2 - 500 / 2, 8);
    EXPECT_NEAR(progress.FormTop(), g.top() + g.height() / 2 - 400 / 2, 8);
    EXPECT_EQ(progress.FormHeight(), 400);
    ASSERT_FALSE(sink.maxima.empty());
    EXPECT_EQ(sink.maxima[0], 4) << "the services step drives the bar";
    EXPECT_FALSE(progress.Visible());
    EXPECT_TRUE(main.isEnabled());
    EXPECT_EQ(main.windowTitle().toStdString(), "Chanforge " + VersionText + " - " + dir.string());
}

TEST_F(FolderUi, AnErrorClosesTheProgressWindowAndFreesTheMainWindow)
{
    fs::path dir = tmp / "v3";
    cftest::CopyTree(Fixture("v3"), dir);
    TheLoadDir = dir.string();
    ASSERT_TRUE(VerFile());
    sink.failAt = 4;
    EXPECT_FALSE(OpenFile());
    EXPECT_FALSE(progress.Visible());
    EXPECT_TRUE(main.isEnabled());

    // A save into a folder that is not there: the same.
    sink.failAt = 0;
    TheSaveDir = (tmp / "missing").string();
    EXPECT_FALSE(SaveFile());
    EXPECT_FALSE(progress.Visible());
    EXPECT_TRUE(main.isEnabled());
}

namespace {

// A scripted user who also notes, for each message, whether the progress
// window was still up and the main window still disabled when it came.
class TWatchingMessages : public TScriptedMessages {
public:
    TWatchingMessages(TCfProgress& p, QWidget& main) : p_(p), main_(main) {}
    bool progressSeen = false, mainDisabledSeen = false;
    int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpCtx = 0) override
    {
        progressSeen = progressSeen || p_.Visible();
        mainDisabledSeen = mainDisabledSeen || !main_.isEnabled();
        return TScriptedMessages::MessageDlg(msg, type, buttons, helpCtx);
    }

private:
    TCfProgress& p_;
    QWidget& main_;
};

} // namespace

TEST_F(FolderUi, TheErrorReportComesOnceTheProgressWindowIsGone)
{
    TMessageFolderDialogs dialogs;
    SetFolderUi({&sink, &dialogs, &window});
    TWatchingMessages messages(progress, main);
    messages.Unscripted = TScriptedMessages::TUnscripted::Fail;
    TMessageServiceScope scope(messages);

    fs::path dir = tmp / "v2";
    cftest::CopyTree(Fixture("v2"), dir);
    TheLoadDir = dir.string();
    messages.PressEnter();
    ASSERT_TRUE(VerFile());
    ASSERT_TRUE(OpenFile());
    ASSERT_EQ(messages.Log().size(), 1u);
    EXPECT_EQ(messages.Log()[0].Type, mtError);
    EXPECT_EQ(messages.Log()[0].Text.rfind(" Error report\n\n", 0), 0u);
    EXPECT_FALSE(messages.progressSeen);
    EXPECT_FALSE(messages.mainDisabledSeen);

    // A failed step: the window is gone before the user reads why.
    messages.Clear();
    messages.PressEnter();
    sink.failAt = 3;
    EXPECT_FALSE(OpenFile());
    ASSERT_EQ(messages.Log().size(), 1u);
    EXPECT_EQ(messages.Log()[0].Text.rfind("Cannot load the folder " + dir.string() + " : Cannot read file", 0), 0u)
        << messages.Log()[0].Text;
    EXPECT_FALSE(messages.progressSeen);
    EXPECT_FALSE(messages.mainDisabledSeen);
}

TEST_F(FolderUi, TheRealErrorBoxShowsTheReportUntilTheUserClosesIt)
{
    TMessageFolderDialogs dialogs;
    SetFolderUi({&sink, &dialogs, &window});
    TDialogMessages real;
    TMessageServiceScope scope(real);

    fs::path dir = tmp / "v2";
    cftest::CopyTree(Fixture("v2"), dir);
    TheLoadDir = dir.string();
    ASSERT_TRUE(VerFile());
    // The load serves the event queue itself, so the keys wait for the box.
    std::string shown;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box)
            return;
        watch.stop();
        ActivateModal();
        for (QWidget* w : box->findChildren<QWidget*>())
            if (auto* c = dynamic_cast<TControl*>(w); c && c->Caption().find("Error report") != std::string::npos)
                shown = c->Caption();
        PressKeysLater({Qt::Key_Return});
    });
    watch.start();
    CloseModalsAfter(5000);
    ASSERT_TRUE(OpenFile());
    EXPECT_EQ(shown, " Error report\n\n"
                     "\n- Some channels in services not loaded (no tp reference)"
                     "\n- File <satellites.xml> not found : only the sat in settings willl be used"
                     "\n\n All errors were fixed");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(main.isEnabled());
}
