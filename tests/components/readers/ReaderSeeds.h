#pragma once
// Sample inputs for the record-reader checks, made by the kit's own writers
// (valid list files, item blocks, records and forms of every kind, plain and
// compressed) and by hand (the hostile ones: a few run items that claim
// hundreds of megabytes, a cut compressed wave, a cut two-block stream).
// The tests drive the checks over them; the fuzz build writes them out as
// seed corpus.

#include "components/codec/kitlistfile.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>
#include "tests/components/data/DataTestSupport.h"

using TSeedBytes = std::vector<std::uint8_t>;

// Every sample by target: "strings", "waves", "bitmaps", "images", "forms".
std::map<std::string, std::vector<TSeedBytes>> ReaderSeeds();

// Bitmap files of several depths, as the bitmap writer makes them.
std::vector<TSeedBytes> BitmapFileSeeds();

// A compressed stream of Blocks blocks that decodes to Blocks x 32781 bytes
// of Fill, built from run items (about 840:1).
TSeedBytes RunHeavyStream(int blocks, std::uint8_t fill);

// A data block of Payload as the kit writes one, plain (length in front) or
// compressed.
TSeedBytes DataBlock(const TSeedBytes& payload, bool compressed);

// A list file of Kind holding Records (each a whole item record), made by
// the kit's list-file writer.
TSeedBytes ListFileOf(TKitListKind kind, const std::vector<TSeedBytes>& records);

// A string list file of Count items, each a compressed block of Blocks
// run-heavy blocks of Fill: Count x Blocks x 32781 bytes from about 43
// bytes per block.
TSeedBytes RunHeavyStringListFile(int count, int blocks, std::uint8_t fill);

// A bitmap file of Width x Height 8-bit pixels, run-length encoded, whose
// data is only the end-of-bitmap marker: about a kilobyte for up to 256 MiB
// of rows.
TSeedBytes EndMarkerBitmapFile(int width, int height);
// Hostile forms of run-length bitmaps that only their end marker fills.
// Ten bitmap lists of 11 KB in all, each holding one item whose record is a
// bitmap of 121 MiB of rows: each list's own limit allows one, the form's
// one budget one for the whole form.
TSeedBytes TenLargeListsForm();
// One list of six items, 6 KB, each holding a bitmap of 256 MiB of rows
// through its published Bitmap ("Bitmap.Data"): the budget refuses the
// first.
TSeedBytes BitmapDataItemsForm();
// A bitmap item record (plain) holding Bitmap.
TSeedBytes BitmapRecord(const TSeedBytes& bitmap);
