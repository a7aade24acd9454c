// Number formatting by mask, as the number columns paint their values.

#include <gtest/gtest.h>

#include "grid/FormatFloat.h"

namespace {

struct MaskCase {
  const char* mask;
  double value;
  const char* expected;
};

const MaskCase kMasks[] = {
    {"0.00", 1.5, "1.50"},
    {"0.00", -1.5, "-1.50"},
    {"0.00", 2.345, "2.35"},
    {"0.00", 0, "0.00"},
    {"0.##", 1, "1"},
    {"0.##", 1.5, "1.5"},
    {"0.##", 1.256, "1.26"},
    {"#.##", 0.5, ".5"},
    {"#", 0, ""},
    {"000", 7, "007"},
    {"0", 2.5, "3"},  // halves round away from zero
    {"0", -2.5, "-3"},
    {"0.00", 1.005, "1.01"},  // as the number reads, not its binary neighbour
    {"0.0", 9.96, "10.0"},
    {"#,##0", 999.5, "1,000"},
    {"0.000", 1e-7, "0.000"},
    {"0", 1e20, "100000000000000000000"},
    {"#,##0", 1234567, "1,234,567"},
    {"#,##0.00", -1234.5, "-1,234.50"},
    {"0.0 'dB'", 3, "3.0 dB"},
    {"\"~\"0", 4, "~4"},
    {"0.0;(0.0)", -2, "(2.0)"},
    {"0.0;(0.0);'zero'", 0, "zero"},
    {"0.0;;'zero'", -1, "-1.0"},
    {"0.00", -0.001, "0.00"},
    {"", 1.5, "1.5"},
    {"'abc'", 12, "abc"},
};

void PrintTo(const MaskCase& c, std::ostream* os) { *os << c.mask << " of " << c.value; }

class GridFormatFloatMask : public ::testing::TestWithParam<MaskCase> {};

TEST_P(GridFormatFloatMask, Formats) {
  const MaskCase& c = GetParam();
  EXPECT_EQ(FormatFloat(c.mask, c.value), c.expected) << c.mask << " " << c.value;
}

INSTANTIATE_TEST_SUITE_P(Table, GridFormatFloatMask, ::testing::ValuesIn(kMasks));

}  // namespace
