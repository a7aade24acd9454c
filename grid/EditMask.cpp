#include "grid/EditMask.h"

#include <cctype>

namespace {
bool IsPlaceholder(char c) {
  switch (c) {
    case '0': case '9': case '#': case 'L': case 'l': case 'A': case 'a': case 'C': case 'c':
      return true;
    default:
      return false;
  }
}
}  // namespace

std::string FormatMaskText(std::string_view mask, std::string_view text) {
  char blank = '_';
  // The fields after the last two ";" are the save-literals flag and the blank.
  std::string_view body = mask;
  if (auto last = mask.rfind(';'); last != std::string_view::npos && last > 0) {
    if (auto prev = mask.rfind(';', last - 1); prev != std::string_view::npos) {
      if (last + 1 < mask.size()) blank = mask[last + 1];
      body = mask.substr(0, prev);
    }
  }
  std::string out;
  size_t t = 0;
  int caseMode = 0;  // 1 upper, -1 lower
  for (size_t i = 0; i < body.size(); ++i) {
    const char m = body[i];
    if (m == '\\' && i + 1 < body.size()) {
      out += body[++i];
      continue;
    }
    if (m == '<' && i + 1 < body.size() && body[i + 1] == '>') {
      caseMode = 0;
      ++i;
      continue;
    }
    if (m == '>') { caseMode = 1; continue; }
    if (m == '<') { caseMode = -1; continue; }
    if (m == '!') continue;
    if (!IsPlaceholder(m)) {
      out += m;
      continue;
    }
    if (t < text.size()) {
      char ch = text[t++];
      if (caseMode > 0) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
      if (caseMode < 0) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
      out += ch;
    } else {
      out += blank;
    }
  }
  return out;
}
