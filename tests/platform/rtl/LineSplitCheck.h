#pragma once
// Compares the line splitter with a plain whole-input reading of the rules.

#include "platform/rtl/TextLineSplitter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The lines of data by the rules, read the simplest way: find the logical
// end first, then cut at the line ends.
std::vector<std::string> ReferenceLines(const std::string& data, TTextLineRules rules);

// Runs the splitter over input and compares it with ReferenceLines. The first
// input bytes choose the rules (with the size of the block that decides the
// line ends), the buffer size and the source's chunk sizes;
// the rest is the text. Returns an empty string on agreement, else what differs.
std::string LineSplitMismatch(const std::uint8_t* input, std::size_t size);
