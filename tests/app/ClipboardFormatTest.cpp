// Whether the clipboard holds one of the program's blocks, and whether
// another running copy put it there; two clipboard doubles sharing one store
// stand for two running copies.

#include "app/ClipboardFormat.h"
#include "platform/Clipboard.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Two running copies of the program: "this" one is installed as the
// program's clipboard, the "other" writes into the same clipboard.
struct TwoInstances : ::testing::Test {
  cf::TMemoryClipboard self{0x01020304};
  cf::TMemoryClipboard other{self, -2};
  TwoInstances() { cf::SetClipboard(&self); }
  ~TwoInstances() override { cf::SetClipboard(nullptr); }
};

// A block as the copy commands write it: owner, count, slots.
std::vector<std::uint8_t> Block(std::int32_t owner, std::int32_t count = 1) {
  std::vector<std::uint8_t> b(8 + 256 * std::size_t(count), 0);
  for (int i = 0; i < 4; ++i) {
    b[std::size_t(i)] = std::uint8_t(std::uint32_t(owner) >> (8 * i));
    b[std::size_t(4 + i)] = std::uint8_t(std::uint32_t(count) >> (8 * i));
  }
  return b;
}

}  // namespace

TEST_F(TwoInstances, AppClipboardFormatName) { EXPECT_EQ(std::string(ClipboardFormat), "Kestro software"); }

TEST_F(TwoInstances, AppClipboardEmptyOrForeignContentIsNotOurs) {
  EXPECT_FALSE(ClipboardHasOwnFormat());
  EXPECT_FALSE(ClipboardFromOtherInstance());

  other.SetText("Das Erste HD");
  EXPECT_FALSE(ClipboardHasOwnFormat());
  EXPECT_FALSE(ClipboardFromOtherInstance());

  // Another program's format, and a name that differs only in case.
  for (const char* name : {"image/png", "kestro software", "Kestro Software"}) {
    other.SetBlock(name, Block(-2));
    EXPECT_FALSE(ClipboardHasOwnFormat()) << name;
    EXPECT_FALSE(ClipboardFromOtherInstance()) << name;
  }
}

TEST_F(TwoInstances, AppClipboardOwnBlockIsNotFromAnotherInstance) {
  EXPECT_EQ(OwnerHandle(), 0x01020304);
  self.SetBlock(ClipboardFormat, Block(OwnerHandle(), 3));
  EXPECT_TRUE(ClipboardHasOwnFormat());
  EXPECT_FALSE(ClipboardFromOtherInstance());

  // The other copy sees the same block as someone else's.
  cf::SetClipboard(&other);
  EXPECT_TRUE(ClipboardHasOwnFormat());
  EXPECT_TRUE(ClipboardFromOtherInstance());
}

TEST_F(TwoInstances, AppClipboardBlockOfTheOtherInstance) {
  other.SetBlock(ClipboardFormat, Block(other.OwnerHandle()));
  EXPECT_TRUE(ClipboardHasOwnFormat());
  EXPECT_TRUE(ClipboardFromOtherInstance());

  // A later block of ours replaces it.
  self.SetBlock(ClipboardFormat, Block(OwnerHandle()));
  EXPECT_FALSE(ClipboardFromOtherInstance());
  // Clearing leaves no block at all.
  other.Clear();
  EXPECT_FALSE(ClipboardHasOwnFormat());
  EXPECT_FALSE(ClipboardFromOtherInstance());
}

TEST_F(TwoInstances, AppClipboardOwnerIsTheFirstFourBytesLittleEndian) {
  struct Case {
    std::vector<std::uint8_t> head;  // first bytes of the block
    bool other;
  };
  // This copy's handle 0x01020304 is stored as 04 03 02 01.
  const Case cases[] = {
      {{0x04, 0x03, 0x02, 0x01}, false},
      {{0x01, 0x02, 0x03, 0x04}, true},   // the same bytes big-endian
      {{0x04, 0x03, 0x02, 0x00}, true},   // only the high byte differs
      {{0x05, 0x03, 0x02, 0x01}, true},   // only the low byte differs
      {{0x04, 0x03, 0x02, 0x01, 0xFF}, false},  // what follows the owner does not count
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> block = c.head;
    block.resize(std::max<std::size_t>(block.size(), 8), 0);
    other.SetBlock(ClipboardFormat, block);
    EXPECT_EQ(ClipboardFromOtherInstance(), c.other) << int(c.head[0]) << " " << int(c.head[3]);
  }
}

TEST_F(TwoInstances, AppClipboardNegativeOwnerHandle) {
  // The other copy's handle -2 is FE FF FF FF; as seen from that copy the block is its own.
  other.SetBlock(ClipboardFormat, {0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0});
  EXPECT_TRUE(ClipboardFromOtherInstance());
  cf::SetClipboard(&other);
  EXPECT_FALSE(ClipboardFromOtherInstance());
}

TEST_F(TwoInstances, AppClipboardBlockTooShortForAnOwner) {
  // Nothing is read past the block's end; such a block is not this copy's.
  for (std::size_t n = 0; n < 4; ++n) {
    other.SetBlock(ClipboardFormat, std::vector<std::uint8_t>(n, 0x04));
    EXPECT_TRUE(ClipboardHasOwnFormat()) << n;
    EXPECT_TRUE(ClipboardFromOtherInstance()) << n;
  }
}
