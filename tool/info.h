// d88info's report: what the disks of an image are, and which of them is disk A.
#pragma once

#include "d88/d88_image.h"

namespace d88cut {

// Prints one line per catalogued disk and a closing summary to standard output; with
// tracks, also one line per readable track with the IDs of its records. The report
// depends only on the image's bytes.
void printImageReport(d88::D88Image& image, bool tracks);

}  // namespace d88cut
