// The program as a user meets it: started on a fresh or a stored
// configuration, a real settings folder opened by typing it into the folder
// dialog, the lists and filters used, saved, closed.

#include "app/AppForms.h"
#include "app/Configuration.h"
#include "app/Unit_About.h"
#include "app/Unit_Main.h"
#include "app/Unit_SelDir.h"
#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/CfNativeEdit.h"
#include "controls/CfHeaderPanel.h"
#include "controls/CfPanel.h"
#include "controls/CfSplitter.h"
#include "controls/ScriptedMessages.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "controls/CfLabel.h"
#include "settings/FolderIO.h"
#include "settings/SaveStaging.h"
#include "settings/Unit_lib.h"

#include "common/TestData.h"
#include "common/OwnConfigTest.h"
#include "controls_panels/DialogTestHelpers.h"
#include "controls_panels/SyntheticInput.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>
#include <map>
#include <set>

namespace fs = std::filesystem;
using namespace cf;

namespace {

class MainWindow : public cftest::OwnConfigTest {
protected:
    fs::path CopyOfMultisat()
    {
        const fs::path to = tmp / "multisat";
        fs::create_directories(to);
        fs::copy(cftest::RealSet("enigma2-v4-multisat"), to, fs::copy_options::recursive);
        return to;
    }

    // Answers the folder dialog the next time it opens: the folder typed into
    // its edit, then OK.
    static void TypeIntoFolderDialog(const fs::path& folder)
    {
        QTimer::singleShot(0, [folder] {
            ActivateModal();
            Form_SelDir->Edir->SetText("");
            Type(Form_SelDir->Edir->NativeEdit(), folder.string());
            Click(*Form_SelDir->BitBtn1);
        });
        CloseModalsAfter(5000);
    }

    void Open(TForm_Main& m, const fs::path& folder)
    {
        TypeIntoFolderDialog(folder);
        Click(*m.BitBtn_Open);
    }

    std::string StoredString(const std::string& name)
    {
        TRegistry r;
        r.OpenKey(ConfigurationKey, false);
        return r.ReadString(name);
    }
    int StoredInteger(const std::string& name)
    {
        TRegistry r;
        r.OpenKey(ConfigurationKey, false);
        return r.ReadInteger(name);
    }
    void StoreBool(const std::string& name, bool v)
    {
        TRegistry r;
        r.OpenKey(ConfigurationKey, true);
        r.WriteBool(name, v);
    }
};

std::string Upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// A userbouquet file as a list of what each line shows: "D:" + the marker's
// text or "S:" + the service id (4 upper-case hex digits).
std::vector<std::string> UserbouquetLines(const fs::path& file, std::string& name)
{
    std::ifstream in(file);
    std::vector<std::string> out;
    std::string line;
    bool marker = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("#NAME ", 0) == 0) {
            name = line.substr(6);
            name.erase(0, name.find_first_not_of(' '));
        } else if (line.rfind("#SERVICE ", 0) == 0) {
            std::vector<std::string> f;
            std::string rest = line.substr(9);
            for (std::size_t p; (p = rest.find(':')) != std::string::npos; rest.erase(0, p + 1))
                f.push_back(rest.substr(0, p));
            marker = f.size() > 1 && f[1] == "64";
            if (!marker) {
                std::string sid = Upper(f[3]);
                out.push_back("S:" + std::string(4 - sid.size(), '0') + sid);
            }
        } else if (line.rfind("#DESCRIPTION ", 0) == 0 && marker) {
            out.push_back("D:" + line.substr(13));
            marker = false;
        }
    }
    return out;
}

// A left click at a point of the grid's client area.
void ClickClient(TCfGrid& grid, TPoint p)
{
    const TPoint o = grid.ClientOffset();
    Click(grid, QPointF(p.X + o.X, p.Y + o.Y));
}

void ClickHeader(TCfGrid& grid, int column)
{
    const TRect r = grid.GetHeaderCellRect(column);
    ClickClient(grid, TPoint(r.Left + 5, (r.Top + r.Bottom) / 2));
}

void ClickRow(TCfGrid& grid, int row)
{
    grid.ScrollToRow(row);
    QApplication::processEvents();
    const TRect r = grid.CellRect(1, row);
    ASSERT_FALSE(r.IsEmpty()) << row;
    ClickClient(grid, TPoint(r.Left + 5, (r.Top + r.Bottom) / 2));
}

std::string Text(TCfGrid& grid, int col, int row) { return grid.Cells(col, row); }
int Image(TCfGrid& grid, int col, int row) { return grid.Cell(col, row).AsInteger(); }

std::vector<std::int32_t> ShownNumbers(TCfGrid& grid)
{
    std::vector<std::int32_t> r;
    for (int row = 0; row < grid.RowCount(); ++row)
        r.push_back(std::stoi(grid.Cells(ServColNumber, row)));
    std::sort(r.begin(), r.end());
    return r;
}

TEST_F(MainWindow, FirstStartOpenShowSaveAndReload)
{
    TAppForms forms;
    TForm_Main& m = forms.Main();
    m.Show();
    // The first start wrote the key with its defaults.
    EXPECT_EQ(StoredInteger("NoOfProfiles"), 6);
    EXPECT_EQ(StoredString("02_PRO_Name"), "Enigma 1 (Box 7000)");
    EXPECT_EQ(m.Caption(), "Chanforge Ver.1.3.7");
    EXPECT_EQ(m.Panel_Version->Caption(), "NONE");
    EXPECT_FALSE(m.BitBtn_Debug->Visible()) << "no marker file beside the test";
    EXPECT_EQ(m.Tx_No_Of_Item->Text(), "0");
    EXPECT_TRUE(m.RB_UB_TV->Checked());

    const fs::path set = CopyOfMultisat();
    messages.Unscripted = TScriptedMessages::TUnscripted::PressEnter; // the load's error report, if any
    Open(m, set);
    EXPECT_EQ(TheLoadDir, set.string());
    EXPECT_EQ(StoredString("TheLoadDir"), set.string());
    ASSERT_GT(Services.size(), 1000u);
    EXPECT_TRUE(m.FillEnabled);
    EXPECT_EQ(m.SortColumn, 4);
    EXPECT_EQ(m.Panel_Version->Caption(), "ENIGMA 2.4");
    EXPECT_TRUE(m.CB_ListControl->Visible());

    // Every service, one row each, with the columns as the files give them.
    ASSERT_EQ(m.LV_Serv->RowCount(), static_cast<int>(Services.size()));
    EXPECT_EQ(m.Tx_No_Of_Item->Text(), std::to_string(Services.size()));
    std::vector<std::int32_t> all;
    for (const auto& s : Services)
        all.push_back(s.Number);
    std::sort(all.begin(), all.end());
    EXPECT_EQ(ShownNumbers(*m.LV_Serv), all);
    const int mtv = m.JumpToChNo(200); // the first service of lamedb
    ASSERT_GE(mtv, 0);
    EXPECT_EQ(m.LV_Serv->SelectedRow(), mtv);
    const std::vector<std::string> want = {"200", "TV", "MTV Live HD", "BSkyB", "11719H 29500 3/4", "028.2E"};
    for (int c = ServColNumber; c <= ServColSat; ++c)
        EXPECT_EQ(Text(*m.LV_Serv, c, mtv), want[static_cast<std::size_t>(c - ServColNumber)]) << c;
    // Sorted by name, case-blind.
    for (int r = 1; r < m.LV_Serv->RowCount(); ++r) {
        const std::string a = Lower(Text(*m.LV_Serv, ServColService, r - 1));
        const std::string b = Lower(Text(*m.LV_Serv, ServColService, r));
        ASSERT_LE(a, b) << r;
    }

    // Every TV bouquet; a bouquet's entries as its file lists them, in order.
    ASSERT_EQ(m.LV_TypeOfList->RowCount(), static_cast<int>(TvBouquets.size()));
    EXPECT_EQ(m.Panel_Dx_t->Caption(), TvListName + " : " + std::to_string(TvBouquets.size()) + " items");
    std::string fileName;
    const auto lines = UserbouquetLines(set / "userbouquet.dbe01.tv", fileName);
    int row = -1;
    for (int r = 0; r < m.LV_TypeOfList->RowCount(); ++r)
        if (Text(*m.LV_TypeOfList, 1, r).find(fileName) != std::string::npos)
            row = r;
    ASSERT_GE(row, 0) << fileName;
    ClickRow(*m.LV_TypeOfList, row);
    {
        std::vector<std::string> shown;
        for (const auto& d : m.DetailRows)
            shown.push_back(d.Marker ? "D:" + d.Name
                                     : "S:" + (d.ServiceIndex >= 0 ? Services[static_cast<std::size_t>(d.ServiceIndex)].Sid.str() : std::string("?")));
        EXPECT_EQ(shown, lines);
    }
    ASSERT_EQ(m.LV_Details->RowCount(), static_cast<int>(lines.size()));
    int running = m.ChannelBase;
    for (int r = 0; r < m.LV_Details->RowCount(); ++r) {
        const auto& d = m.DetailRows[static_cast<std::size_t>(r)];
        if (lines[r][0] == 'D') {
            EXPECT_EQ("D:" + Text(*m.LV_Details, DetColName, r), lines[r]);
            EXPECT_EQ(Text(*m.LV_Details, DetColType, r), "--");
            EXPECT_EQ(Image(*m.LV_Details, DetColImage, r), ImgMarker);
        } else {
            ASSERT_GE(d.ServiceIndex, 0) << r;
            EXPECT_EQ("S:" + Services[static_cast<std::size_t>(d.ServiceIndex)].Sid, lines[r]) << r;
            EXPECT_EQ(Text(*m.LV_Details, DetColRunning, r), std::to_string(++running));
        }
    }
    // Selecting an entry shows its service in the service list.
    int firstService = 0; // the third service entry: not the row selected already
    for (int seen = 0; seen < 3; ++firstService)
        seen += m.DetailRows[static_cast<std::size_t>(firstService)].Marker ? 0 : 1;
    --firstService;
    ClickRow(*m.LV_Details, firstService);
    EXPECT_EQ(m.ServiceIndexOfRow(m.LV_Serv->SelectedRow()),
              m.DetailRows[static_cast<std::size_t>(firstService)].ServiceIndex);

    // A header click sorts by that column and keeps the selected service.
    const std::int32_t selected = m.ServiceIndexOfRow(m.LV_Serv->SelectedRow());
    ClickHeader(*m.LV_Serv, ServColSat);
    EXPECT_EQ(m.SortColumn, ServColSat);
    EXPECT_EQ(m.ServiceIndexOfRow(m.LV_Serv->SelectedRow()), selected);
    for (int r = 1; r < m.LV_Serv->RowCount(); ++r)
        ASSERT_LE(Text(*m.LV_Serv, ServColSat, r - 1), Text(*m.LV_Serv, ServColSat, r));

    // Enter and double click modify the selected service.
    std::vector<std::int32_t> modified;
    m.ModifyService = [&](std::int32_t i) {
        modified.push_back(i);
        return false;
    };
    m.LV_Serv->SetFocus();
    Key(m.LV_Serv, Qt::Key_Return, "\r");
    EXPECT_EQ(modified, std::vector<std::int32_t>{selected});

    // Save into a new folder with the loaded format, load it again: equal.
    const ARR_ENIG_CH services = Services;
    const ARR_ENIG_TP transponders = Transponders;
    const ARR_ENIG_PR providers = Providers;
    const ARR_ENIG_UB tv = TvBouquets, radio = RadioBouquets;
    fs::create_directories(tmp / "saved");
    messages.Answer(mrYes); // "All settings file in the target directory will be deleted"
    TypeIntoFolderDialog(tmp / "saved");
    Click(*m.BitBtn_Save);
    EXPECT_EQ(StoredString("TheSaveDir"), (tmp / "saved").string());
    ASSERT_TRUE(fs::exists(tmp / "saved" / "lamedb"));
    Open(m, tmp / "saved");
    EXPECT_EQ(Services, services);
    EXPECT_EQ(Transponders, transponders);
    EXPECT_EQ(Providers, providers);
    // The writer numbers the userbouquet files itself: all else is kept.
    auto withoutFileIds = [](ARR_ENIG_UB list) {
        for (auto& b : list)
            b.FileId.clear();
        return list;
    };
    EXPECT_TRUE(withoutFileIds(TvBouquets) == withoutFileIds(tv));
    EXPECT_TRUE(withoutFileIds(RadioBouquets) == withoutFileIds(radio));
    EXPECT_EQ(m.LV_Serv->RowCount(), static_cast<int>(services.size()));
    EXPECT_EQ(m.SortColumn, 4) << "each load sorts by name again";

    messages.Answer(mrYes); // "Program will be halted"
    m.Close();
}

// Filter and list choices on the loaded set, each checked against the model
// by the rules users read in the filter names.
TEST_F(MainWindow, FilterAndListChoices)
{
    TAppForms forms;
    TForm_Main& m = forms.Main();
    m.Show();
    messages.Unscripted = TScriptedMessages::TUnscripted::PressEnter; // the load's error report, if any
    Open(m, CopyOfMultisat());
    ASSERT_FALSE(Services.empty());

    auto typeOk = [](std::int32_t t, int f) {
        switch (f) {
        case 1: return t == 1 || t == 4 || t == 25;
        case 2: return t == 2;
        case 3: return t == 3 || (t > 4 && t != 25);
        default: return true;
        }
    };
    const std::vector<std::string> sats = m.CB_Sat->Items();
    ASSERT_EQ(sats.front(), " All ");
    EXPECT_NE(std::find(sats.begin(), sats.end(), "019.2E"), sats.end());
    // East before west, each position once.
    EXPECT_EQ(std::set<std::string>(sats.begin(), sats.end()).size(), sats.size());

    const struct {
        int type;
        const char* sat;
    } cases[] = {{0, " All "}, {1, " All "}, {2, " All "}, {3, " All "}, {0, "019.2E"},
                 {1, "013.0E"}, {2, "028.2E"}, {3, "023.5E"}, {1, "019.2E"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + c.sat);
        const int satIndex = static_cast<int>(std::find(sats.begin(), sats.end(), c.sat) - sats.begin());
        ASSERT_LT(satIndex, static_cast<int>(sats.size()));
        m.CB_Sat->SetItemIndex(satIndex);
        m.CB_Type->SetItemIndex(c.type);
        std::vector<std::int32_t> want;
        for (const auto& s : Services) {
            const std::string& pos = Transponders[static_cast<std::size_t>(s.TpIndex)].Position;
            if (typeOk(s.ServiceType, c.type) && (satIndex == 0 || pos == c.sat))
                want.push_back(s.Number);
        }
        std::sort(want.begin(), want.end());
        EXPECT_FALSE(want.empty());
        EXPECT_EQ(ShownNumbers(*m.LV_Serv), want);
        EXPECT_EQ(m.Tx_No_Of_Item->Text(), std::to_string(want.size()));
    }

    // The provider list, sorted by name (an Enigma 2 folder has no providers
    // file, so two are set up here); the radio bouquets.
    Providers.resize(2);
    Providers[0].Name = "zeta";
    Providers[0].Members = {Services[5].Number};
    Providers[1].Name = "Alpha";
    Providers[1].Members = {Services[0].Number, Services[1].Number, 99999};
    m.RB_PROV->SetChecked(true);
    ASSERT_EQ(m.LV_TypeOfList->RowCount(), static_cast<int>(Providers.size()));
    EXPECT_EQ(m.Panel_Dx_t->Caption(), "Provider : " + std::to_string(Providers.size()) + " items");
    for (int r = 1; r < m.LV_TypeOfList->RowCount(); ++r)
        ASSERT_LE(Lower(Text(*m.LV_TypeOfList, 1, r - 1)), Lower(Text(*m.LV_TypeOfList, 1, r)));
    const TY_ENIG_PR& first = Providers[static_cast<std::size_t>(std::stoi(Text(*m.LV_TypeOfList, 2, 0)))];
    EXPECT_EQ(first.Name, Text(*m.LV_TypeOfList, 1, 0));
    EXPECT_EQ(first.Name, "Alpha");
    ASSERT_EQ(m.LV_Details->RowCount(), 3);
    EXPECT_EQ(Text(*m.LV_Details, DetColName, 1), Services[1].Name);
    EXPECT_EQ(Text(*m.LV_Details, DetColName, 2), MissingServiceName("99999"));
    EXPECT_EQ(m.Panel_List_Details->Caption(), std::to_string(first.Members.size()) + " items");
    m.RB_UB_RADIO->SetChecked(true);
    EXPECT_EQ(m.LV_TypeOfList->RowCount(), static_cast<int>(RadioBouquets.size()));

    // Lock images follow the chosen list: with the white list every service
    // missing from it shows locked.
    Services[3].Black = 1;
    Services[4].White = 1;
    m.CB_Type->SetItemIndex(0);
    m.CB_Sat->SetItemIndex(0);
    m.CB_ListControl->SetItemIndex(1);
    int locked = 0, notWhite = 0, black = 0;
    for (int r = 0; r < m.LV_Serv->RowCount(); ++r)
        locked += Image(*m.LV_Serv, ServColLock, r);
    for (const auto& s : Services) {
        notWhite += s.White == 0;
        black += s.Black != 0;
    }
    EXPECT_EQ(locked, notWhite);
    m.CB_ListControl->SetItemIndex(0);
    locked = 0;
    for (int r = 0; r < m.LV_Serv->RowCount(); ++r)
        locked += Image(*m.LV_Serv, ServColLock, r);
    EXPECT_EQ(locked, black);
    EXPECT_EQ(black, 1);

    messages.Answer(mrYes);
    m.Close();
}

TEST_F(MainWindow, CloseWithChangesAndNoKeepsTheWindowAndWritesNothing)
{
    StoreBool("RememberW", true);
    TAppForms forms;
    TForm_Main& m = forms.Main();
    m.Show();
    m.SetBounds(20, 30, 900, 600);
    const auto before = fs::last_write_time(tmp / "config.ini");
    const std::string stored = [&] {
        std::ifstream in(tmp / "config.ini");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    Modified = true;
    messages.Answer(mrNo);
    m.Close();
    ASSERT_EQ(messages.Log().size(), 1u);
    EXPECT_EQ(messages.Log()[0].Text, "Your changes have not been saved : Proceeed anyway ?");
    EXPECT_EQ(messages.Log()[0].Type, mtConfirmation);
    EXPECT_TRUE(m.isVisible());
    std::ifstream in(tmp / "config.ini");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), stored);
    EXPECT_EQ(fs::last_write_time(tmp / "config.ini"), before);
    EXPECT_EQ(StoredInteger("MainW_Width"), 1070);

    Modified = false;
    messages.Answer(mrYes);
    m.Close();
    EXPECT_EQ(messages.Log().back().Text, "Program will be halted : Are you sure ?");
    EXPECT_FALSE(m.isVisible());
}

TEST_F(MainWindow, RememberedGeometryComesBack)
{
    for (bool remember : {true, false}) {
        SCOPED_TRACE(remember);
        fs::remove(tmp / "config.ini");
        StoreBool("RememberW", remember);
        {
            TAppForms forms;
            TForm_Main& m = forms.Main();
            m.Show();
            m.setWindowState(Qt::WindowNoState);
            m.SetBounds(40, 50, 910, 640);
            m.Panel_DX->SetWidth(420);
            m.Panel_Dx_t->SetHeight(200);
            messages.Answer(mrYes);
            m.Close();
        }
        if (!remember) {
            EXPECT_EQ(StoredInteger("MainW_Width"), 1070);
            EXPECT_EQ(StoredInteger("MainW_Left"), 0);
            EXPECT_EQ(StoredInteger("PanelDX_Width"), 539);
            continue;
        }
        EXPECT_EQ(StoredInteger("MainW_Width"), 910);
        TAppForms again;
        TForm_Main& m = again.Main();
        EXPECT_EQ(m.Left(), 40);
        EXPECT_EQ(m.Top(), 50);
        EXPECT_EQ(m.Width(), 910);
        EXPECT_EQ(m.Height(), 640);
        EXPECT_EQ(m.Panel_DX->Width(), 420);
        EXPECT_EQ(m.Panel_Dx_t->Height(), 200);
    }
}

// A save killed in the middle of its swap into the folder the program
// remembers is put right at the next start, before anything is loaded.
TEST_F(MainWindow, StartRecoversASaveThatDiedInTheRememberedFolder)
{
    const fs::path set = CopyOfMultisat();
    {
        TRegistry r;
        r.OpenKey(ConfigurationKey, true);
        r.WriteString("TheLoadDir", set.string());
    }
    const pid_t pid = fork();
    if (pid == 0) {
        TSaveStaging::StepHook = [](int step) {
            if (step == 3) // the journal is written and the first file moved
                ::raise(SIGKILL);
        };
        TSaveStaging staging(set);
        std::ofstream(staging.Dir() / "lamedb") << "eDVB services /4/\n";
        staging.Commit([](const std::string& name) { return name == "lamedb"; });
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_FALSE(StagingAreasOf(set).empty()) << "the dead save left its staging area";

    messages.Answer(mrOk); // the recovery is told once
    TAppForms forms;
    EXPECT_EQ(TheLoadDir, set.string());
    EXPECT_TRUE(StagingAreasOf(set).empty());
    ASSERT_TRUE(fs::exists(set / "lamedb")) << "one whole set again, old or new";
    EXPECT_EQ(messages.Log().size(), 1u);
}

// Both right-hand panels can be resized by dragging their splitters, so the
// bouquet list shows more than its first handful of rows.
TEST_F(MainWindow, SplittersResizeTheRightHandPanels)
{
    TAppForms forms;
    TForm_Main& m = forms.Main();
    m.setWindowState(Qt::WindowNoState);
    m.SetBounds(0, 0, 1270, 760);
    m.Show();
    QApplication::processEvents();
    auto drag = [](TControl& c, int dx, int dy) {
        const QPointF from(c.width() / 2.0, c.height() / 2.0), to = from + QPointF(dx, dy);
        auto send = [&](QEvent::Type t, QPointF at, Qt::MouseButton b, Qt::MouseButtons held) {
            QMouseEvent e(t, at, c.mapToGlobal(at), b, held, Qt::NoModifier);
            QApplication::sendEvent(&c, &e);
        };
        send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    };
    const int height = m.Panel_Dx_t->Height(), width = m.Panel_DX->Width();
    drag(*m.Split_Dx_t, 0, 150);
    EXPECT_EQ(m.Panel_Dx_t->Height(), height + 150);
    drag(*m.Split_DX, -100, 0);
    EXPECT_EQ(m.Panel_DX->Width(), width + 100);
    messages.Answer(mrYes);
    m.Close();
}

TEST_F(MainWindow, AboutShowsTheVersionAndExits)
{
    TAppForms forms;
    std::vector<std::string> opened;
    SetShellOpenHandler([&](const std::string& a) {
        opened.push_back(a);
        return true;
    });
    QTimer::singleShot(0, [] {
        ActivateModal();
        EXPECT_EQ(Form_About->CfLabel_Version->Caption(), "Ver.1.3.7");
        Click(*Form_About->Image_Maker);
        Click(*Form_About->BitBtn_Exit);
    });
    CloseModalsAfter(5000);
    Click(*forms.Main().BitBtn_About);
    EXPECT_EQ(opened, std::vector<std::string>{MakerSite});
    EXPECT_FALSE(Form_About->isVisible());
    SetShellOpenHandler(nullptr);
}

} // namespace
