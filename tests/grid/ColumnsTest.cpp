// Column classes, their defaults, hooks and change notes, and the column
// collection with its two orders, layout and auto sizing.

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "grid/CfColumnClasses.h"
#include "grid/CfColumns.h"

namespace {

struct FakeGrid : TColumnsGrid {
  int width = 600;
  bool indicator = false, loading = false, destroying = false;
  TFont font{"Grid Font", 10, clWindowText, fsItalic};
  int ClientWidth() const override { return width; }
  bool ShowsIndicator() const override { return indicator; }
  bool IsLoading() const override { return loading; }
  bool IsDestroying() const override { return destroying; }
  TFont GridFont() const override { return font; }
};

struct Note {
  TCfCustomColumn* column;
  int value, kind;
  bool operator==(const Note&) const = default;
};

struct Fixture {
  FakeGrid grid;
  TCfColumns cols{&grid};
  std::vector<Note> notes;
  std::vector<std::pair<int, int>> changes;
  Fixture() {
    cols.OnColumnNotify = [this](TCfCustomColumn* c, int v, int k) { notes.push_back({c, v, k}); };
    cols.OnColumnsChange = [this](int k, int i) { changes.emplace_back(k, i); };
  }
  std::vector<int> Kinds() const {
    std::vector<int> out;
    for (const Note& n : notes) out.push_back(n.kind);
    return out;
  }
};

// ---- classes ---------------------------------------------------------------

struct ClassRow {
  const char* name;
  std::function<std::unique_ptr<TCfCustomColumn>()> make;
  int kind;
  TColumnEditorClass editor;
  TColumnDisplayClass display;
  TColumnPlayClass play;
  int capabilities;
  TSortType sortType;
  const char* defaultValue;
  TAlignment alignment;
  bool textFitHint;
};

template <class T>
std::function<std::unique_ptr<TCfCustomColumn>()> Maker() {
  return [] { return std::make_unique<T>(); };
}

using E = TColumnEditorClass;
using D = TColumnDisplayClass;
using P = TColumnPlayClass;

const std::vector<ClassRow>& Classes() {
  static const std::vector<ClassRow> rows = {
      {"TCfTextColumn", Maker<TCfTextColumn>(), 8, E::Edit, D::Text, P::None, 42, stAlphabetic, "", taLeftJustify, true},
      {"TCfComboBoxColumn", Maker<TCfComboBoxColumn>(), 8, E::ComboBox, D::Strings, P::None, 42, stAlphabetic, "",
       taLeftJustify, true},
      {"TCfCheckBoxColumn", Maker<TCfCheckBoxColumn>(), 1, E::None, D::CheckBox, P::CheckBox, 10, stBoolean, "",
       taLeftJustify, false},
      {"TCfImageColumn", Maker<TCfImageColumn>(), 7, E::None, D::Image, P::None, 8, stNumeric, "0", taLeftJustify,
       false},
      {"TCfCustomNumberColumn", Maker<TCfCustomNumberColumn>(), 4, E::None, D::Number, P::None, 42, stNumeric, "0",
       taLeftJustify, false},
      {"TCfNumberColumn", Maker<TCfNumberColumn>(), 4, E::SpinEdit, D::Number, P::None, 42, stNumeric, "0",
       taRightJustify, false},
      {"TCfTreeColumn", Maker<TCfTreeColumn>(), 8, E::Edit, D::Tree, P::Tree, 15, stAlphabetic, "", taLeftJustify,
       false},
  };
  return rows;
}

TEST(GridColumnClasses, KindHooksAndClassDefaults) {
  for (const ClassRow& row : Classes()) {
    SCOPED_TRACE(row.name);
    auto c = row.make();
    EXPECT_EQ(c->Kind(), row.kind);
    EXPECT_EQ(c->GetEditorClass(), row.editor);
    EXPECT_EQ(c->GetDisplayClass(), row.display);
    EXPECT_EQ(c->GetPlayClass(), row.play);
    EXPECT_EQ(c->GetCapabilities(), row.capabilities);
    EXPECT_EQ(c->SortType(), row.sortType);
    EXPECT_EQ(c->DefaultValue(), row.defaultValue);
    EXPECT_EQ(c->Alignment(), row.alignment);
    TColumnOptions expected = coCanClick | coCanInput | coCanSort | coPublicUsing;
    if (row.textFitHint) expected |= coShowTextFitHint;
    EXPECT_EQ(c->Options(), expected);
  }
}

TEST(GridColumnClasses, PopupAndStringsColumnsAreBasesOnly) {
  static_assert(std::is_abstract_v<TCfPopupColumn>);
  static_assert(std::is_abstract_v<TCfStringsColumn>);
  static_assert(!std::is_abstract_v<TCfComboBoxColumn>);
}

TEST(GridColumnClasses, SharedDefaults) {
  TCfTextColumn c;
  EXPECT_EQ(c.Color(), clWindow);
  EXPECT_EQ(c.Width(), 80);
  EXPECT_EQ(c.DefaultWidth(), 80);
  EXPECT_EQ(c.MinWidth(), 8);
  EXPECT_EQ(c.Padding(), 0);
  EXPECT_EQ(c.Position(), -1);
  EXPECT_TRUE(c.Enabled());
  EXPECT_TRUE(c.Visible());
  EXPECT_TRUE(c.ParentFont());
  EXPECT_FALSE(c.ParentCellColor());
  EXPECT_FALSE(c.Sorted());
  EXPECT_EQ(c.SortKind(), skAscending);
  EXPECT_EQ(c.VerticalAlignment(), taVerticalCenter);
  EXPECT_EQ(c.WrapKind(), wkEllipsis);
  EXPECT_EQ(c.DrawingOptions(), doNormal);
  EXPECT_EQ(c.SlideCaptionLocation(), clTop);
  EXPECT_EQ(c.InplaceEdit(), nullptr);
  EXPECT_EQ(c.Tag(), 0);
  EXPECT_EQ(c.Header().Color(), clBtnFace);
  EXPECT_EQ(c.Header().Alignment(), taLeftJustify);
  EXPECT_TRUE(c.Header().HideArrow());
  EXPECT_FALSE(c.Header().MultiLine());
  EXPECT_EQ(c.Header().Orientation(), hoHorizontal);
  EXPECT_EQ(c.Header().DisplayMode(), dmTextOnly);
  EXPECT_EQ(c.Footer().Color(), clWindow);
  EXPECT_EQ(c.Footer().FormulaKind(), fkNone);
  EXPECT_EQ(c.Footer().FormatMaskKind(), mkText);
  EXPECT_EQ(c.SlideBounds().Left(), 8);
  EXPECT_EQ(c.SlideBounds().Top(), 8);
  EXPECT_EQ(c.SlideBounds().Width(), 80);
  EXPECT_EQ(c.SlideBounds().Height(), 16);
}

TEST(GridColumnClasses, OwnPropertyDefaults) {
  TCfTextColumn text;
  EXPECT_EQ(text.MaxLength(), 0);
  EXPECT_FALSE(text.MultiLine());
  EXPECT_EQ(text.PasswordChar(), 0u);
  TCfComboBoxColumn combo;
  EXPECT_FALSE(combo.AutoDropDown());
  EXPECT_EQ(combo.DropDownCount(), 8);
  EXPECT_EQ(combo.DisplayMode(), dmTextOnly);
  EXPECT_EQ(combo.Images(), nullptr);
  EXPECT_TRUE(combo.Items().empty());
  EXPECT_EQ(combo.ListWidth(), 0);
  EXPECT_FALSE(combo.AutoComplete());
  EXPECT_EQ(combo.DataMode(), dmDefault);
  EXPECT_EQ(combo.Style(), 0);
  TCfImageColumn image;
  EXPECT_TRUE(image.Transparent());
  TCfNumberColumn number;
  EXPECT_EQ(number.EditOptions(), eoAllowFloat);
  EXPECT_FALSE(number.HideWhenEmpty());
  EXPECT_EQ(number.Max(), 0);
  EXPECT_EQ(number.Min(), 0);
  EXPECT_EQ(number.Increment(), 1.0);
  EXPECT_EQ(number.Precision(), 0);
  EXPECT_TRUE(number.SpinButtons());
  TCfTreeColumn tree;
  EXPECT_FALSE(tree.ExpandLock());
  EXPECT_FALSE(tree.HighlightButton());
  EXPECT_TRUE(tree.ShowButtons());
  EXPECT_FALSE(tree.ShowLines());
}

TEST(GridColumnClasses, EditOptions) {
  TCfTextColumn text;
  EXPECT_EQ(text.GetEditOptions(), 2) << "coCanInput only";
  text.SetOptions(text.Options() | coEditing);
  EXPECT_EQ(text.GetEditOptions(), 3);
  text.SetEnabled(false);
  EXPECT_EQ(text.GetEditOptions(), 0);

  TCfImageColumn image;  // cannot be edited in place
  image.SetOptions(image.Options() | coEditing);
  EXPECT_EQ(image.GetEditOptions(), 0);
  // An external editor makes it editable: GridColumnEditors.ExternalEditor.
}

TEST(GridColumnClasses, DrawTextOfTextColumns) {
  TCfTextColumn c;
  TCellInfo info;
  info.Text = "Hello";
  EXPECT_EQ(c.GetDrawText(info), "Hello");
  EXPECT_EQ(c.Measure(info), "Hello");
  c.SetTextBefore("[");
  c.SetTextAfter(" kHz");
  EXPECT_EQ(c.GetDrawText(info), "[Hello kHz");
  c.SetTextBefore("");
  c.SetTextAfter("");
  c.SetPasswordChar(U'*');
  EXPECT_EQ(c.GetDrawText(info), "*****");
  c.SetTextBefore("ab");
  c.SetTextAfter("c");
  EXPECT_EQ(c.GetDrawText(info), "********");
  // Characters, not bytes, are masked.
  c.SetTextBefore("");
  c.SetTextAfter("");
  c.SetPasswordChar(U'\u25CF');
  info.Text = "\xC3\xA4\xC3\xB6x";  // "äöx"
  EXPECT_EQ(c.GetDrawText(info), "\u25CF\u25CF\u25CF");
}

TEST(GridColumnClasses, DrawTextOfNumberColumns) {
  TCfNumberColumn c;
  TCellInfo info;
  info.Value = 2.5;
  EXPECT_EQ(c.GetDrawText(info), "2.5");
  c.SetTextBefore("~");
  EXPECT_EQ(c.GetDrawText(info), "~2.5");
  c.SetTextBefore("");
  c.SetFormatMask("0.00");
  c.SetTextAfter(" dB");
  info.Value = 1.5;
  EXPECT_EQ(c.GetDrawText(info), "1.50 dB");
  c.SetHideWhenEmpty(true);
  c.SetEmptyCaption("none");
  info.Value = 0;
  EXPECT_EQ(c.GetDrawText(info), "none");
  info.Value = 3;
  EXPECT_EQ(c.GetDrawText(info), "3.00 dB");
}

TEST(GridColumnClasses, KeysThatStartEditing) {
  TCfTextColumn text;
  EXPECT_FALSE(text.IsKeyAccepted(U' '));
  EXPECT_TRUE(text.IsKeyAccepted(U'!'));
  EXPECT_TRUE(text.IsKeyAccepted(U'\u00E4'));
  TCfTreeColumn tree;
  EXPECT_TRUE(tree.IsKeyAccepted(U'a'));
  EXPECT_FALSE(tree.IsKeyAccepted(U'\t'));
  TCfCheckBoxColumn check;
  EXPECT_FALSE(check.IsKeyAccepted(U'a'));

  TCfNumberColumn number;  // eoAllowFloat only
  EXPECT_TRUE(number.IsKeyAccepted(U'0'));
  EXPECT_TRUE(number.IsKeyAccepted(U'9'));
  EXPECT_TRUE(number.IsKeyAccepted(U'.'));
  EXPECT_FALSE(number.IsKeyAccepted(U'-'));
  EXPECT_FALSE(number.IsKeyAccepted(U'a'));
  number.SetEditOptions(eoAllowSigns);
  EXPECT_TRUE(number.IsKeyAccepted(U'-'));
  EXPECT_TRUE(number.IsKeyAccepted(U'+'));
  EXPECT_FALSE(number.IsKeyAccepted(U'.'));

  TCfComboBoxColumn combo;
  combo.SetItems({"Apple", "banana", "", "\xC3\x84pfel"});
  EXPECT_TRUE(combo.IsKeyAccepted(U'z')) << "style 0 takes any character";
  combo.SetStyle(1);
  EXPECT_TRUE(combo.IsKeyAccepted(U'a'));
  EXPECT_TRUE(combo.IsKeyAccepted(U'B'));
  EXPECT_TRUE(combo.IsKeyAccepted(U'\u00E4')) << "ä matches Äpfel";
  EXPECT_FALSE(combo.IsKeyAccepted(U'c'));
  combo.SetAutoDropDown(true);
  EXPECT_TRUE(combo.IsKeyAccepted(U'c'));
}

// A lead byte followed by no continuation is no character: "\xC3A" does not
// begin with \u00C1 (C3 41 would decode to it if the second byte went unchecked).
TEST(GridColumnClasses, BrokenFirstCharacterMatchesNoKey) {
  TCfComboBoxColumn combo;
  combo.SetStyle(1);
  combo.SetItems({"\xC3" "A", "\xE2\x82"});
  EXPECT_FALSE(combo.IsKeyAccepted(U'\u00C1'));
  EXPECT_FALSE(combo.IsKeyAccepted(U'\u00E1'));
  EXPECT_FALSE(combo.IsKeyAccepted(U'A'));
  EXPECT_FALSE(combo.IsKeyAccepted(U'\u2082'));
  combo.SetItems({"\xC3\x81rbol"});
  EXPECT_TRUE(combo.IsKeyAccepted(U'\u00E1')) << "a whole sequence still matches, either case";
}

TEST(GridColumnClasses, TreeIndentAndMultiLine) {
  TCfTreeColumn tree;
  int x = 5;
  tree.AdjustIndent(2, x);
  EXPECT_EQ(x, 2 * 19 + 5 + 16);
  TCustomImageList images(20, 16);
  tree.SetImages(&images);
  x = 5;
  tree.AdjustIndent(2, x);
  EXPECT_EQ(x, 2 * 19 + 5 + 16 + 20);
  TCfTextColumn plain;
  x = 5;
  plain.AdjustIndent(3, x);
  EXPECT_EQ(x, 5);

  TCfTextColumn text;
  EXPECT_FALSE(text.IsMultiLine(false));
  EXPECT_TRUE(text.IsMultiLine(true));
  text.SetMultiLine(true);
  EXPECT_TRUE(text.IsMultiLine(false));
  TCfNumberColumn number;
  EXPECT_FALSE(number.IsMultiLine(true));
}

// ---- change notes ---------------------------------------------------------------

TEST(GridColumnNotes, EachPropertySendsItsNote) {
  Fixture f;
  auto* c = f.cols.Add<TCfTextColumn>();
  struct Row { const char* name; std::function<void()> set; int kind; };
  const std::vector<Row> rows = {
      {"InputValue", [&] { c->SetInputValue("x"); }, cnInputValue},
      {"Alignment", [&] { c->SetAlignment(taCenter); }, cnAppearance},
      {"Color", [&] { c->SetColor(0x123456); }, cnAppearance},
      {"Cursor", [&] { c->SetCursor(5); }, cnAppearance},
      {"BiDiMode", [&] { c->SetBiDiMode(bdRightToLeft); }, cnAppearance},
      {"DrawingOptions", [&] { c->SetDrawingOptions(doCustom); }, cnAppearance},
      {"InputCaption", [&] { c->SetInputCaption("in"); }, cnAppearance},
      {"VerticalAlignment", [&] { c->SetVerticalAlignment(taAlignTop); }, cnAppearance},
      {"SlideCaptionLocation", [&] { c->SetSlideCaptionLocation(clLeft); }, cnAppearance},
      {"Header.Caption", [&] { c->Header().SetCaption("Name"); }, cnAppearance},
      {"Footer.FormulaKind", [&] { c->Footer().SetFormulaKind(fkSum); }, cnAppearance},
      {"SlideBounds.Top", [&] { c->SlideBounds().SetTop(3); }, cnSlideBounds},
      {"SortKind", [&] { c->SetSortKind(skDescending); }, cnSortKind},
      {"SortType", [&] { c->SetSortType(stNumeric); }, cnSortKind},
      {"Visible", [&] { c->SetVisible(false); }, cnVisibility},
  };
  for (const Row& r : rows) {
    f.notes.clear();
    r.set();
    ASSERT_EQ(f.notes.size(), 1u) << r.name;
    EXPECT_EQ(f.notes[0].kind, r.kind) << r.name;
    EXPECT_EQ(f.notes[0].column, c) << r.name;
  }
  // Stored-only properties send nothing.
  f.notes.clear();
  c->SetTag(3);
  c->SetStyleClass("x");
  c->SetDefaultValue("d");
  c->Header().SetHint("hint");
  c->SetMaxLength(5);
  EXPECT_TRUE(f.notes.empty());
}

TEST(GridColumnNotes, FontChangeClearsParentFont) {
  Fixture f;
  auto* c = f.cols.Add<TCfTextColumn>();
  EXPECT_EQ(c->Font().Name, "Grid Font") << "the grid's font while ParentFont";
  TFont own;
  own.Name = "Own";
  c->SetFont(own);
  EXPECT_FALSE(c->ParentFont());
  EXPECT_EQ(f.Kinds(), std::vector<int>{cnAppearance});
  c->SetParentFont(true);
  EXPECT_EQ(c->Font().Name, "Grid Font");
}

TEST(GridColumnNotes, ParentFontColumnsFollowALaterGridFont) {
  Fixture f;
  auto* parent = f.cols.Add<TCfTextColumn>();
  auto* own = f.cols.Add<TCfNumberColumn>();
  TFont mine;
  mine.Name = "Own";
  own->SetFont(mine);
  f.grid.font.Name = "Changed Later";
  f.grid.font.Size = 14;
  EXPECT_EQ(parent->Font().Name, "Changed Later");
  EXPECT_EQ(parent->Font().Size, 14);
  EXPECT_EQ(own->Font().Name, "Own") << "a font of its own stays";
  // A copy made now takes the grid's font as it is.
  auto* copy = f.cols.Add<TCfTextColumn>();
  copy->Assign(*parent);
  EXPECT_TRUE(copy->ParentFont());
  EXPECT_EQ(copy->Font().Name, "Changed Later");
}

TEST(GridColumnNotes, SlideBoundsWidthOnlyOnChangeLeftAlways) {
  Fixture f;
  auto* c = f.cols.Add<TCfTextColumn>();
  c->SlideBounds().SetWidth(80);
  c->SlideBounds().SetHeight(16);
  EXPECT_TRUE(f.notes.empty());
  c->SlideBounds().SetLeft(8);
  EXPECT_EQ(f.Kinds(), std::vector<int>{cnSlideBounds});
}

TEST(GridColumnNotes, SortedMovesFromColumnToColumn) {
  Fixture f;
  auto* a = f.cols.Add<TCfTextColumn>();
  auto* b = f.cols.Add<TCfNumberColumn>();
  auto* tree = f.cols.Add<TCfTreeColumn>();
  a->SetSorted(true);
  EXPECT_EQ(f.notes, (std::vector<Note>{{a, 0, cnSortedOn}}));
  f.notes.clear();
  b->SetSorted(true);
  EXPECT_FALSE(a->Sorted());
  EXPECT_TRUE(b->Sorted());
  EXPECT_EQ(f.notes, (std::vector<Note>{{a, 0, cnSortedOff}, {b, 0, cnSortedOn}}));
  f.notes.clear();
  tree->SetSorted(true);  // a tree column cannot be sorted
  EXPECT_FALSE(tree->Sorted());
  EXPECT_TRUE(b->Sorted());
  EXPECT_TRUE(f.notes.empty());
  b->SetSorted(false);
  EXPECT_EQ(f.notes, (std::vector<Note>{{b, 0, cnSortedOff}}));
}

TEST(GridColumnNotes, WidthIsClampedAndSendsTheDifference) {
  Fixture f;
  auto* a = f.cols.Add<TCfTextColumn>();
  auto* b = f.cols.Add<TCfTextColumn>();
  a->SetWidth(3);
  EXPECT_EQ(a->Width(), 8);
  EXPECT_EQ(f.notes, (std::vector<Note>{{a, -72, cnWidth}}));
  EXPECT_EQ(b->Left(), 8) << "re-laid out";
  f.notes.clear();
  a->SetWidth(8);
  EXPECT_TRUE(f.notes.empty());
  a->SetMinWidth(20);
  EXPECT_EQ(a->Width(), 20);
}

TEST(GridColumnNotes, SearchColumnIsOnePerCollection) {
  Fixture f;
  auto* a = f.cols.Add<TCfTextColumn>();
  auto* b = f.cols.Add<TCfTextColumn>();
  a->SetOptions(a->Options() | coSearchColumn);
  b->SetOptions(b->Options() | coSearchColumn);
  EXPECT_FALSE(a->HasOption(coSearchColumn));
  EXPECT_TRUE(b->HasOption(coSearchColumn));
}

// ---- collection ---------------------------------------------------------------

TEST(GridColumns, CreationAndDisplayOrder) {
  Fixture f;
  auto* a = f.cols.Add<TCfTextColumn>();
  auto* b = f.cols.Add<TCfNumberColumn>();
  auto* c = f.cols.Add<TCfCheckBoxColumn>();
  EXPECT_EQ(f.changes, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {0, 2}}));
  EXPECT_EQ(a->Position(), 0);
  EXPECT_EQ(c->Position(), 2);
  EXPECT_EQ(c->Index(), 2);
  EXPECT_EQ(f.cols.Item(1), b);
  EXPECT_THROW(f.cols.Item(3), EListError);
  EXPECT_THROW(f.cols.Item(-1), EListError);

  c->SetPosition(0);  // display order c a b, creation order unchanged
  EXPECT_EQ(f.notes.back(), (Note{c, 2, cnPosition}));
  EXPECT_EQ(f.cols.ItemByPosition(0), c);
  EXPECT_EQ(f.cols.ItemByPosition(1), a);
  EXPECT_EQ(f.cols.ItemByPosition(2), b);
  EXPECT_EQ(a->Position(), 1);
  EXPECT_EQ(b->Position(), 2);
  EXPECT_EQ(f.cols.Item(0), a);
  EXPECT_EQ(c->Left(), 0);
  EXPECT_EQ(a->Left(), 80);
  EXPECT_EQ(b->Left(), 160);
  EXPECT_EQ(f.changes.size(), 3u) << "a display move is no change of the cell slots";

  f.cols.Move(0, 2);  // a b c
  EXPECT_EQ(f.cols.ItemByPosition(2), c);
  EXPECT_EQ(f.notes.back(), (Note{c, 0, cnPosition}));
  EXPECT_THROW(f.cols.Move(0, 3), EListError);
  EXPECT_THROW(a->SetPosition(7), EListError);
}

TEST(GridColumns, LayoutSkipsHiddenColumnsAndSumsFixedOnes) {
  Fixture f;
  auto* a = f.cols.Add<TCfTextColumn>();
  auto* b = f.cols.Add<TCfTextColumn>();
  auto* c = f.cols.Add<TCfTextColumn>();
  a->SetWidth(50);
  b->SetWidth(60);
  c->SetWidth(70);
  b->SetVisible(false);
  EXPECT_EQ(a->VisibleIndex(), 0);
  EXPECT_EQ(b->VisibleIndex(), -1);
  EXPECT_EQ(c->VisibleIndex(), 1);
  EXPECT_EQ(c->Left(), 50);
  EXPECT_EQ(f.cols.VisibleCount(), 2);
  EXPECT_EQ(f.cols.VisibleWidth(), 120);
  f.cols.SetFixedCols(2);
  EXPECT_EQ(f.cols.FixedWidth(), 50) << "hidden columns add nothing";
  f.cols.SetFixedCols(3);
  EXPECT_EQ(f.cols.FixedWidth(), 120);
}

TEST(GridColumns, VisibleEnabledNavigation) {
  Fixture f;
  auto* a = f.cols.Add<TCfTextColumn>();
  auto* b = f.cols.Add<TCfTextColumn>();
  auto* c = f.cols.Add<TCfTextColumn>();
  auto* d = f.cols.Add<TCfTextColumn>();
  a->SetVisible(false);
  c->SetEnabled(false);
  EXPECT_EQ(f.cols.FirstVisibleEnabled(), b);
  EXPECT_EQ(f.cols.LastVisibleEnabled(), d);
  EXPECT_EQ(f.cols.NextVisibleEnabled(b), d);
  EXPECT_EQ(f.cols.PriorVisibleEnabled(d), b);
  EXPECT_EQ(f.cols.PriorVisibleEnabled(b), b) << "the column itself when none";
  EXPECT_EQ(f.cols.NextVisibleEnabled(d), d);
}

TEST(GridColumns, RemoveRaisesTheChangeAndRenumbers) {
  Fixture f;
  f.cols.Add<TCfTextColumn>();
  auto* b = f.cols.Add<TCfTextColumn>();
  auto* c = f.cols.Add<TCfTextColumn>();
  f.changes.clear();
  f.cols.Remove(b);
  EXPECT_EQ(f.changes, (std::vector<std::pair<int, int>>{{1, 1}}));
  EXPECT_EQ(f.cols.Count(), 2);
  EXPECT_EQ(c->Position(), 1);
  EXPECT_EQ(c->Index(), 1);
  EXPECT_EQ(c->Left(), 80);
}

TEST(GridColumns, AutoSizeShareTheSpaceLeft) {
  Fixture f;
  f.grid.width = 600;
  auto* a = f.cols.Add<TCfTextColumn>();
  a->SetWidth(100);
  auto* b = f.cols.Add<TCfTextColumn>();
  b->SetWidth(100);
  auto* c = f.cols.Add<TCfTextColumn>();
  c->SetWidth(300);
  // From b on: space 600 - 100 (b's left edge) less c's fixed 300 goes to b.
  b->SetOptions(b->Options() | coAutoSize);
  EXPECT_EQ(b->Width(), 200);
  EXPECT_EQ(c->Left(), 300);
  // From c on: the 300 pixels right of b are c's.
  c->SetOptions(c->Options() | coAutoSize);
  EXPECT_EQ(c->Width(), 300);
  // Widening a shares the 400 pixels right of it 200 : 300.
  a->SetWidth(200);
  EXPECT_EQ(b->Width(), 160);
  EXPECT_EQ(c->Width(), 240);
  EXPECT_EQ(c->Left(), 360);
  // The indicator takes its 12 pixels: (600 - 12 - 200) shared 160 : 240.
  f.grid.indicator = true;
  f.cols.AutoSize();
  EXPECT_EQ(b->Width(), 155);
  EXPECT_EQ(c->Width(), 233);
  // Nothing while the grid loads.
  f.grid.loading = true;
  f.grid.width = 1000;
  f.cols.AutoSize();
  EXPECT_EQ(b->Width(), 155);
}

TEST(GridColumns, AssignCopiesSharedAndOwnProperties) {
  Fixture f;
  auto* src = f.cols.Add<TCfNumberColumn>();
  auto* dst = f.cols.Add<TCfNumberColumn>();
  src->SetColor(0x00ABCDEF);
  src->SetWidth(123);
  src->SetFormatMask("0.0");
  src->SetIncrement(0.5);
  src->Header().SetCaption("Freq");
  src->Footer().SetCaption("sum");
  src->Footer().SetFormulaKind(fkSum);
  dst->Footer().SetCaption("own");
  dst->Assign(*src);
  EXPECT_EQ(dst->Color(), 0x00ABCDEFu);
  EXPECT_EQ(dst->Width(), 123);
  EXPECT_EQ(dst->FormatMask(), "0.0");
  EXPECT_EQ(dst->Increment(), 0.5);
  EXPECT_EQ(dst->Header().Caption(), "Freq");
  EXPECT_EQ(dst->Footer().FormulaKind(), fkSum);
  EXPECT_EQ(dst->Footer().Caption(), "own") << "a footer keeps its own caption";

  // Every header and footer property, away from its default, is copied.
  src->Header().SetHideArrow(false);
  src->Header().SetMultiLine(true);
  src->Header().SetOrientation(hoVertical);
  src->Header().SetAlignment(taCenter);
  src->Footer().SetFormatMaskKind(mkFloat);
  src->Footer().SetFormatMask("0.00");
  src->Footer().SetTextBefore("Sum: ");
  src->Footer().SetTextAfter(" MHz");
  src->Footer().SetAlignment(taRightJustify);
  dst->Assign(*src);
  EXPECT_FALSE(dst->Header().HideArrow());
  EXPECT_TRUE(dst->Header().MultiLine());
  EXPECT_EQ(dst->Header().Orientation(), hoVertical);
  EXPECT_EQ(dst->Header().Alignment(), taCenter);
  EXPECT_EQ(dst->Footer().FormatMaskKind(), mkFloat);
  EXPECT_EQ(dst->Footer().FormatMask(), "0.00");
  EXPECT_EQ(dst->Footer().TextBefore(), "Sum: ");
  EXPECT_EQ(dst->Footer().TextAfter(), " MHz");
  EXPECT_EQ(dst->Footer().Alignment(), taRightJustify);

  auto* text = f.cols.Add<TCfTextColumn>();
  text->Assign(*src);  // another class: shared properties only
  EXPECT_EQ(text->Width(), 123);
  EXPECT_EQ(text->Alignment(), taRightJustify);
}

}  // namespace
