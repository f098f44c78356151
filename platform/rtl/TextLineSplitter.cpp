// The line rules of text files.

#include "platform/rtl/TextLineSplitter.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

std::size_t ReadUpTo(TByteSource& source, char* buffer, std::size_t count) {
    std::size_t got = 0;
    while (got < count) {
        const std::size_t n = source.ReadSome(buffer + got, count - got);
        if (n == 0)
            break;
        got += n;
    }
    return got;
}

namespace {

constexpr char CtrlZ = 26;

// Data that a Ctrl-Z run turned out to be, handed out from here: the bytes of
// a run that spans reads are gone by the time its end is seen.
constexpr std::array<char, 4096> CtrlZBytes = [] {
    std::array<char, 4096> bytes{};
    bytes.fill(CtrlZ);
    return bytes;
}();

constexpr char LoneCr[] = "\r";

std::size_t TrailingCtrlZ(const char* begin, const char* end) {
    const char* p = end;
    while (p != begin && p[-1] == CtrlZ) {
        --p;
    }
    return static_cast<std::size_t>(end - p);
}

#if defined(__SSE2__)
int Mask(__m128i bytes, char value) {
    return _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(value)));
}

__m128i Load(const char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// The sum of the 16 byte counters.
std::size_t Sum(__m128i counters) {
    const __m128i halves = _mm_sad_epu8(counters, _mm_setzero_si128());
    return static_cast<std::size_t>(_mm_cvtsi128_si32(halves)) +
           static_cast<std::size_t>(_mm_cvtsi128_si32(_mm_srli_si128(halves, 8)));
}

// Counts CRs, LFs (when they end lines) and CR LF pairs 16 bytes a step, in
// byte counters (a match is -1, so subtracting it counts it) that are added
// up before they can overflow. Each step also looks at the byte after its 16.
// Returns where it stopped: fewer than 17 bytes before end.
template <bool LfEndsLine>
const char* CountWide(const char* p, const char* end, std::size_t& crs, std::size_t& lfs,
                      std::size_t& pairs) {
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (end - p >= 17) {
        const std::size_t steps =
            std::min<std::size_t>(static_cast<std::size_t>(end - p - 1) / 16, 255);
        __m128i crCount = _mm_setzero_si128();
        __m128i lfCount = _mm_setzero_si128();
        __m128i pairCount = _mm_setzero_si128();
        for (std::size_t step = 0; step < steps; ++step, p += 16) {
            const __m128i bytes = Load(p);
            const __m128i isCr = _mm_cmpeq_epi8(bytes, cr);
            crCount = _mm_sub_epi8(crCount, isCr);
            pairCount =
                _mm_sub_epi8(pairCount, _mm_and_si128(isCr, _mm_cmpeq_epi8(Load(p + 1), lf)));
            if constexpr (LfEndsLine) {
                lfCount = _mm_sub_epi8(lfCount, _mm_cmpeq_epi8(bytes, lf));
            }
        }
        crs += Sum(crCount);
        lfs += Sum(lfCount);
        pairs += Sum(pairCount);
    }
    return p;
}
#endif

} // namespace

// ---------------------------------------------------------------------------

TLineBlockReader::TLineBlockReader(TByteSource& source, TTextLineRules rules,
                                   std::size_t bufferSize)
    : FSource(source), FRules(rules) {
    // Two bytes at least: a carried CR takes one.
    std::size_t size = std::max<std::size_t>(bufferSize, 2);
    if (FRules.LfEndsLineWithoutCr) {
        FRules.FirstBlockSize = std::max<std::size_t>(FRules.FirstBlockSize, 1);
        size = std::max(size, FRules.FirstBlockSize);
    }
    FBuffer.resize(size);
}

std::string_view TLineBlockReader::Next() {
    for (;;) {
        if (FCtrlZBefore > 0) {
            const std::size_t count = std::min(FCtrlZBefore, CtrlZBytes.size());
            FCtrlZBefore -= count;
            return {CtrlZBytes.data(), count};
        }
        if (!FWaiting.empty()) {
            return std::exchange(FWaiting, {});
        }
        if (FSourceDone) {
            FCtrlZAfter = 0; // it reached the end: not data
            if (FHeldCr) {
                FHeldCr = false;
                return {LoneCr, 1};
            }
            return {};
        }
        Fill();
    }
}

std::size_t TLineBlockReader::ReadFirst() {
    // The block that decides the line ends must be whole, however the source
    // hands it out.
    do {
        const std::size_t count =
            FSource.ReadSome(FBuffer.data() + FFirstFilled, FBuffer.size() - FFirstFilled);
        if (count == 0) {
            FSourceDone = true;
            break;
        }
        FFirstFilled += count;
    } while (FRules.LfEndsLineWithoutCr && FFirstFilled < FRules.FirstBlockSize);
    if (FRules.LfEndsLineWithoutCr) {
        const std::size_t sniffed = std::min(FFirstFilled, FRules.FirstBlockSize);
        FRules.LfEndsLine = std::memchr(FBuffer.data(), '\r', sniffed) == nullptr;
    }
    FFirst = false;
    return FFirstFilled;
}

void TLineBlockReader::Fill() {
    char* const buffer = FBuffer.data();
    std::size_t total = 0;
    if (FFirst) {
        total = ReadFirst();
    } else {
        const std::size_t start = FHeldCr ? 1 : 0;
        buffer[0] = '\r'; // harmless when nothing is carried
        const std::size_t count = FSource.ReadSome(buffer + start, FBuffer.size() - start);
        if (count == 0) {
            FSourceDone = true;
            return; // a carried CR is handed out by Next
        }
        FHeldCr = false;
        total = start + count;
    }
    if (total == 0) {
        return;
    }

    std::size_t end = total;
    if (!FRules.CtrlZEndsOnlyAtTail) {
        if (const void* ctrlZ = std::memchr(buffer, CtrlZ, total)) {
            FWaiting = {buffer, static_cast<std::size_t>(static_cast<const char*>(ctrlZ) - buffer)};
            FSourceDone = true;
            return; // a CR before the Ctrl-Z has no LF after it: a lone CR
        }
    } else {
        const std::size_t run = TrailingCtrlZ(buffer, buffer + total);
        if (run == total) {
            FCtrlZAfter += run; // still open whether it reaches the end
            return;
        }
        FCtrlZBefore = std::exchange(FCtrlZAfter, run); // followed by data: data
        end -= run;
    }
    if (end == total && buffer[end - 1] == '\r') {
        --end; // its LF may come with the next read
        FHeldCr = true;
    }
    FWaiting = {buffer, end};
}

// ---------------------------------------------------------------------------

const char* TLineEnds::Find(const char* p, const char* end) const {
#if defined(__SSE2__)
    while (end - p >= 16) {
        const __m128i bytes = Load(p);
        int mask = Mask(bytes, '\r');
        if (FLfEndsLine) {
            mask |= Mask(bytes, '\n');
        }
        if (mask != 0) {
            return p + std::countr_zero(static_cast<unsigned>(mask));
        }
        p += 16;
    }
#endif
    for (; p != end; ++p) {
        if (*p == '\r' || (*p == '\n' && FLfEndsLine)) {
            return p;
        }
    }
    return end;
}

const char* TLineEnds::SkipLines(const char* p, const char* end, std::size_t count) const {
    for (; count > 0 && p != end; --count) {
        p = Find(p, end);
        if (p == end) {
            break;
        }
        p = Skip(p, end);
    }
    return p;
}

TLineEnds::TCount TLineEnds::Count(const char* begin, const char* end) const {
    std::size_t crs = 0;
    std::size_t lfs = 0;
    std::size_t pairs = 0;
    const char* p = begin;
#if defined(__SSE2__)
    p = FLfEndsLine ? CountWide<true>(p, end, crs, lfs, pairs)
                    : CountWide<false>(p, end, crs, lfs, pairs);
#endif
    for (; p != end; ++p) {
        if (*p == '\r') {
            ++crs;
            if (p + 1 != end && p[1] == '\n') {
                ++pairs;
            }
        } else if (*p == '\n' && FLfEndsLine) {
            ++lfs;
        }
    }
    TCount count;
    // An LF that follows a CR is that CR's; it is counted among the LFs only
    // when LF ends lines.
    count.LineEnds = FLfEndsLine ? crs + lfs - pairs : crs;
    count.AllCrLf = pairs == crs && (!FLfEndsLine || lfs == pairs);
    if (begin != end) {
        const char last = end[-1];
        count.EndsAtLineEnd =
            last == '\r' ||
            (last == '\n' && (FLfEndsLine || (end - begin >= 2 && end[-2] == '\r')));
    }
    return count;
}

// ---------------------------------------------------------------------------

TTextLineSplitter::TTextLineSplitter(TByteSource& source, TTextLineRules rules,
                                     std::size_t bufferSize)
    : FBlocks(source, rules, bufferSize) {}

bool TTextLineSplitter::HaveBytes() {
    if (FBlock.empty()) {
        FBlock = FBlocks.Next();
    }
    return !FBlock.empty();
}

bool TTextLineSplitter::Eof() {
    return !HaveBytes();
}

void TTextLineSplitter::ReadLine(std::string& line) {
    if (!HaveBytes()) {
        throw EInOutError(ioErrorReadPastEnd);
    }
    line.clear();
    const TLineEnds ends(FBlocks.LfEndsLine());
    while (HaveBytes()) {
        const char* const begin = FBlock.data();
        const char* const end = begin + FBlock.size();
        const char* const stop = ends.Find(begin, end);
        line.append(begin, stop);
        if (stop == end) {
            FBlock = {};
            continue;
        }
        FBlock.remove_prefix(static_cast<std::size_t>(TLineEnds::Skip(stop, end) - begin));
        return;
    }
    // The physical end ends the last line.
}
