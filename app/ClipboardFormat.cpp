#include "app/ClipboardFormat.h"

#include "platform/Clipboard.h"

std::int32_t OwnerHandle() { return cf::Clipboard().OwnerHandle(); }

bool ClipboardHasOwnFormat() { return cf::Clipboard().HasFormat(ClipboardFormat); }

bool ClipboardFromOtherInstance() {
  const auto block = cf::Clipboard().GetBlock(ClipboardFormat);
  if (!block) return false;
  if (block->size() < 4) return true;
  const auto& b = *block;
  const auto owner = static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
                     static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
  return owner != static_cast<std::uint32_t>(OwnerHandle());
}
