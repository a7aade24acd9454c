#pragma once

// The program's windows on a copy of the real multisat set, for the tests
// of the dialogs the main window opens: messages answered from a script,
// and a way to act inside a modal dialog the way a user would while it
// runs its own loop.

#include "app/AppForms.h"
#include "app/Unit_Main.h"
#include "app/Unit_SelDir.h"
#include "controls/CfButton.h"
#include "controls/ScriptedMessages.h"
#include "platform/Clipboard.h"
#include "platform/FileDialogs.h"
#include "settings/FolderIO.h"
#include "settings/Unit_lib.h"

#include "common/TestData.h"
#include "controls/CfEdit.h"
#include "controls/CfNativeEdit.h"
#include "controls_panels/DialogTestHelpers.h"
#include "controls_panels/SyntheticInput.h"
#include "grid/CfGrid.h"
#include "platform/Menus.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace cftest {

class DialogFixture : public ::testing::Test {
protected:
    ScratchDir tmp;
    cf::TScriptedMessages messages;
    cf::TMessageServiceScope scope{messages};
    cf::TMemoryClipboard clipboard{0x21};
    cf::TScriptedFileDialogs files;
    std::unique_ptr<TAppForms> forms;
    TForm_Main* m = nullptr;
    std::filesystem::path set;

    void SetUp() override
    {
        setenv("CHANFORGE_CONFIG", (tmp / "config.ini").c_str(), 1);
        std::filesystem::create_directories(tmp / "home");
        setenv("HOME", (tmp / "home").c_str(), 1);
        ClearModel();
        cf::SetClipboard(&clipboard);
        cf::SetFileDialogs(&files);
        messages.Unscripted = cf::TScriptedMessages::TUnscripted::PressEnter;
        forms = std::make_unique<TAppForms>();
        m = &forms->Main();
        m->setWindowState(Qt::WindowNoState);
        m->SetBounds(0, 0, 1270, 760);
        m->Show();
        set = tmp / "multisat";
        std::filesystem::create_directories(set);
        std::filesystem::copy(RealSet("enigma2-v4-multisat"), set, std::filesystem::copy_options::recursive);
        TheLoadDir = set.string();
        ASSERT_TRUE(VerFile() && OpenFile());
        messages.Clear();
        messages.Unscripted = cf::TScriptedMessages::TUnscripted::Fail;
    }
    void TearDown() override
    {
        Modified = false;
        messages.Unscripted = cf::TScriptedMessages::TUnscripted::PressEnter;
        forms.reset();
        cf::SetFileDialogs(nullptr);
        cf::SetClipboard(nullptr);
        ClearModel();
    }

    // Runs `open` (which shows a modal dialog) and, once the dialog runs
    // its loop, `inside`; a test that forgets to close the dialog fails
    // instead of hanging.
    static void WhileModal(cf::TForm& dialog, const std::function<void()>& open, const std::function<void()>& inside)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = true;
            inside();
            if (dialog.Modal() && dialog.ModalResult() == cf::mrNone) {
                ADD_FAILURE() << "the dialog was left open";
                dialog.SetModalResult(cf::mrAbort);
            }
        });
        open();
        EXPECT_TRUE(ran);
    }

    static std::string Read(const std::filesystem::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    // Index of the first service named `name` (fails the test when none).
    static std::int32_t ServiceNamed(const std::string& name)
    {
        for (std::size_t i = 0; i < Services.size(); ++i)
            if (Services[i].Name == name)
                return static_cast<std::int32_t>(i);
        ADD_FAILURE() << "no service " << name;
        return -1;
    }

    // Selects the row of LV_Serv that shows service `index`.
    void SelectService(std::int32_t index)
    {
        const int row = m->JumpToChNo(Services[static_cast<std::size_t>(index)].Number);
        ASSERT_GE(row, 0);
        m->SelectRowQuietly(*m->LV_Serv, row);
    }

    // ---- input as a user gives it ------------------------------------------

    // A mouse press and release at a point of `w` (its own coordinates).
    // As a press from the window system does, it first gives the focus to
    // the nearest control that takes it on a click (sent events do not).
    static void ClickAt(QWidget& w, QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        for (QWidget* f = &w; f; f = f->parentWidget()) {
            if (f->isEnabled() && (f->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus) {
                f->setFocus(Qt::MouseFocusReason);
                break;
            }
            if (f->isWindow())
                break;
        }
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(w.mapToGlobal(at)), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(&w, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), QPointF(w.mapToGlobal(at)), button,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &release);
    }
    // The middle of a row's first visible cell, in the grid's coordinates.
    static QPoint RowPoint(TCfGrid& grid, int row)
    {
        grid.ScrollToRow(row);
        QApplication::processEvents();
        for (int c = 0; c < grid.Columns().Count(); ++c) {
            const cf::TRect r = grid.CellRect(c, row);
            if (!r.IsEmpty()) {
                const cf::TPoint o = grid.ClientOffset();
                return QPoint(r.Left + 5 + o.X, (r.Top + r.Bottom) / 2 + o.Y);
            }
        }
        ADD_FAILURE() << "row " << row << " is not shown";
        return {};
    }
    static void ClickRow(TCfGrid& grid, int row) { ClickAt(grid, RowPoint(grid, row)); }
    // A right click on a row, or below the rows when `row` is -1.
    static void RightClick(TCfGrid& grid, int row)
    {
        ClickAt(grid, row >= 0 ? RowPoint(grid, row) : QPoint(grid.width() / 2, grid.height() - 8), Qt::RightButton);
    }
    // Chooses the item of the menu just popped up whose text is `caption`,
    // with the mouse: onto it, press, release.
    static void ChooseMenuItem(cf::TPopupMenu& menu, const std::string& caption)
    {
        QMenu* shown = menu.Menu();
        ASSERT_TRUE(shown && shown->isVisible()) << "no menu open for " << caption;
        for (QAction* a : shown->actions())
            if (a->text().toStdString() == caption) {
                ASSERT_TRUE(a->isEnabled()) << caption;
                const QPoint at = shown->actionGeometry(a).center();
                QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(shown->mapToGlobal(at)), Qt::NoButton,
                                 Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(shown, &move);
                ClickAt(*shown, at);
                return;
            }
        ADD_FAILURE() << "no menu item " << caption;
    }
    static void KeyTo(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {})
    {
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods, text);
        QApplication::sendEvent(w, &release);
    }
    // The widget holding the keyboard focus in the active dialog.
    static QWidget* Focused()
    {
        ActivateModal();
        return QApplication::focusWidget();
    }
    // Clicks into an edit, selects its text with Ctrl+A and types `text`
    // over it (an empty text deletes it).
    static void TypeInto(cf::TCfEdit& edit, const std::string& text)
    {
        ActivateModal();
        QWidget* native = edit.NativeEdit();
        ClickAt(*native, QPoint(4, native->height() / 2));
        ASSERT_EQ(QApplication::focusWidget(), native) << edit.Name;
        KeyTo(native, Qt::Key_A, Qt::ControlModifier);
        if (text.empty())
            KeyTo(native, Qt::Key_Delete);
        Type(native, text);
    }
    // Tab on whatever has the focus: the focus moves on.
    static void Tab() { KeyTo(Focused(), Qt::Key_Tab); }

    // Types into an edit and leaves it with Tab. A value the exit check
    // takes comes back as `shown` and the focus moves on; a refused one
    // (`shown` null) is answered with Enter and keeps the text and the focus.
    void LeaveEditWith(cf::TCfEdit& edit, const std::string& typed, const char* shown)
    {
        TypeInto(edit, typed);
        if (!shown)
            messages.PressEnter();
        Tab();
        if (shown) {
            EXPECT_EQ(edit.Text(), shown) << typed;
            EXPECT_NE(Focused(), edit.NativeEdit()) << typed;
        } else {
            EXPECT_EQ(edit.Text(), typed);
            EXPECT_EQ(Focused(), edit.NativeEdit()) << typed;
        }
    }

    // Answers the folder dialog the next time it opens with `folder` typed
    // into its edit and OK.
    static void TypeIntoFolderDialog(const std::filesystem::path& folder)
    {
        QTimer::singleShot(0, [folder] {
            ActivateModal();
            ASSERT_EQ(QApplication::activeModalWidget(), Form_SelDir) << "the folder dialog is not open";
            Form_SelDir->Edir->SetText("");
            Type(Form_SelDir->Edir->NativeEdit(), folder.string());
            Click(*Form_SelDir->BitBtn1);
        });
    }

    // Saves the set into `name` under the scratch folder and loads it again.
    std::filesystem::path SaveAndReload(const std::string& name)
    {
        TheSaveDir = (tmp / name).string();
        std::filesystem::create_directories(TheSaveDir);
        EXPECT_TRUE(SaveFile());
        TheLoadDir = TheSaveDir;
        EXPECT_TRUE(VerFile() && OpenFile());
        return tmp / name;
    }
};

} // namespace cftest
