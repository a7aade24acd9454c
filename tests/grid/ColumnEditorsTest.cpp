// The in-place editor side of the columns: which edit control each class
// makes, how the column prepares it for a cell, what it does once the editor
// holds the text, and who frees it. Keys reach the editors as a user's typing
// would, through their line edit.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <typeinfo>

#include "controls/CfEdit.h"
#include "controls/CfNativeEdit.h"
#include "grid/CfColumnClasses.h"
#include "grid/CfColumns.h"
#include "platform/ImageList.h"

namespace {

void Type(TCfCustomEdit& edit, const std::u32string& text) {
  for (char32_t c : text) {
    const QString s = QString::fromUcs4(&c, 1);
    const int key = c >= U'a' && c <= U'z' ? int(c - U'a' + U'A') : int(c);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, s);
    QApplication::sendEvent(edit.NativeEdit(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, s);
    QApplication::sendEvent(edit.NativeEdit(), &release);
  }
}

struct EditorCase {
  const char* name;
  std::function<std::unique_ptr<TCfCustomColumn>()> make;
  // The editor's exact class; null: the column has no editor.
  const std::type_info* editor;
};

template <class T>
std::function<std::unique_ptr<TCfCustomColumn>()> Make() {
  return [] { return std::make_unique<T>(); };
}

}  // namespace

TEST(GridColumnEditors, EachClassMakesItsEditorOnceAndHidden) {
  const EditorCase cases[] = {
      {"text", Make<TCfTextColumn>(), &typeid(TCfEdit)},
      {"tree", Make<TCfTreeColumn>(), &typeid(TCfEdit)},
      {"combo box", Make<TCfComboBoxColumn>(), &typeid(TCfComboBox)},
      {"number", Make<TCfNumberColumn>(), &typeid(TCfSpinEdit)},
      {"custom number", Make<TCfCustomNumberColumn>(), nullptr},
      {"check box", Make<TCfCheckBoxColumn>(), nullptr},
      {"image", Make<TCfImageColumn>(), nullptr},
  };
  for (const EditorCase& c : cases) {
    auto column = c.make();
    EXPECT_EQ(column->CreatedEditor(), nullptr) << c.name << ": nothing before it is needed";
    TCfCustomEdit* editor = column->Editor();
    if (!c.editor) {
      EXPECT_EQ(editor, nullptr) << c.name;
      column->PrepareEditor();  // nothing to prepare
      column->AfterEdit();
      continue;
    }
    ASSERT_NE(editor, nullptr) << c.name;
    EXPECT_EQ(typeid(*editor), *c.editor) << c.name;
    EXPECT_FALSE(editor->isVisible()) << c.name;
    EXPECT_EQ(column->Editor(), editor) << c.name << ": one editor per column";
  }
}

TEST(GridColumnEditors, BasePreparationOnEveryEditor) {
  TCfTreeColumn tree;
  TCfNumberColumn number;
  TCfComboBoxColumn combo;
  tree.SetAlignment(taCenter);
  combo.SetAlignment(taRightJustify);
  for (TCfCustomColumn* column : {static_cast<TCfCustomColumn*>(&tree), static_cast<TCfCustomColumn*>(&number),
                                  static_cast<TCfCustomColumn*>(&combo)}) {
    auto* editor = dynamic_cast<TCfEdit*>(column->Editor());
    ASSERT_NE(editor, nullptr);
    editor->SetBorderStyle(cf::TBorderStyle::bsSingle);
    editor->SetBorderWidth(3);
    editor->EditMargins().SetLeft(7);
    column->PrepareEditor();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->Alignment(), column->Alignment());
    EXPECT_EQ(editor->BorderStyle(), cf::TBorderStyle::bsNone);
    EXPECT_EQ(editor->BorderWidth(), 0);
    EXPECT_EQ(editor->EditMargins().Left(), 1);
  }
  EXPECT_EQ(number.CreatedEditor()->Alignment(), taRightJustify) << "number columns are right-aligned";
  // A tree column is not text-based: its editor is not embedded.
  EXPECT_FALSE(tree.CreatedEditor()->Embedded);
}

TEST(GridColumnEditors, TextColumnEmbedsAndLimitsItsEditor) {
  TCfTextColumn column;
  column.SetMaxLength(4);
  column.SetPasswordChar(U'*');
  column.PrepareEditor();
  TCfCustomEdit* editor = column.CreatedEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->Embedded);
  EXPECT_EQ(editor->MaxLength(), 4);
  EXPECT_EQ(editor->PasswordChar(), U'*');

  Type(*editor, U"abcdef");
  EXPECT_EQ(editor->Text(), "abcd") << "MaxLength reaches the typing";

  // A later preparation follows the column's current settings.
  column.SetMaxLength(0);
  column.SetPasswordChar(0);
  column.PrepareEditor();
  EXPECT_EQ(editor->MaxLength(), 0);
  EXPECT_EQ(editor->PasswordChar(), 0u);
  Type(*editor, U"ef");
  EXPECT_EQ(editor->Text(), "abcdef");
}

TEST(GridColumnEditors, ComboBoxColumnHandsOverItsList) {
  cf::TCustomImageList images(16, 16);
  TCfComboBoxColumn column;
  column.SetAutoDropDown(true);
  column.SetDropDownCount(12);
  column.SetImages(&images);
  column.SetItems({"Horizontal", "Vertical", "Left", "Right"});
  column.SetListWidth(150);
  column.SetDisplayMode(dmTextAndImage);
  column.SetStyle(1);
  column.SetAutoComplete(true);
  column.SetDataMode(dmNameList);
  column.PrepareEditor();

  auto* combo = dynamic_cast<TCfComboBox*>(column.CreatedEditor());
  ASSERT_NE(combo, nullptr);
  EXPECT_TRUE(combo->Embedded);
  EXPECT_TRUE(combo->AutoDropDown);
  EXPECT_EQ(combo->DropDownCount, 12);
  EXPECT_EQ(combo->Images.data(), &images);
  EXPECT_EQ(combo->Items(), column.Items());
  EXPECT_EQ(combo->ListWidth, 150);
  EXPECT_FALSE(combo->PreviewBorder());
  EXPECT_TRUE(combo->ShowPreview());
  EXPECT_EQ(combo->Style(), cf::TDropDownStyle::dsDropDownList);
  EXPECT_TRUE(combo->AutoComplete);
  EXPECT_EQ(combo->DisplayMode, dmNameList);

  // The editor holds a copy: the column's list may change meanwhile.
  column.Items().push_back("Circular");
  EXPECT_EQ(combo->Items().size(), 4u);

  // Text only: no preview; any other style: an editable drop-down.
  column.SetDisplayMode(dmTextOnly);
  column.SetStyle(0);
  column.PrepareEditor();
  EXPECT_FALSE(combo->ShowPreview());
  EXPECT_EQ(combo->Style(), cf::TDropDownStyle::dsDropDown);
  EXPECT_EQ(combo->Items().size(), 5u);
  column.SetStyle(2);
  column.PrepareEditor();
  EXPECT_EQ(combo->Style(), cf::TDropDownStyle::dsDropDown);
}

TEST(GridColumnEditors, PickListSelectsTheItemOfTheCellText) {
  TCfComboBoxColumn column;
  column.SetItems({"Red", "Green", "Blue"});
  column.SetStyle(1);
  column.PrepareEditor();
  auto* combo = dynamic_cast<TCfComboBox*>(column.CreatedEditor());
  ASSERT_NE(combo, nullptr);
  combo->SetText("Blue");
  column.AfterEdit();
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), "Blue");

  combo->SetText("Green");
  column.AfterEdit();
  EXPECT_EQ(combo->ItemIndex(), 1);

  // Letter case counts: "green" is no item, nothing new is selected.
  combo->SetText("green");
  const int before = combo->ItemIndex();
  column.AfterEdit();
  EXPECT_EQ(combo->ItemIndex(), before);
}

TEST(GridColumnEditors, EditableComboLeavesTheSelectionAlone) {
  TCfComboBoxColumn column;
  column.SetItems({"Red", "Green", "Blue"});
  column.PrepareEditor();
  auto* combo = dynamic_cast<TCfComboBox*>(column.CreatedEditor());
  ASSERT_NE(combo, nullptr);
  combo->SetText("Green");
  column.AfterEdit();
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "Green");
}

TEST(GridColumnEditors, NumberColumnSetsUpTheSpinEdit) {
  TCfNumberColumn column;
  column.SetEditOptions(eoAllowSigns);
  column.SetIncrement(0.5);
  column.SetMax(10);
  column.SetMin(-10);
  column.SetSpinButtons(false);
  column.SetPrecision(3);
  column.PrepareEditor();

  auto* spin = dynamic_cast<TCfSpinEdit*>(column.CreatedEditor());
  ASSERT_NE(spin, nullptr);
  EXPECT_EQ(spin->Options(), TCfNumberEditOptions(eoAllowSigns));
  EXPECT_EQ(spin->Increment, 0.5);
  EXPECT_EQ(spin->Max, 10);
  EXPECT_EQ(spin->Min, -10);
  EXPECT_FALSE(spin->SpinButtons());
  EXPECT_NE(spin->Precision(), 3) << "Precision comes only after editing starts";
  column.AfterEdit();
  EXPECT_EQ(spin->Precision(), 3);

  // Signs allowed, no decimal separator: the typing shows it (into an
  // emptied editor, as the grid hands it over).
  spin->SetText("");
  Type(*spin, U"-1.5");
  EXPECT_EQ(spin->Text(), "-15");
}

TEST(GridColumnEditors, NumberColumnDefaultsAllowFloatButNoSigns) {
  TCfNumberColumn column;
  column.PrepareEditor();
  auto* spin = dynamic_cast<TCfSpinEdit*>(column.CreatedEditor());
  ASSERT_NE(spin, nullptr);
  EXPECT_EQ(spin->Options(), TCfNumberEditOptions(eoAllowFloat));
  EXPECT_EQ(spin->Increment, 1.0);
  EXPECT_TRUE(spin->SpinButtons());
  spin->SetText("");
  Type(*spin, U"-2.5");
  EXPECT_EQ(spin->Text(), "2.5");
}

TEST(GridColumnEditors, DecimalSeparatorStartsEditingAsTheSpinEditTakesIt) {
  struct Restore {
    char32_t saved = cf::DecimalSeparator;
    ~Restore() { cf::DecimalSeparator = saved; }
  } restore;
  TCfNumberColumn column;
  EXPECT_TRUE(column.IsKeyAccepted(U'.'));
  EXPECT_FALSE(column.IsKeyAccepted(U','));

  cf::DecimalSeparator = U',';
  EXPECT_TRUE(column.IsKeyAccepted(U','));
  EXPECT_FALSE(column.IsKeyAccepted(U'.'));
  column.PrepareEditor();
  TCfCustomEdit* spin = column.CreatedEditor();
  ASSERT_NE(spin, nullptr);
  spin->SetText("");
  Type(*spin, U"1.2,5");
  EXPECT_EQ(spin->Text(), "12,5");

  // Without eoAllowFloat no separator starts editing.
  column.SetEditOptions(eoAllowSigns);
  EXPECT_FALSE(column.IsKeyAccepted(U','));
}

TEST(GridColumnEditors, ExternalEditor) {
  TCfImageColumn image;  // cannot be edited in place on its own
  image.SetOptions(image.Options() | coEditing);
  EXPECT_EQ(image.GetEditOptions(), 0);
  auto external = std::make_unique<TCfEdit>();
  image.SetInplaceEdit(external.get());
  EXPECT_EQ(image.GetEditOptions(), 3);
  EXPECT_EQ(image.Editor(), nullptr) << "the external editor is not the column's own";
  // The column forgets an editor that is destroyed.
  external.reset();
  EXPECT_EQ(image.InplaceEdit(), nullptr);
  EXPECT_EQ(image.GetEditOptions(), 0);
}

TEST(GridColumnEditors, EditorFreedOnceWhoeverGoesFirst) {
  // The column goes first: it frees its editor, even inside a window.
  QWidget gridWindow;
  QPointer<TCfCustomEdit> editor;
  {
    TCfTextColumn column;
    editor = column.Editor();
    editor->setParent(&gridWindow);
  }
  EXPECT_TRUE(editor.isNull());

  // The window goes first and takes the editor with it; the column then
  // has nothing left to free and makes a new editor when asked again.
  TCfTextColumn column;
  {
    QWidget window;
    column.Editor()->setParent(&window);
  }
  EXPECT_EQ(column.CreatedEditor(), nullptr);
  EXPECT_NE(column.Editor(), nullptr);
}
