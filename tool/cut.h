// Cutting the files of disk A out of the current disk into the current directory.
#pragma once

#include "d88/d88_image.h"

namespace d88cut {

struct CutEntry {
    char name[256];
    int track;   // track index where the file starts
    int sector;  // sector number R where the file starts
    int size;    // bytes to write
};

// The files of disk A, in the order they are cut; the row whose sector is 0 ends the table.
inline constexpr CutEntry cutTable[] = {
    {"OP", 1, 1, 0x8800},
    {"MAIN", 24, 2, 0x800},
    {"SUB", 59, 1, 0x1500},
    {"ED", 74, 12, 0x3F00},
    {"", 0, 0, 0},
};

inline constexpr int kCutBufferLength = 0x50000;

enum class CutResult { nothingRead, written, writeFailed };

// Reads skip + length bytes of consecutive sectors from (c, h, r, n) of track, and writes
// the length bytes after the first skip to the file name, whole or not at all.
CutResult cutFile(d88::D88Image& image, const char* name, int track, int c, int h, int r, int n,
                  int skip, int length);

// If the current disk is disk A, announces it and cuts every file of the table.
// Answers false when a file that was read could not be written.
bool cutIfDiskA(d88::D88Image& image);

// Selects every catalogued disk in file order and cuts it if it is disk A. Answers false
// when a file could not be written; the walk goes on to the end all the same.
bool cutAllDisks(d88::D88Image& image);

}  // namespace d88cut
