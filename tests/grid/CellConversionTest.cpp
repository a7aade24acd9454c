// Every cell class against the conversion rules: one table of
// (cell kind, setter, input, getter, expected value or error).

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <limits>
#include <regex>
#include <string>
#include <vector>

#include "GridFixture.h"

namespace {

enum class Set { None, Bool, DateTime, Float, Int, String, Clear };
enum class Get { None, Bool, DateTime, Float, Int, String };

const char* const kError = "!error";

struct Case {
  std::uint8_t kind;  // 0 increment, 1 Boolean, 3 date-time, 4 float, 6 GUID, 7 integer, 8 string, 11 virtual
  Set set;
  const char* input;
  Get get;
  const char* expected;  // kError: the setter (Get::None) or the getter raises
};

// Dates: 1899-12-30 is 0, 1900-01-01 is 2, 2020-01-01 is 43831.
const Case kCases[] = {
    // TBooleanCell
    {1, Set::None, "", Get::Bool, "False"},
    {1, Set::None, "", Get::String, "False"},
    {1, Set::Bool, "1", Get::Bool, "True"},
    {1, Set::Bool, "1", Get::String, "True"},
    {1, Set::Bool, "1", Get::Float, "1"},
    {1, Set::Bool, "1", Get::Int, "1"},
    {1, Set::Bool, "1", Get::DateTime, "0"},
    {1, Set::Bool, "0", Get::Float, "0"},
    {1, Set::DateTime, "5.5", Get::Bool, "False"},
    {1, Set::Float, "0.5", Get::Bool, "True"},
    {1, Set::Float, "0", Get::Bool, "False"},
    {1, Set::Int, "-3", Get::Bool, "True"},
    {1, Set::Int, "0", Get::Bool, "False"},
    {1, Set::String, "TRUE", Get::Bool, "True"},
    {1, Set::String, "tRuE", Get::Bool, "True"},
    {1, Set::String, "1", Get::Bool, "True"},
    {1, Set::String, "yes", Get::Bool, "False"},
    {1, Set::String, "2", Get::Bool, "False"},
    {1, Set::String, "", Get::Bool, "False"},
    {1, Set::Clear, "", Get::Bool, "False"},

    // TDateTimeCell
    {3, Set::DateTime, "43831.75", Get::DateTime, "43831.75"},
    {3, Set::DateTime, "43831.75", Get::Float, "43831.75"},
    {3, Set::DateTime, "43831.75", Get::Int, "43831"},
    {3, Set::DateTime, "43831.75", Get::Bool, "False"},
    {3, Set::DateTime, "43831.75", Get::String, "2020-01-01 18:00:00"},
    {3, Set::DateTime, "43831", Get::String, "2020-01-01"},
    {3, Set::DateTime, "-1.5", Get::Int, "-1"},
    {3, Set::DateTime, "-1.5", Get::String, "1899-12-29 12:00:00"},
    {3, Set::DateTime, "0", Get::String, "1899-12-30"},
    {3, Set::Float, "2.25", Get::String, "1900-01-01 06:00:00"},
    {3, Set::Int, "2", Get::DateTime, "2"},
    {3, Set::String, "2020-01-01", Get::DateTime, "43831"},
    {3, Set::String, "2020-01-01 18:00", Get::DateTime, "43831.75"},
    {3, Set::String, "12:00", Get::DateTime, "0.5"},
    {3, Set::String, "", Get::DateTime, "0"},
    {3, Set::String, "garbage", Get::DateTime, "0"},
    {3, Set::String, "2020-02-30", Get::DateTime, "0"},
    {3, Set::DateTime, "3000000000.5", Get::Int, kError},  // beyond the 32-bit range
    {3, Set::DateTime, "3000000000.5", Get::String, kError},
    {3, Set::Clear, "", Get::DateTime, "0"},

    // TFloatCell
    {4, Set::Float, "2.5", Get::Int, "2"},
    {4, Set::Float, "3.5", Get::Int, "4"},
    {4, Set::Float, "-2.5", Get::Int, "-2"},
    {4, Set::Float, "2.6", Get::Int, "3"},
    {4, Set::Float, "2147483647.4", Get::Int, "2147483647"},
    {4, Set::Float, "2147483647.6", Get::Int, kError},
    {4, Set::Float, "-2147483648.4", Get::Int, "-2147483648"},
    {4, Set::Float, "1e20", Get::Int, kError},
    {4, Set::Float, "nan", Get::Int, kError},
    {4, Set::Float, "1.5", Get::String, "1.5"},
    {4, Set::Float, "1.5", Get::Bool, "False"},
    {4, Set::Float, "1.5", Get::DateTime, "1.5"},
    {4, Set::Float, "0.1", Get::String, "0.1"},
    {4, Set::Float, "-0.5", Get::String, "-0.5"},
    {4, Set::Float, "0.0001", Get::String, "0.0001"},
    {4, Set::Float, "0.00001", Get::String, "1E-5"},
    {4, Set::Float, "123456789012345", Get::String, "123456789012345"},
    {4, Set::Float, "1e15", Get::String, "1E15"},
    {4, Set::Float, "1e20", Get::String, "1E20"},
    {4, Set::Bool, "1", Get::Float, "0"},
    {4, Set::DateTime, "4.5", Get::Float, "4.5"},
    {4, Set::Int, "7", Get::Float, "7"},
    {4, Set::String, "3.25", Get::Float, "3.25"},
    {4, Set::String, " 2.5 ", Get::Float, "2.5"},
    {4, Set::String, "1e3", Get::Float, "1000"},
    {4, Set::String, "-.5", Get::Float, "-0.5"},
    {4, Set::String, "abc", Get::None, kError},
    {4, Set::String, "", Get::None, kError},
    {4, Set::String, "inf", Get::None, kError},
    {4, Set::String, "1e999", Get::None, kError},
    {4, Set::String, "1,5", Get::None, kError},
    {4, Set::Clear, "", Get::Float, "0"},

    // TIntegerCell
    {7, Set::Int, "5", Get::Bool, "True"},
    {7, Set::Int, "0", Get::Bool, "False"},
    {7, Set::Int, "-5", Get::Bool, "False"},
    {7, Set::Int, "5", Get::Float, "5"},
    {7, Set::Int, "5", Get::DateTime, "0"},
    {7, Set::Int, "-5", Get::String, "-5"},
    {7, Set::Bool, "1", Get::Int, "1"},
    {7, Set::Bool, "0", Get::Int, "0"},
    {7, Set::DateTime, "5", Get::Int, "0"},
    {7, Set::Float, "2.5", Get::Int, "2"},
    {7, Set::Float, "3.5", Get::Int, "4"},
    {7, Set::Float, "1e10", Get::None, kError},
    {7, Set::Float, "nan", Get::None, kError},
    {7, Set::String, "", Get::Int, "0"},
    {7, Set::String, "12", Get::Int, "12"},
    {7, Set::String, "-7", Get::Int, "-7"},
    {7, Set::String, "-2147483648", Get::Int, "-2147483648"},
    {7, Set::String, "12a", Get::None, kError},
    {7, Set::String, "1.5", Get::None, kError},
    {7, Set::String, "2147483648", Get::None, kError},
    {7, Set::Clear, "", Get::Int, "0"},

    // TStringCell
    {8, Set::String, "True", Get::Bool, "True"},
    {8, Set::String, "false", Get::Bool, "False"},
    {8, Set::String, "0", Get::Bool, "False"},
    {8, Set::String, "2.5", Get::Bool, "True"},
    {8, Set::String, "yes", Get::Bool, kError},
    {8, Set::String, "", Get::Bool, kError},
    {8, Set::String, "", Get::DateTime, "0"},
    {8, Set::String, "", Get::Int, kError},
    {8, Set::String, "", Get::Float, kError},
    {8, Set::String, "2020-01-01", Get::DateTime, "43831"},
    {8, Set::String, "abc", Get::DateTime, kError},
    {8, Set::String, "42", Get::Int, "42"},
    {8, Set::String, "42", Get::Float, "42"},
    {8, Set::String, "4.2", Get::Int, kError},
    {8, Set::String, "4.2", Get::Float, "4.2"},
    {8, Set::Bool, "1", Get::String, "True"},
    {8, Set::Bool, "0", Get::String, "False"},
    {8, Set::Int, "12", Get::String, "12"},
    {8, Set::Float, "2.5", Get::String, "2.5"},
    {8, Set::DateTime, "43831.5", Get::String, "2020-01-01 12:00:00"},
    {8, Set::Clear, "", Get::String, ""},

    // TIncrementCell of row 4
    {0, Set::None, "", Get::Int, "5"},
    {0, Set::None, "", Get::String, "5"},
    {0, Set::None, "", Get::Float, "5"},
    {0, Set::None, "", Get::Bool, "False"},
    {0, Set::None, "", Get::DateTime, "0"},
    {0, Set::Int, "99", Get::Int, "5"},
    {0, Set::String, "x", Get::String, "5"},

    // TGuidCell
    {6, Set::String, "{12345678-9ABC-DEF0-1234-56789ABCDEF0}", Get::String, "{12345678-9ABC-DEF0-1234-56789ABCDEF0}"},
    {6, Set::String, "{12345678-9abc-def0-1234-56789abcdef0}", Get::String, "{12345678-9ABC-DEF0-1234-56789ABCDEF0}"},
    {6, Set::String, "12345678-9ABC-DEF0-1234-56789ABCDEF0", Get::None, kError},
    {6, Set::String, "{12345678-9ABC-DEF0-1234-56789ABCDEFG}", Get::None, kError},
    {6, Set::Bool, "1", Get::None, kError},
    {6, Set::Int, "5", Get::None, kError},
    {6, Set::None, "", Get::Bool, kError},
    {6, Set::None, "", Get::Int, kError},
    {6, Set::None, "", Get::Float, kError},

    // TVirtualCell: its column keeps the text
    {11, Set::None, "", Get::String, ""},
    {11, Set::String, "7", Get::Int, "7"},
    {11, Set::String, "7", Get::String, "7"},
    {11, Set::Int, "12", Get::String, "12"},
    {11, Set::Bool, "1", Get::String, "True"},
    {11, Set::String, "True", Get::Bool, "True"},
    {11, Set::String, "x", Get::Float, kError},
};

std::string KindName(std::uint8_t kind) { return "kind " + std::to_string(kind); }

void PrintTo(const Case& c, std::ostream* os) {
  static const char* const kSet[] = {"None", "Bool", "DateTime", "Float", "Int", "String", "Clear"};
  static const char* const kGet[] = {"None", "Bool", "DateTime", "Float", "Int", "String"};
  const bool err = std::string(c.expected) == kError;
  *os << "kind" << int(c.kind) << "_Set" << kSet[int(c.set)] << "(" << c.input << ")_As" << kGet[int(c.get)] << "="
      << (err ? "ERROR" : c.expected);
}

class GridCellConversion : public ::testing::TestWithParam<Case> {};

TEST_P(GridCellConversion, FollowsTheConversionRules) {
  const Case& c = GetParam();
  GridFixture g;
  if (c.kind == 11)
    g.AddColumn<TVirtualTextColumn>();
  else
    g.AddKind(c.kind);
  g.Cells.AddRows(5);
  TCellRef cell = g.Cells.GetCell(0, 4);
  const std::string in = c.input;
  const bool expectError = std::string(c.expected) == kError;

  auto doSet = [&] {
    switch (c.set) {
      case Set::None: break;
      case Set::Bool: cell.SetAsBoolean(in == "1"); break;
      case Set::DateTime: cell.SetAsDateTime(std::stod(in)); break;
      case Set::Float: cell.SetAsFloat(in == "nan" ? std::numeric_limits<double>::quiet_NaN() : std::stod(in)); break;
      case Set::Int: cell.SetAsInteger(std::stoi(in)); break;
      case Set::String: cell.SetAsString(in); break;
      case Set::Clear: cell.SetAsInteger(1); cell.Clear(); break;
    }
  };
  if (c.get == Get::None) {
    ASSERT_TRUE(expectError);
    EXPECT_THROW(doSet(), EConvertError) << KindName(c.kind) << " input " << in;
    return;
  }
  doSet();
  const std::string exp = c.expected;
  SCOPED_TRACE(KindName(c.kind) + " input '" + in + "' expected '" + exp + "'");
  switch (c.get) {
    case Get::None: break;
    case Get::Bool:
      if (expectError) EXPECT_THROW(cell.AsBoolean(), EConvertError);
      else EXPECT_EQ(cell.AsBoolean(), exp == "True");
      break;
    case Get::DateTime:
      if (expectError) EXPECT_THROW(cell.AsDateTime(), EConvertError);
      else EXPECT_DOUBLE_EQ(cell.AsDateTime(), std::stod(exp));
      break;
    case Get::Float:
      if (expectError) EXPECT_THROW(cell.AsFloat(), EConvertError);
      else EXPECT_DOUBLE_EQ(cell.AsFloat(), std::stod(exp));
      break;
    case Get::Int:
      if (expectError) EXPECT_THROW(cell.AsInteger(), EConvertError);
      else EXPECT_EQ(cell.AsInteger(), std::stoi(exp));
      break;
    case Get::String:
      if (expectError) EXPECT_THROW(cell.AsString(), EConvertError);
      else EXPECT_EQ(cell.AsString(), exp);
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, GridCellConversion, ::testing::ValuesIn(kCases));

// A setter that raises leaves the value as it stood.
TEST(GridCellConversionFailure, BadTextLeavesTheValue) {
  GridFixture g;
  g.AddKind(4);
  g.AddKind(7);
  g.AddKind(6);
  g.Cells.AddRows(1);
  g.Cells.GetCell(0, 0).SetAsFloat(1.25);
  g.Cells.GetCell(1, 0).SetAsInteger(9);
  const std::string guid = g.Cells.GetCell(2, 0).AsString();
  g.Cells.Sort(0, stNumeric, false, false);

  EXPECT_THROW(g.Cells.GetCell(0, 0).SetAsString("x"), EConvertError);
  EXPECT_THROW(g.Cells.GetCell(1, 0).SetAsString("12a"), EConvertError);
  EXPECT_THROW(g.Cells.GetCell(1, 0).SetAsFloat(1e12), EConvertError);
  EXPECT_THROW(g.Cells.GetCell(2, 0).SetAsString("{bad}"), EConvertError);

  EXPECT_DOUBLE_EQ(g.Cells.GetCell(0, 0).AsFloat(), 1.25);
  EXPECT_EQ(g.Cells.GetCell(1, 0).AsInteger(), 9);
  EXPECT_EQ(g.Cells.GetCell(2, 0).AsString(), guid);
  EXPECT_TRUE(g.Cells.IsSorted()) << "a refused value is no change";
}

TEST(GridCellConversionFailure, NewGuidCellsHoldDistinctBracedGuids) {
  GridFixture g;
  g.AddKind(6);
  g.Cells.AddRows(2);
  const std::string a = g.Cells.GetCell(0, 0).AsString();
  const std::string b = g.Cells.GetCell(0, 1).AsString();
  EXPECT_TRUE(std::regex_match(a, std::regex(R"(\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\})"))) << a;
  EXPECT_NE(a, b);
}

TEST(GridCellConversionFailure, DateTimeCellSetAsBooleanStoresToday) {
  GridFixture g;
  g.AddKind(3);
  g.Cells.AddRows(1);
  const double before = celltext::Today();
  g.Cells.GetCell(0, 0).SetAsBoolean(false);
  const double after = celltext::Today();
  const double v = g.Cells.GetCell(0, 0).AsDateTime();
  EXPECT_TRUE(v == before || v == after) << v;
  EXPECT_EQ(v, std::floor(v)) << "a date without a time";
  EXPECT_GT(v, 43831) << "after 2020-01-01";
}

TEST(GridCellConversionFailure, VirtualCellHandsTextToItsColumnByPosition) {
  GridFixture g;
  g.AddKind(8);
  auto* col = g.AddColumn<TVirtualTextColumn>();
  g.Cells.AddRows(3);
  g.Cells.GetCell(1, 2).SetAsString("abc");
  ASSERT_EQ(col->Texts.size(), 1u);
  EXPECT_EQ(col->Texts.begin()->first, std::make_pair(1, 2));
  EXPECT_EQ(g.Cells.GetCell(1, 2).AsString(), "abc");
  EXPECT_EQ(g.Cells.GetCell(1, 1).AsString(), "");
}

}  // namespace

namespace {

// A float cell's text reads back as the same number.
TEST(GridCellConversionFailure, FloatTextReadsBackExactly) {
  std::mt19937_64 rng(99);
  for (int i = 0; i < 20000; ++i) {
    std::uint64_t bits = rng();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    if (!std::isfinite(v)) continue;
    ASSERT_EQ(celltext::TextToFloat(celltext::FloatToText(v)), v) << celltext::FloatToText(v);
  }
}

}  // namespace
