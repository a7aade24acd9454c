// Feeds arbitrary texts to every conversion a cell or a sort applies to user
// text, and checks that numbers survive their round trip through text.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "grid/CellSort.h"
#include "grid/CellText.h"
#include "grid/FormatFloat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const std::uint8_t op = data[0];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  double value = 0;
  if (size >= 9) std::memcpy(&value, data + 1, sizeof value);
  try {
    switch (op % 9) {
      case 0: celltext::TextToInt(text); break;
      case 1: {
        const double v = celltext::TextToFloat(text);
        if (!std::isfinite(v)) std::abort();
        break;
      }
      case 2: celltext::TextToBool(text); break;
      case 3: {
        auto v = celltext::TryTextToDateTime(text);
        if (v) celltext::DateTimeToText(*v);
        break;
      }
      case 4: celltext::TextToGuid(text); break;
      case 5: cellsort::ParseIp(text); break;
      case 6: FormatFloat(text.substr(8 < text.size() ? 8 : text.size()), value); break;
      case 7:
        if (std::isfinite(value) && celltext::TextToFloat(celltext::FloatToText(value)) != value) std::abort();
        break;
      case 8: {
        celltext::DateTimeToText(value);
        break;
      }
    }
  } catch (const cf::EConvertError&) {
  }
  return 0;
}
