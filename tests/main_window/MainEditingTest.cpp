// Editing in the main window as a user does it: keys and menu items on the
// three lists of a real set, the clipboard between two running copies
// (stood for by two clipboards sharing one store), the exchange files, and
// the files a save writes afterwards.

#include "app/AppForms.h"
#include "app/BouquetCommands.h"
#include "app/ClipboardBlock.h"
#include "app/Unit_Main.h"
#include "controls/CfButton.h"
#include "controls/CfEdit.h"
#include "controls/ScriptedMessages.h"
#include "platform/Canvas.h"
#include "platform/Clipboard.h"
#include "platform/Color.h"
#include "platform/DragDrop.h"
#include "platform/FileDialogs.h"
#include "settings/FolderIO.h"
#include "settings/Lookups.h"
#include "settings/Unit_lib.h"

#include "common/TestData.h"
#include "controls_panels/SyntheticInput.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <sstream>

namespace fs = std::filesystem;
using namespace cf;

namespace {

class MainEditing : public ::testing::Test {
protected:
    cftest::ScratchDir tmp;
    TScriptedMessages messages;
    TMessageServiceScope scope{messages};
    TMemoryClipboard clipboard{0x11};
    TScriptedFileDialogs files;
    std::unique_ptr<TAppForms> forms;
    TForm_Main* m = nullptr;

    void SetUp() override
    {
        setenv("CHANFORGE_CONFIG", (tmp / "config.ini").c_str(), 1);
        fs::create_directories(tmp / "home");
        setenv("HOME", (tmp / "home").c_str(), 1);
        ClearModel();
        SetClipboard(&clipboard);
        SetFileDialogs(&files);
        messages.Unscripted = TScriptedMessages::TUnscripted::PressEnter;
        forms = std::make_unique<TAppForms>();
        m = &forms->Main();
        m->setWindowState(Qt::WindowNoState);
        m->SetBounds(0, 0, 1270, 760);
        m->Show();
        const fs::path set = tmp / "multisat";
        fs::create_directories(set);
        fs::copy(cftest::RealSet("enigma2-v4-multisat"), set, fs::copy_options::recursive);
        TheLoadDir = set.string();
        ASSERT_TRUE(VerFile() && OpenFile());
        messages.Clear();
        messages.Unscripted = TScriptedMessages::TUnscripted::Fail;
    }
    void TearDown() override
    {
        Modified = false;
        messages.Unscripted = TScriptedMessages::TUnscripted::PressEnter;
        forms.reset();
        SetFileDialogs(nullptr);
        SetClipboard(nullptr);
        ClearModel();
    }

    // One key on a grid, as the keyboard sends it.
    static void Press(TCfGrid& grid, uint16_t vk, TShiftState shift = 0)
    {
        Qt::KeyboardModifiers mods;
        if (shift & ssCtrl)
            mods |= Qt::ControlModifier;
        if (shift & ssShift)
            mods |= Qt::ShiftModifier;
        grid.SetFocus();
        QKeyEvent press(QEvent::KeyPress, QtKeyOf(vk), mods, vk == VK_RETURN ? "\r" : "");
        QApplication::sendEvent(&grid, &press);
        QKeyEvent release(QEvent::KeyRelease, QtKeyOf(vk), mods, vk == VK_RETURN ? "\r" : "");
        QApplication::sendEvent(&grid, &release);
    }
    // A click on a row, as the mouse makes it.
    static void ClickRow(TCfGrid& grid, int row)
    {
        grid.ScrollToRow(row);
        QApplication::processEvents();
        const TRect r = grid.CellRect(1, row);
        ASSERT_FALSE(r.IsEmpty()) << row;
        const TPoint o = grid.ClientOffset();
        Click(grid, QPointF(r.Left + 5 + o.X, (r.Top + r.Bottom) / 2 + o.Y));
    }
    // The screen point in the middle of a row (column 1) of a grid.
    static QPoint RowPoint(TCfGrid& grid, int row)
    {
        grid.ScrollToRow(row);
        QApplication::processEvents();
        const TRect r = grid.CellRect(1, row);
        const TPoint o = grid.ClientOffset();
        return grid.mapToGlobal(QPoint(r.Left + 5 + o.X, (r.Top + r.Bottom) / 2 + o.Y));
    }
    // A mouse event at a screen point, sent to `to` (the control holding the
    // mouse) in its own coordinates.
    static void Mouse(TControl& to, QEvent::Type type, QPoint global, Qt::MouseButton button,
                      Qt::MouseButtons held, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QMouseEvent e(type, QPointF(to.mapFromGlobal(global)), QPointF(global), button, held, mods);
        QApplication::sendEvent(&to, &e);
    }
    // Presses on a row of `from`, drags to a row of `onto` and lets go.
    static void Drag(TCfGrid& from, int row, TCfGrid& onto, int ontoRow, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        const QPoint start = RowPoint(from, row);
        Mouse(from, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton, mods);
        const QPoint end = RowPoint(onto, ontoRow);
        Mouse(from, QEvent::MouseMove, start + QPoint(0, 8), Qt::NoButton, Qt::LeftButton);
        Mouse(from, QEvent::MouseMove, end, Qt::NoButton, Qt::LeftButton);
        Mouse(from, QEvent::MouseButtonRelease, end, Qt::LeftButton, Qt::NoButton);
    }
    void SelectBouquetRow(int row) { ClickRow(*m->LV_TypeOfList, row); }
    int TypeRowOf(std::int32_t index)
    {
        for (std::size_t r = 0; r < m->TypeRows.size(); ++r)
            if (m->TypeRows[r].Index == index)
                return static_cast<int>(r);
        return -1;
    }
    static std::string Read(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

// Bouquets cut from the TV list go into the radio list: switching lists keeps
// the cut bouquets (the provider cut buffer alone goes).
TEST_F(MainEditing, CutTvBouquetPastesIntoTheRadioList)
{
    ASSERT_GT(TvBouquets.size(), 3u);
    ClickRow(*m->LV_TypeOfList, 2);
    const TY_ENIG_UB cut = TvBouquets[static_cast<std::size_t>(m->ShownListIndex())];
    const std::size_t tv = TvBouquets.size(), radio = RadioBouquets.size();
    Press(*m->LV_TypeOfList, 'X', ssCtrl);
    EXPECT_EQ(TvBouquets.size(), tv - 1);
    EXPECT_TRUE(Modified);
    m->RB_UB_RADIO->SetChecked(true);
    ASSERT_EQ(m->LV_TypeOfList->RowCount(), static_cast<int>(radio));
    Press(*m->LV_TypeOfList, 'V', ssCtrl);
    ASSERT_EQ(RadioBouquets.size(), radio + 1);
    EXPECT_EQ(RadioBouquets[0].Name, cut.Name) << "before the selected radio bouquet (the first)";
    EXPECT_EQ(RadioBouquets[0].Entries, cut.Entries);
    EXPECT_TRUE(CutBouquets.empty());
}

// Services dragged into a bouquet land before the entry under the mouse;
// entries dragged down land where the mouse let go although the rows above
// it shrank; entries dragged onto another bouquet go to its top.
TEST_F(MainEditing, DragAndDropBetweenTheLists)
{
    ClickRow(*m->LV_TypeOfList, 1);
    const std::int32_t list = m->ShownListIndex();
    const std::size_t entries = TvBouquets[static_cast<std::size_t>(list)].Entries.size();
    // Two services: a click and a Ctrl-click, then a drag onto entry row 3.
    ClickRow(*m->LV_Serv, 10);
    const QPoint second = RowPoint(*m->LV_Serv, 12);
    Mouse(*m->LV_Serv, QEvent::MouseButtonPress, second, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
    Mouse(*m->LV_Serv, QEvent::MouseButtonRelease, second, Qt::LeftButton, Qt::NoButton, Qt::ControlModifier);
    const std::int32_t a = m->NumberOfRow(10), b = m->NumberOfRow(12);
    Drag(*m->LV_Serv, 12, *m->LV_Details, 3); // pressing on a marked row keeps the marks
    // The bouquet's entries as they are now (a load replaces the arrays).
    auto E = [list]() -> const ARR_ARR_OF_STRING& { return TvBouquets[static_cast<std::size_t>(list)].Entries; };
    ASSERT_EQ(E().size(), entries + 2);
    EXPECT_EQ(E()[3], (TY_TEXT_TRIPLE{"S", std::to_string(a), ""}));
    EXPECT_EQ(E()[4], (TY_TEXT_TRIPLE{"S", std::to_string(b), ""}));
    EXPECT_TRUE(Modified);
    EXPECT_EQ(m->LV_Details->RowCount(), static_cast<int>(entries + 2));
    EXPECT_EQ(m->LV_Details->SelectedRow(), 3) << "the first dropped entry is selected";
    {
        // Saved and loaded again, the two references stand at the drop rows.
        const std::string keyA = Services[static_cast<std::size_t>(TChNumberIndex(Services).Find(a))].Key;
        const std::string keyB = Services[static_cast<std::size_t>(TChNumberIndex(Services).Find(b))].Key;
        const std::string name = TvBouquets[static_cast<std::size_t>(list)].Name;
        fs::create_directories(tmp / "dropped");
        TheSaveDir = (tmp / "dropped").string();
        ASSERT_TRUE(SaveFile());
        TheLoadDir = TheSaveDir;
        ASSERT_TRUE(VerFile() && OpenFile());
        const TChNumberIndex byNumber(Services);
        auto keyAt = [&](std::size_t i) {
            return Services[static_cast<std::size_t>(byNumber.Find(std::stoi(TvBouquets[static_cast<std::size_t>(list)].Entries[i][1])))].Key;
        };
        ASSERT_EQ(TvBouquets[static_cast<std::size_t>(list)].Name, name);
        EXPECT_EQ(keyAt(3), keyA);
        EXPECT_EQ(keyAt(4), keyB);
        SelectBouquetRow(1);
    }

    // Entry 0 dragged down onto row 5 lands as the fifth entry: the row that
    // was under the mouse now follows it.
    const TY_TEXT_TRIPLE first = E()[0], under = E()[5];
    ClickRow(*m->LV_Details, 0);
    Drag(*m->LV_Details, 0, *m->LV_Details, 5);
    EXPECT_EQ(E()[4], first);
    EXPECT_EQ(E()[5], under);

    // Entry 0 onto the first bouquet (after the question): at its top.
    const TY_TEXT_TRIPLE moving = E()[0];
    ClickRow(*m->LV_Details, 0);
    messages.Answer(mrYes);
    Drag(*m->LV_Details, 0, *m->LV_TypeOfList, 0);
    EXPECT_EQ(TvBouquets[static_cast<std::size_t>(m->TypeRows[0].Index)].Entries[0], moving);
    EXPECT_EQ(E().size(), entries + 1);

    // Services never go onto the bouquet list.
    const auto before = TvBouquets;
    Drag(*m->LV_Serv, 10, *m->LV_TypeOfList, 2);
    EXPECT_TRUE(TvBouquets == before);
}

// A clipboard that lets a test look in, or fail, at the moment a paste
// empties it: after the lines went in, before the paste is done.
class TProbeClipboard : public TMemoryClipboard {
public:
    using TMemoryClipboard::TMemoryClipboard;
    std::function<void()> OnClear;
    void Clear() override
    {
        if (OnClear)
            OnClear();
        TMemoryClipboard::Clear();
    }
};

// A paste of services shows the progress window while it works and closes
// it however it ends: pasted, a damaged block, or a failure half-way (here
// the clipboard refusing to be emptied), where the services already added
// are shown and the user is told.
TEST_F(MainEditing, ServicePasteShowsTheProgressWindowAndAlwaysClosesIt)
{
    TY_ENIG_TP tp = Transponders[0];
    auto lines = [&](int n, const std::string& name, int sidBase) {
        std::vector<std::string> out;
        for (int i = 0; i < n; ++i) {
            TY_ENIG_CH ch = Services[0];
            char sid[8];
            std::snprintf(sid, sizeof sid, "%04X", sidBase + i);
            ch.Sid = sid;
            ch.Name = name + " " + std::to_string(i);
            out.push_back(ServiceLine(ch, tp, 0));
        }
        return out;
    };
    struct Case {
        const char* what;
        std::vector<std::uint8_t> block;
        bool failOnClear;
        std::size_t added;      // services the paste adds
        const char* message;    // the last message the user sees
    };
    std::vector<std::uint8_t> damaged = EncodeBlock(0x22, lines(2, "Damaged", 0x7A10));
    damaged.resize(damaged.size() - 300); // the count promises more slots than there are
    const std::vector<Case> cases = {
        {"a block of three from another copy", EncodeBlock(0x22, lines(3, "Pasted", 0x7A20)), false, 3,
         "3 channel(s) inserted in main list\r\n"},
        {"a damaged block", damaged, false, 0, nullptr},
        {"the clipboard fails half-way", EncodeBlock(0x22, lines(2, "Halfway", 0x7A30)), true, 2, "Clipboard is busy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TProbeClipboard probe(clipboard, 0x11);
        SetClipboard(&probe);
        bool shownWhilePasting = false;
        probe.OnClear = [&] {
            shownWhilePasting = m->CfProgress.Visible();
            if (c.failOnClear)
                throw std::runtime_error("Clipboard is busy");
        };
        TMemoryClipboard other(clipboard, 0x22);
        other.SetBlock("Kestro software", c.block);
        const std::size_t before = Services.size();
        messages.Clear();
        messages.Answer(mrOk);
        Press(*m->LV_Serv, 'V', ssCtrl);
        SetClipboard(&clipboard);
        EXPECT_FALSE(m->CfProgress.Visible()) << "the window is closed afterwards";
        EXPECT_EQ(Services.size(), before + c.added);
        EXPECT_EQ(m->LV_Serv->RowCount(), static_cast<int>(Services.size())) << "every service is listed";
        if (c.added > 0 && !c.failOnClear) {
            // The list stays sorted by the service name, case-blind, with
            // each new service once, and the last one pasted is selected.
            std::vector<std::string> names;
            for (int r = 0; r < m->LV_Serv->RowCount(); ++r)
                names.push_back(m->LV_Serv->Cells(ServColService, r));
            for (std::size_t r = 1; r < names.size(); ++r) {
                std::string a = names[r - 1], b = names[r];
                for (std::string* t : {&a, &b})
                    for (char& ch : *t)
                        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
                ASSERT_LE(a, b) << "rows " << r - 1 << " and " << r;
            }
            for (std::size_t i = 0; i < c.added; ++i)
                EXPECT_EQ(std::count(names.begin(), names.end(), "Pasted " + std::to_string(i)), 1) << i;
            EXPECT_EQ(m->LV_Serv->Cells(ServColService, m->LV_Serv->SelectedRow()),
                      "Pasted " + std::to_string(c.added - 1));
        }
        ASSERT_FALSE(messages.Log().empty());
        if (c.message)
            EXPECT_NE(messages.Log().back().Text.find(c.message), std::string::npos) << messages.Log().back().Text;
        else
            EXPECT_NE(messages.Log().back().Text.find("damaged"), std::string::npos) << messages.Log().back().Text;
        if (c.added == 0)
            continue;
        EXPECT_TRUE(shownWhilePasting) << "the window is up while the block goes in";
        EXPECT_EQ(m->CfProgress.Caption(), TheLoadDir);
        EXPECT_EQ(m->CfProgress.Title(), "Chanforge is performing following tasks ");
        EXPECT_EQ(m->CfProgress.Lines(), std::vector<std::string>{"Pasting channel(s) from clipboard"});
        EXPECT_EQ(m->CfProgress.FormHeight(), 200);
        if (c.failOnClear)
            continue; // the refill after the failure has had the bar since
        EXPECT_EQ(m->CfProgress.Max(), static_cast<int>(c.added));
        EXPECT_EQ(m->CfProgress.Position(), static_cast<int>(c.added)) << "one step per slot, all done";
    }
}

// While services or entries are dragged over a list that takes them, the
// list shows where the drop lands: the red marker one pixel above the row
// the drop goes before. It follows the mouse, goes when the mouse leaves
// the list, and is gone after the drop or an Esc.
TEST_F(MainEditing, DropMarkerShowsWhereTheDropLands)
{
    auto red = [](TCfGrid& grid, int y, bool fresh) {
        // The control's own buffer (what is on the screen) or a repaint from
        // scratch: both show the marker.
        QImage image;
        if (fresh) {
            image = QImage(grid.ClientWidth(), grid.ClientHeight(), QImage::Format_RGB32);
            image.fill(0xFFFFFFFF);
            TCanvas canvas(&image);
            canvas.Font = grid.Font;
            canvas.Brush.Color = grid.Color;
            grid.Paint(canvas);
        } else {
            const TPoint o = grid.ClientOffset();
            image = grid.BackBuffer().copy(o.X, o.Y, grid.ClientWidth(), grid.ClientHeight());
        }
        int count = 0;
        for (int x = 0; x < image.width(); ++x)
            if (FromPixel(ReadPixel(image, x, y)) == clRed)
                ++count;
        return count;
    };
    auto lineAbove = [](TCfGrid& grid, int row) { return grid.GetRowRect(row).Top - 1; };

    ClickRow(*m->LV_TypeOfList, 1);
    ASSERT_GT(m->LV_Details->RowCount(), 6);
    ClickRow(*m->LV_Serv, 10);
    const QPoint start = RowPoint(*m->LV_Serv, 10);
    const QPoint row3 = RowPoint(*m->LV_Details, 3), row5 = RowPoint(*m->LV_Details, 5);
    const int width = m->LV_Details->ClientWidth();
    Mouse(*m->LV_Serv, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    Mouse(*m->LV_Serv, QEvent::MouseMove, start + QPoint(0, 8), Qt::NoButton, Qt::LeftButton);
    ASSERT_TRUE(DragActive());
    EXPECT_EQ(m->LV_Details->DropRow(), -1) << "nothing over the entries yet";

    Mouse(*m->LV_Serv, QEvent::MouseMove, row3, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(m->LV_Details->DropRow(), 3);
    for (bool fresh : {false, true}) {
        // The line runs from x 8 to the right edge - 8, the arrow heads reach
        // both edges.
        EXPECT_GE(red(*m->LV_Details, lineAbove(*m->LV_Details, 3), fresh), width - 4) << fresh;
        EXPECT_EQ(red(*m->LV_Details, lineAbove(*m->LV_Details, 4), fresh), 0) << fresh;
    }
    Mouse(*m->LV_Serv, QEvent::MouseMove, row5, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(m->LV_Details->DropRow(), 5);
    EXPECT_EQ(red(*m->LV_Details, lineAbove(*m->LV_Details, 3), false), 0) << "the old marker is gone";
    EXPECT_GE(red(*m->LV_Details, lineAbove(*m->LV_Details, 5), false), width - 4);

    // Over the bouquet list, which never takes services: no marker anywhere.
    Mouse(*m->LV_Serv, QEvent::MouseMove, RowPoint(*m->LV_TypeOfList, 2), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(m->LV_Details->DropRow(), -1);
    EXPECT_EQ(m->LV_TypeOfList->DropRow(), -1);
    EXPECT_EQ(red(*m->LV_Details, lineAbove(*m->LV_Details, 5), false), 0);

    // Back over entry row 5 and let go: the services land there, the marker goes.
    const std::int32_t number = m->NumberOfRow(10);
    Mouse(*m->LV_Serv, QEvent::MouseMove, row5, Qt::NoButton, Qt::LeftButton);
    Mouse(*m->LV_Serv, QEvent::MouseButtonRelease, row5, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(TvBouquets[static_cast<std::size_t>(m->ShownListIndex())].Entries[5][1], std::to_string(number))
        << "the drop landed where the marker stood";
    EXPECT_EQ(m->LV_Details->DropRow(), -1);
    for (int row = 0; row < 8; ++row)
        EXPECT_EQ(red(*m->LV_Details, lineAbove(*m->LV_Details, row), true), 0) << row;

    // Entries dragged onto the bouquet list mark the bouquet they go to; Esc
    // ends the drag and takes the marker away.
    ClickRow(*m->LV_Details, 0);
    const QPoint entry = RowPoint(*m->LV_Details, 0);
    Mouse(*m->LV_Details, QEvent::MouseButtonPress, entry, Qt::LeftButton, Qt::LeftButton);
    Mouse(*m->LV_Details, QEvent::MouseMove, entry + QPoint(0, 8), Qt::NoButton, Qt::LeftButton);
    Mouse(*m->LV_Details, QEvent::MouseMove, RowPoint(*m->LV_TypeOfList, 2), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(m->LV_TypeOfList->DropRow(), 2);
    EXPECT_GE(red(*m->LV_TypeOfList, lineAbove(*m->LV_TypeOfList, 2), false), m->LV_TypeOfList->ClientWidth() - 4);
    CancelDrag();
    EXPECT_FALSE(DragPending());
    EXPECT_EQ(m->LV_TypeOfList->DropRow(), -1);
    EXPECT_EQ(red(*m->LV_TypeOfList, lineAbove(*m->LV_TypeOfList, 2), false), 0);
}

// Ctrl-F asks for the start of a name and selects the next service whose
// name begins so; F3 finds the next one; no match is reported.
TEST_F(MainEditing, FindAndFindAgain)
{
    ClickRow(*m->LV_Serv, 0);
    messages.AnswerQuery("sky sports");
    Press(*m->LV_Serv, 'F', ssCtrl);
    const int first = m->LV_Serv->SelectedRow();
    ASSERT_GT(first, 0);
    EXPECT_EQ(m->FindPattern, "sky sports");
    EXPECT_EQ(m->LV_Serv->Cells(ServColService, first).substr(0, 10), "Sky Sports");
    Press(*m->LV_Serv, VK_F1 + 2);
    const int second = m->LV_Serv->SelectedRow();
    EXPECT_NE(second, first);
    EXPECT_EQ(m->LV_Serv->Cells(ServColService, second).substr(0, 10), "Sky Sports");
    messages.AnswerQuery("no such service anywhere");
    messages.Answer(mrOk);
    Press(*m->LV_Serv, 'F', ssCtrl);
    EXPECT_EQ(messages.Log().back().Text, "Service not in service list ");
    EXPECT_EQ(m->LV_Serv->SelectedRow(), second);
}

// The three menus at their openings: the states follow the lists.
TEST_F(MainEditing, MenusSetTheirStatesAtEachOpening)
{
    m->Pop_Lv_ServPopup();
    EXPECT_TRUE(m->Pop_Lv_Serv.FindItem("Pop_Ch_Insert")->Enabled);
    EXPECT_FALSE(m->Pop_Lv_Serv.FindItem("Pop_Ch_Paste")->Enabled) << "nothing on the clipboard";
    EXPECT_EQ(m->Pop_Lv_Serv.FindItem("Pop_Ch_DelSat")->Count(), static_cast<int>(m->CB_Sat->Items().size()) - 1);
    m->Export2CLipBoard();
    m->Pop_Lv_ServPopup();
    EXPECT_TRUE(m->Pop_Lv_Serv.FindItem("Pop_Ch_Paste")->Enabled);

    m->CB_ListControl->SetItemIndex(1);
    m->Pop_Lv_TypeOfListPopup();
    EXPECT_EQ(m->Pop_Lv_TypeOfList.FindItem("Pop_Ty_ParLock")->Caption, " Parental Lock (WhiteList)");

    // The entry menu's status line names the selected entry's place.
    ClickRow(*m->LV_TypeOfList, 1);
    int service = -1; // the last service entry, below any marker
    for (std::size_t r = 0; r < m->DetailRows.size(); ++r)
        if (!m->DetailRows[r].Marker)
            service = static_cast<int>(r);
    ASSERT_GE(service, 0);
    ClickRow(*m->LV_Details, service);
    m->Pop_lvdetailsPopup();
    EXPECT_EQ(m->Pop_lvdetails.FindItem("pop_det_status")->Caption,
              "This is position " + std::to_string(m->ChannelBase + 1 + [&] {
                  int above = 0;
                  for (int r = 0; r < service; ++r)
                      above += m->DetailRows[static_cast<std::size_t>(r)].Marker ? 0 : 1;
                  return above;
              }()));
    EXPECT_TRUE(m->Pop_lvdetails.FindItem("pop_det_modify")->Enabled);
    m->RB_PROV->SetChecked(true);
    m->Pop_lvdetailsPopup();
    EXPECT_FALSE(m->Pop_lvdetails.FindItem("pop_det_insert")->Enabled) << "no markers in providers";
}

// The issue's walk through a real set: rename a bouquet and an entry, insert
// a marker, delete services, cut a bouquet and paste it before another,
// paste services another copy put on the clipboard; save, and the files show
// every edit; load again: equal.
TEST_F(MainEditing, EditSaveAndLoadTheRealSet)
{
    // Rename a bouquet (Enter on the list).
    ClickRow(*m->LV_TypeOfList, 1);
    const std::int32_t renamed = m->ShownListIndex();
    messages.AnswerQuery("Renamed by hand");
    Press(*m->LV_TypeOfList, VK_RETURN);
    EXPECT_EQ(TvBouquets[static_cast<std::size_t>(renamed)].Name, "Renamed by hand");
    EXPECT_EQ(m->LV_TypeOfList->Cells(TypeColName, m->LV_TypeOfList->SelectedRow()), "Renamed by hand");

    // A marker before the third entry (Ins on the entries).
    ClickRow(*m->LV_Details, 2);
    const std::size_t entries = TvBouquets[static_cast<std::size_t>(renamed)].Entries.size();
    messages.AnswerQuery("--- inserted by hand ---");
    Press(*m->LV_Details, VK_INSERT);
    const auto& e = TvBouquets[static_cast<std::size_t>(renamed)].Entries;
    ASSERT_EQ(e.size(), entries + 1);
    EXPECT_EQ(e[2], (TY_TEXT_TRIPLE{"D", "--- inserted by hand ---", ""}));

    // Rename the first entry in the bouquet (menu item).
    ClickRow(*m->LV_Details, 0);
    messages.AnswerQuery("Own name");
    ASSERT_TRUE(m->Pop_lvdetails.Invoke("pop_det_rename"));
    const std::int32_t ownNamed = std::stoi(TvBouquets[static_cast<std::size_t>(renamed)].Entries[0][1]);
    EXPECT_EQ(TvBouquets[static_cast<std::size_t>(renamed)].Entries[0][2], "Own name");
    EXPECT_EQ(m->LV_Details->Cells(DetColName, 0), "Own name");

    // Delete two services shown in that bouquet (Del on the service list).
    const std::int32_t gone1 = std::stoi(e[3][1]), gone2 = std::stoi(e[4][1]);
    ASSERT_GE(m->JumpToChNo(gone1), 0);
    const int row2 = [&] {
        for (int r = 0; r < m->LV_Serv->RowCount(); ++r)
            if (m->NumberOfRow(r) == gone2)
                return r;
        return -1;
    }();
    ASSERT_GE(row2, 0);
    m->LV_Serv->SetSelected(row2, true);
    const std::size_t before = Services.size();
    messages.Answer(mrYes);
    Press(*m->LV_Serv, VK_DELETE);
    EXPECT_EQ(Services.size(), before - 2);
    EXPECT_EQ(m->LV_Serv->RowCount(), static_cast<int>(before - 2));
    for (const auto& b : TvBouquets)
        for (const auto& entry : b.Entries)
            ASSERT_FALSE(entry[0] == "S" && (std::stoi(entry[1]) == gone1 || std::stoi(entry[1]) == gone2));

    // Cut the fourth bouquet and paste it before the first.
    ClickRow(*m->LV_TypeOfList, 3);
    const std::string moved = TvBouquets[static_cast<std::size_t>(m->ShownListIndex())].Name;
    Press(*m->LV_TypeOfList, 'X', ssCtrl);
    ClickRow(*m->LV_TypeOfList, 0);
    Press(*m->LV_TypeOfList, 'V', ssCtrl);
    EXPECT_EQ(TvBouquets[0].Name, moved);

    // Another running copy copies a service on a transponder this set lacks.
    TY_ENIG_TP tp = Transponders[0];
    tp.Namespace = "0ABC0000";
    tp.Tsid = "0777";
    tp.Onid = "0099";
    tp.Key = tp.Namespace + tp.Tsid + tp.Onid;
    TY_ENIG_CH ch = Services[0];
    ch.Sid = "4321";
    ch.Name = "From the other copy";
    ch.Provider = "Other | provider";
    TMemoryClipboard other(clipboard, 0x22);
    other.SetBlock("Kestro software", EncodeBlock(0x22, {ServiceLine(ch, tp, 0)}));
    const std::size_t tps = Transponders.size();
    messages.Answer(mrOk);
    Press(*m->LV_Serv, 'V', ssCtrl);
    ASSERT_EQ(Services.size(), before - 1);
    EXPECT_EQ(Transponders.size(), tps + 1);
    EXPECT_EQ(Services.back().Name, "From the other copy");
    EXPECT_EQ(Services.back().Provider, "Other | provider");
    EXPECT_EQ(messages.Log().back().Text, "1 channel(s) inserted in main list\r\n\r\n1 transponder inserted");
    EXPECT_EQ(m->LV_Serv->RowCount(), static_cast<int>(before - 1));
    EXPECT_EQ(m->NumberOfRow(m->LV_Serv->SelectedRow()), Services.back().Number);

    // Save into a new folder: the files show each edit.
    // What a service is, apart from its number (a load numbers the services
    // afresh) and where its transponder stands in the array.
    auto described = [] {
        std::vector<std::string> r;
        for (const auto& s : Services)
            r.push_back(s.Key + "|" + s.Name + "|" + s.Provider + "|" +
                        std::to_string(s.Flags) + "|" + Transponders[static_cast<std::size_t>(s.TpIndex)].Key);
        return r;
    };
    const auto services = described();
    // A bouquet as its name and entries, a service entry by its service's key.
    auto bouquets = [] {
        const TChNumberIndex byNumber(Services);
        std::vector<std::string> r;
        for (const auto& b : TvBouquets) {
            r.push_back("#" + b.Name);
            for (const auto& e : b.Entries) {
                const std::int32_t i = e[0] == "S" ? byNumber.Find(std::stoi(e[1])) : -1;
                r.push_back(e[0] + ":" + (i >= 0 ? Services[static_cast<std::size_t>(i)].Key.str() : e[1].str()) + ":" + e[2]);
            }
        }
        return r;
    };
    const auto tv = bouquets();
    fs::create_directories(tmp / "saved");
    TheSaveDir = (tmp / "saved").string();
    ASSERT_TRUE(SaveFile());
    const std::string lamedb = Read(tmp / "saved" / "lamedb");
    EXPECT_NE(lamedb.find("From the other copy"), std::string::npos);
    EXPECT_NE(lamedb.find("0ABC0000:0777:0099"), std::string::npos);
    std::string all;
    for (auto& f : fs::directory_iterator(tmp / "saved"))
        if (f.path().filename().string().rfind("userbouquet.", 0) == 0)
            all += Read(f.path());
    EXPECT_NE(all.find("#NAME Renamed by hand"), std::string::npos);
    // The marker as a marker line with its text; the own name right after
    // its service's line.
    EXPECT_NE(all.find(":64:"), std::string::npos);
    EXPECT_NE(all.find("DESCRIPTION: --- inserted by hand ---"), std::string::npos);
    EXPECT_NE(all.find("DESCRIPTION: Own name"), std::string::npos);
    (void)ownNamed;

    TheLoadDir = TheSaveDir;
    ASSERT_TRUE(VerFile() && OpenFile());
    EXPECT_EQ(described(), services);
    EXPECT_EQ(bouquets(), tv);
}

// A bouquet exported to a .CBU file and imported again: a bouquet named after
// the file with the same entries, markers included, and no new services.
TEST_F(MainEditing, ExportAndImportAUserBouquet)
{
    int row = -1;
    for (std::size_t r = 0; r < m->TypeRows.size() && row < 0; ++r)
        for (const auto& entry : TvBouquets[static_cast<std::size_t>(m->TypeRows[r].Index)].Entries)
            if (entry[0] == "D")
                row = static_cast<int>(r);
    ASSERT_GE(row, 0) << "a bouquet with a marker";
    ClickRow(*m->LV_TypeOfList, row);
    const ARR_ARR_OF_STRING entries = TvBouquets[static_cast<std::size_t>(m->ShownListIndex())].Entries;
    const std::string path = (tmp / "exchange.CBU").string();
    files.Answers.push_back(path);
    ASSERT_TRUE(m->Pop_Lv_TypeOfList.Invoke("save1"));
    const std::string text = Read(path);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.find("TITLE|"), std::string::npos);
    EXPECT_NE(text.find("\r\n"), std::string::npos);

    const std::size_t services = Services.size(), bouquets = TvBouquets.size();
    files.Answers.push_back(path);
    messages.Answer(mrOk);
    ASSERT_TRUE(m->Pop_Lv_TypeOfList.Invoke("ImportUserBouquet1"));
    EXPECT_EQ(Services.size(), services);
    ASSERT_EQ(TvBouquets.size(), bouquets + 1);
    const TY_ENIG_UB& made = TvBouquets[static_cast<std::size_t>(m->ShownListIndex())];
    EXPECT_EQ(made.Name, "exchange");
    ASSERT_EQ(made.Entries.size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(made.Entries[i][0], entries[i][0]) << i;
        EXPECT_EQ(made.Entries[i][1], entries[i][1]) << i;
    }
    EXPECT_EQ(messages.Log().back().Text, "0 channel(s) inserted in main list\r\n");
}

// The Export button writes exported.txt into the load folder and says where.
TEST_F(MainEditing, ExportButtonWritesExportedTxt)
{
    messages.Answer(mrOk);
    Click(*m->BitBtn_Export);
    const fs::path file = fs::path(TheLoadDir) / "exported.txt";
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(messages.Log().back().Text, "Settings exported (CSV) ordered by Bouquet on \r\n" + file.string());
    const std::string text = Read(file);
    EXPECT_EQ(text.rfind("Type,Bouquet Name", 0), 0u);
    EXPECT_NE(text.find("User Bouquets TV\t"), std::string::npos);
}

// A declined cut of entries takes back only its own block.
TEST_F(MainEditing, DeclinedEntryCutLeavesTheClipboardAsItWas)
{
    ClickRow(*m->LV_TypeOfList, 0);
    ClickRow(*m->LV_Details, 0);
    const std::size_t entries = TvBouquets[static_cast<std::size_t>(m->ShownListIndex())].Entries.size();
    messages.Answer(mrNo);
    Press(*m->LV_Details, 'X', ssCtrl);
    EXPECT_FALSE(clipboard.HasFormat("Kestro software")) << "its own block withdrawn";
    EXPECT_EQ(TvBouquets[static_cast<std::size_t>(m->ShownListIndex())].Entries.size(), entries);

    clipboard.SetText("the user's own text");
    Press(*m->LV_Details, 'C', ssCtrl);
    messages.Answer(mrNo);
    Press(*m->LV_Details, VK_DELETE);
    EXPECT_TRUE(clipboard.HasFormat("Kestro software")) << "a declined remove leaves the clipboard alone";
}

} // namespace
