#pragma once

// The program's private clipboard format and the test whether the block on
// the clipboard came from another running copy of the program. A block
// begins with its writer's owner id (signed 32-bit, little-endian); a paste
// from another copy must match transponders by key instead of trusting the
// writer's array indexes.

#include <cstdint>

// Name under which the program's blocks travel on the clipboard.
inline constexpr const char* ClipboardFormat = "Kestro software";

// Id of this running copy, written as owner into every block.
std::int32_t OwnerHandle();

// The clipboard holds a block in the program's private format.
bool ClipboardHasOwnFormat();
// False when the clipboard holds no block of the private format; else true
// unless the block's first 4 bytes are this copy's OwnerHandle. A block too
// short to hold an owner cannot be this copy's (it always writes one).
bool ClipboardFromOtherInstance();
