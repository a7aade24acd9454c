// Return and Escape on a form with a default and a cancel button: the
// focused control that has a use for the key gets it, otherwise a button.

#include "EditTestSupport.h"

#include "controls/CfButton.h"
#include "controls/CfPopupControl.h"
#include "platform/Forms.h"
#include "platform/Memo.h"
#include "platform/ScreenArea.h"

#include <QPlainTextEdit>

#include <gtest/gtest.h>

using namespace cf;
using namespace cf::testing;

namespace {

enum class Where { ComboOpen, ComboClosed, ListStyleOpen, ListStyleClosed, Memo, ReadOnlyMemo, InplaceEditor,
                   PlainEdit };

const char* Name(Where w)
{
    switch (w) {
    case Where::ComboOpen: return "combo box, list open";
    case Where::ComboClosed: return "combo box, list closed";
    case Where::ListStyleOpen: return "list-style combo box, list open";
    case Where::ListStyleClosed: return "list-style combo box, list closed";
    case Where::Memo: return "multi-line edit";
    case Where::ReadOnlyMemo: return "read-only multi-line edit";
    case Where::InplaceEditor: return "in-place editor";
    case Where::PlainEdit: return "plain edit";
    }
    return "";
}

// A dialog as the program builds them: OK is the default button, Cancel the
// cancel button, and a control of each kind to type into.
class DialogForm {
public:
    DialogForm()
    {
        SetWorkAreaOverride(TRect(0, 0, 800, 600));
        form.SetBounds(50, 50, 400, 300);
        ok = new TCfButton(&form);
        ok->SetCaption("OK");
        ok->ModalResult = mrOk;
        ok->SetDefault(true);
        ok->SetBounds(200, 250, 75, 23);
        ok->OnClick = [this](TControl*) { ++okClicks; };
        cancel = new TCfButton(&form);
        cancel->SetCaption("Cancel");
        cancel->ModalResult = mrCancel;
        cancel->Cancel = true;
        cancel->SetBounds(300, 250, 75, 23);
        cancel->OnClick = [this](TControl*) { ++cancelClicks; };
        combo = new TCfComboBox(&form);
        combo->SetBounds(10, 10, 150, 21);
        combo->SetItems({"Astra", "Hotbird", "Thor"});
        combo->SetItemIndex(1);
        listCombo = new TCfComboBox(&form);
        listCombo->SetBounds(10, 40, 150, 21);
        listCombo->SetItems({"DVB-S", "DVB-C", "DVB-T"});
        listCombo->SetStyle(TDropDownStyle::dsDropDownList);
        listCombo->SetItemIndex(0);
        memo = new TMemo(&form);
        memo->SetBounds(10, 70, 200, 80);
        editor = new TCfEdit(&form);
        editor->SetBounds(10, 160, 120, 20);
        editor->OnKeyDown = [this](TControl*, uint16_t& key, TShiftState) { editorKeys.push_back(key); };
        plain = new TCfEdit(&form);
        plain->SetBounds(10, 190, 120, 20);
        form.Show();
    }
    ~DialogForm()
    {
        form.Hide();
        SetWorkAreaOverride(std::nullopt);
    }

    // Puts the form in the situation and returns the widget the key goes to
    // (the one that would have the keyboard focus).
    QWidget* Prepare(Where w)
    {
        switch (w) {
        case Where::ComboOpen:
            combo->SetDropped(true, true);
            return combo->NativeEdit();
        case Where::ComboClosed: return combo->NativeEdit();
        case Where::ListStyleOpen: listCombo->SetDropped(true, true); return listCombo;
        case Where::ListStyleClosed: return listCombo;
        case Where::Memo: return memo->Editor();
        case Where::ReadOnlyMemo: memo->SetReadOnly(true); return memo->Editor();
        case Where::InplaceEditor:
            editor->InplaceEdit = true;
            return editor->NativeEdit();
        case Where::PlainEdit: return plain->NativeEdit();
        }
        return nullptr;
    }

    TForm form;
    TCfButton* ok;
    TCfButton* cancel;
    TCfComboBox* combo;
    TCfComboBox* listCombo;
    TMemo* memo;
    TCfEdit* editor;
    TCfEdit* plain;
    int okClicks = 0;
    int cancelClicks = 0;
    std::vector<uint16_t> editorKeys;
};

} // namespace

TEST(DialogKeyTable, ReturnAndEscapeGoWhereTheUserMeansThem)
{
    struct Case {
        Where where;
        int key;
        int okClicks, cancelClicks;  // buttons the key pressed
        TModalResult result;         // the form's result afterwards
        bool listOpenAfter;          // the combo box concerned
        bool editorSawKey;           // the in-place editor's host saw the key
        int memoLines;               // lines in the memo afterwards (it starts empty: 0)
    };
    const Case cases[] = {
        // An open list takes both keys and closes; no button moves.
        {Where::ComboOpen, Qt::Key_Escape, 0, 0, mrNone, false, false, 0},
        {Where::ComboOpen, Qt::Key_Return, 0, 0, mrNone, false, false, 0},
        {Where::ListStyleOpen, Qt::Key_Escape, 0, 0, mrNone, false, false, 0},
        {Where::ListStyleOpen, Qt::Key_Return, 0, 0, mrNone, false, false, 0},
        // A closed list leaves them to the buttons.
        {Where::ComboClosed, Qt::Key_Escape, 0, 1, mrCancel, false, false, 0},
        {Where::ComboClosed, Qt::Key_Return, 1, 0, mrOk, false, false, 0},
        {Where::ListStyleClosed, Qt::Key_Escape, 0, 1, mrCancel, false, false, 0},
        {Where::ListStyleClosed, Qt::Key_Return, 1, 0, mrOk, false, false, 0},
        // A multi-line edit starts a new line on Return; Escape still cancels.
        {Where::Memo, Qt::Key_Return, 0, 0, mrNone, false, false, 1},
        {Where::Memo, Qt::Key_Escape, 0, 1, mrCancel, false, false, 0},
        // Read-only, it has no use for Return.
        {Where::ReadOnlyMemo, Qt::Key_Return, 1, 0, mrOk, false, false, 0},
        // An in-place editor's host commits or cancels the cell.
        {Where::InplaceEditor, Qt::Key_Return, 0, 0, mrNone, false, true, 0},
        {Where::InplaceEditor, Qt::Key_Escape, 0, 0, mrNone, false, true, 0},
        // An ordinary edit has no use for either.
        {Where::PlainEdit, Qt::Key_Return, 1, 0, mrOk, false, false, 0},
        {Where::PlainEdit, Qt::Key_Escape, 0, 1, mrCancel, false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(Name(c.where)) + (c.key == Qt::Key_Escape ? ", Esc" : ", Enter"));
        DialogForm d;
        QWidget* target = d.Prepare(c.where);
        bool list = c.where == Where::ComboOpen || c.where == Where::ListStyleOpen;
        TCfComboBox* combo = c.where == Where::ListStyleOpen || c.where == Where::ListStyleClosed ? d.listCombo
                                                                                                  : d.combo;
        if (list) {
            ASSERT_TRUE(combo->Dropped());
        }
        int indexBefore = combo->ItemIndex();
        SendKey(target, c.key, c.key == Qt::Key_Escape ? QStringLiteral("\x1b") : QStringLiteral("\r"));
        EXPECT_EQ(d.okClicks, c.okClicks);
        EXPECT_EQ(d.cancelClicks, c.cancelClicks);
        EXPECT_EQ(d.form.ModalResult(), c.result);
        EXPECT_EQ(combo->Dropped(), c.listOpenAfter);
        EXPECT_EQ(combo->ItemIndex(), indexBefore);  // closing by key keeps the choice
        EXPECT_EQ(!d.editorKeys.empty(), c.editorSawKey);
        if (c.editorSawKey) {
            EXPECT_EQ(d.editorKeys.front(), c.key == Qt::Key_Escape ? VK_ESCAPE : VK_RETURN);
        }
        EXPECT_EQ(d.memo->Editor()->blockCount() - 1, c.memoLines);
    }
}

TEST(DialogKeyTable, SecondKeyAfterTheListClosedReachesTheButton)
{
    // The first Escape closes the list, the second cancels the dialog: the
    // claim lasts exactly as long as the list is open.
    DialogForm d;
    QWidget* target = d.Prepare(Where::ComboOpen);
    SendKey(target, Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_FALSE(d.combo->Dropped());
    EXPECT_EQ(d.cancelClicks, 0);
    SendKey(target, Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_EQ(d.cancelClicks, 1);
    EXPECT_EQ(d.form.ModalResult(), mrCancel);
}

TEST(DialogKeyTable, ClaimantIsFoundFromTheFocusedInnerWidgetUpwards)
{
    DialogForm d;
    // The line edit inside a drop-down edit stands for the drop-down edit.
    EXPECT_EQ(FormKeyClaimant(d.combo->NativeEdit(), VK_ESCAPE, 0), nullptr);
    d.combo->SetDropped(true, true);
    EXPECT_EQ(FormKeyClaimant(d.combo->NativeEdit(), VK_ESCAPE, 0), d.combo);
    EXPECT_EQ(FormKeyClaimant(d.combo->NativeEdit(), VK_RETURN, 0), d.combo);
    // Other keys are never claimed by the rule; the form has nothing to give.
    EXPECT_EQ(FormKeyClaimant(d.combo->NativeEdit(), VK_TAB, 0), nullptr);
    // A control inside a claiming control: the enclosing one answers.
    auto* inner = new TCfEdit(d.editor);
    d.editor->InplaceEdit = true;
    EXPECT_EQ(FormKeyClaimant(inner->NativeEdit(), VK_RETURN, 0), d.editor);
    EXPECT_EQ(FormKeyClaimant(nullptr, VK_RETURN, 0), nullptr);
}
