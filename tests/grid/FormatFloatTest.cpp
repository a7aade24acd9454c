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
    // Exponent masks: as many significant digits as placeholders.
    {"0.00E+00", 12345, "1.23E+04"},
    {"0.00E+00", -12345, "-1.23E+04"},
    {"0.00E+00", 0.00012345, "1.23E-04"},
    {"0.00E-00", 12345, "1.23E04"},  // "-": the sign only when negative
    {"0.00E-00", 0.00012345, "1.23E-04"},
    {"0.00e+00", 12345, "1.23e+04"},
    {"00.0E+0", 12345, "12.3E+3"},  // two integer places take one power of ten
    {"0.0E+00", 9.96, "1.0E+01"},   // rounding up moves the exponent
    {"0.00E+00", 1.005, "1.01E+00"},
    {"0.##E+00", 10000, "1E+04"},
    {"0.0E+000", 2.5e-7, "2.5E-007"},
    {"0E+0", 0, "0E+0"},
    {"0.0 Euro", 2, "2.0 Euro"},  // an E without a sign is text
};

void PrintTo(const MaskCase& c, std::ostream* os) { *os << c.mask << " of " << c.value; }

class GridFormatFloatMask : public ::testing::TestWithParam<MaskCase> {};

TEST_P(GridFormatFloatMask, Formats) {
  const MaskCase& c = GetParam();
  EXPECT_EQ(FormatFloat(c.mask, c.value), c.expected) << c.mask << " " << c.value;
}

INSTANTIATE_TEST_SUITE_P(Table, GridFormatFloatMask, ::testing::ValuesIn(kMasks));

}  // namespace
