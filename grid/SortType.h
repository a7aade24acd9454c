#pragma once
#include <cstdint>

// How a column's cells compare when the grid sorts by it.
enum TSortType : std::uint8_t {
  stAlphabetic,       // AsString, code unit by code unit
  stBoolean,          // AsBoolean, False first
  stCaseInsensitive,  // AsString with ASCII letters lower-cased
  stCustom,           // the grid's compare handler
  stNumeric,          // AsFloat
  stDate,             // AsDateTime
  stIP,               // AsString read as a dotted address (greater first)
};

enum TSortKind : std::uint8_t { skAscending, skDescending };
