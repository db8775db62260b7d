#pragma once

// The virtual key of an X keysym: what a key is called on the desktop the program's macros
// came from. 0 for keys without one.

namespace tap {

int VirtualKeyOfKeysym(unsigned long keysym);

}  // namespace tap
