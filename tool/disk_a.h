// Recognition of ZOREN disk A by the system name in its boot sector.
#pragma once

#include "d88/d88_image.h"

namespace d88cut {

// "ZOREN", seven spaces, "Sys", one space: bytes 2..17 of disk A's boot sector.
inline constexpr char systemName[] = "ZOREN       Sys ";
inline constexpr int kSystemNameLength = 16;
inline constexpr int kSystemNameOffset = 2;
// Only the start of the boot sector is read: the name and the byte after it.
inline constexpr int kBootReadLength = 19;

// Reads the boot sector of the current disk into boot (kBootReadLength bytes, zeroed first)
// and answers whether it carries the system name.
bool isDiskA(d88::D88Image& image, unsigned char* boot);

}  // namespace d88cut
