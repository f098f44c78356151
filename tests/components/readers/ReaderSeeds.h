#pragma once
// Sample inputs for the record-reader checks, made by the kit's own writers
// (valid list files, item blocks, records and forms of every kind, plain and
// compressed) and by hand (the hostile ones: a few run items that claim
// hundreds of megabytes, a cut compressed wave, a cut two-block stream).
// The tests drive the checks over them; the fuzz build writes them out as
// seed corpus.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

using TSeedBytes = std::vector<std::uint8_t>;

// Every sample by target: "strings", "waves", "bitmaps", "images", "forms".
std::map<std::string, std::vector<TSeedBytes>> ReaderSeeds();

// Bitmap files of several depths, as the bitmap writer makes them.
std::vector<TSeedBytes> BitmapFileSeeds();

// A compressed stream of Blocks blocks that decodes to Blocks x 32781 bytes
// of Fill, built from run items (about 840:1).
TSeedBytes RunHeavyStream(int blocks, std::uint8_t fill);
