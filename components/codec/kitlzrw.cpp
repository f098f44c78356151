#include "components/codec/kitlzrw.h"

#include "components/codec/kiterrors.h"
#include "platform/rtl/Exceptions.h"

#include <cstdlib>
#include <cstring>
#include <memory>

const char* const LZRWCorruptDataMessage = "Komprimierte Daten sind beschädigt";

namespace {

constexpr std::uint16_t MaxRun = 4095;
constexpr std::uint16_t MinRun = 16;
constexpr std::uint16_t MaxDistance = 4095;
constexpr std::uint16_t MinMatch = 3;
constexpr std::uint16_t MaxMatch = 18;

TLZRWTableAllocator TableAllocator{std::malloc, std::free};

struct TTableRelease {
    void operator()(std::int16_t* table) const { TableAllocator.Release(table); }
};
using TTablePtr = std::unique_ptr<std::int16_t[], TTableRelease>;

// Bytes past the input read as 0: they never change the output, and the
// compressor must not touch memory it was not given.
std::uint8_t InputAt(const std::uint8_t* in, std::uint32_t p, std::uint16_t n) {
    return p < n ? in[p] : 0;
}

void PutBigEndian16(std::uint8_t* out, std::uint32_t at, std::uint16_t value) {
    out[at] = static_cast<std::uint8_t>(value >> 8);
    out[at + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

} // namespace

TLZRWTableAllocator SetLZRWTableAllocator(TLZRWTableAllocator allocator) {
    const TLZRWTableAllocator previous = TableAllocator;
    TableAllocator = allocator;
    return previous;
}

bool LZRWFindMatch(const std::uint8_t* in, std::uint16_t p, std::uint16_t n,
                   std::uint16_t& matchPos, std::uint16_t& length, std::int16_t* table) {
    const std::uint32_t key =
        ((static_cast<std::uint32_t>(InputAt(in, p, n)) << 4 ^ InputAt(in, p + 1u, n)) << 4 ^
         InputAt(in, p + 2u, n)) *
        40543u;
    const std::uint32_t h = (key >> 4) & (LZRWHashTableSize - 1);
    const std::int16_t q = table[h];
    // Positions from 32768 on wrap to negative entries and are never matched.
    table[h] = static_cast<std::int16_t>(p);
    if (q < 0 || p - q > MaxDistance) {
        return false;
    }
    const auto from = static_cast<std::uint16_t>(q);
    std::uint16_t l = 0;
    while (l < MaxMatch && InputAt(in, p + l, n) == in[from + l] && p + l < n) {
        ++l;
    }
    if (l < MinMatch) {
        return false;
    }
    matchPos = from;
    length = l;
    return true;
}

std::uint16_t LZRWCompress(const std::uint8_t* in, std::uint8_t* out, std::uint16_t n) {
    if (n > LZRWMaxInputBytes) {
        throw EInvalidOperation("LZRW: Block zu groß");
    }
    TTablePtr table(static_cast<std::int16_t*>(
        TableAllocator.Allocate(LZRWHashTableSize * sizeof(std::int16_t))));
    if (!table) {
        throw EInvalidPointer("LZRW Error!");
    }
    std::memset(table.get(), 0xFF, LZRWHashTableSize * sizeof(std::int16_t));

    out[0] = LZRWFlagCompressed;
    std::uint32_t c = 1;
    std::uint32_t o = 3;
    std::uint32_t p = 0;
    unsigned k = 0;
    std::uint16_t w = 0;
    while (p < n && o <= n) {
        if (k == 16) {
            PutBigEndian16(out, c, w);
            c = o;
            o += 2;
            k = 0;
        }
        std::uint32_t r = 1;
        while (InputAt(in, p + r, n) == in[p] && r < MaxRun && p + r < n) {
            ++r;
        }
        std::uint16_t q = 0;
        std::uint16_t l = 0;
        if (r >= MinRun) {
            out[o] = 0;
            PutBigEndian16(out, o + 1, static_cast<std::uint16_t>(r - MinRun));
            out[o + 3] = in[p];
            o += 4;
            p += r;
            w = static_cast<std::uint16_t>(w << 1 | 1);
        } else if (LZRWFindMatch(in, static_cast<std::uint16_t>(p), n, q, l, table.get())) {
            PutBigEndian16(out, o, static_cast<std::uint16_t>((p - q) * 16 + l - MinMatch));
            o += 2;
            p += l;
            w = static_cast<std::uint16_t>(w << 1 | 1);
        } else {
            out[o] = in[p];
            o += 1;
            p += 1;
            w = static_cast<std::uint16_t>(w << 1);
        }
        ++k;
    }
    if (k < 16) {
        w = static_cast<std::uint16_t>(w << (16 - k));
    }
    PutBigEndian16(out, c, w);
    if (o > n) {
        out[0] = LZRWFlagStored;
        if (n > 0) {
            std::memcpy(out + 1, in, n);
        }
        return static_cast<std::uint16_t>(n + 1);
    }
    return static_cast<std::uint16_t>(o);
}

std::uint16_t LZRWDecompress(const std::uint8_t* block, std::uint8_t* out, std::uint16_t m) {
    if (m == 0 || m > LZRWMaxBlockBytes) {
        RaiseCorruptData();
    }
    if (block[0] == LZRWFlagStored) {
        const std::uint16_t size = m - 1;
        if (size > 0) {
            std::memcpy(out, block + 1, size);
        }
        return size;
    }
    // Every other flag value counts as compressed.
    if (m < 3) {
        RaiseCorruptData();
    }
    std::uint32_t i = 3;
    std::uint16_t w = static_cast<std::uint16_t>(block[1] << 8 | block[2]);
    unsigned bits = 16;
    std::uint32_t j = 0;
    while (i < m) {
        if (bits == 0) {
            if (i + 2 > m) {
                RaiseCorruptData();
            }
            w = static_cast<std::uint16_t>(block[i] << 8 | block[i + 1]);
            i += 2;
            bits = 16;
            if (i >= m) {
                break;
            }
        }
        if ((w & 0x8000) == 0) {
            if (j >= LZRWMaxInputBytes) {
                RaiseCorruptData();
            }
            out[j++] = block[i++];
        } else {
            if (i + 2 > m) {
                RaiseCorruptData();
            }
            const std::uint32_t d = block[i] * 16u + block[i + 1] / 16u;
            if (d != 0) {
                const std::uint32_t l = (block[i + 1] & 15u) + MinMatch;
                if (d > j || j + l > LZRWMaxInputBytes) {
                    RaiseCorruptData();
                }
                // Byte by byte: an overlapping copy repeats a pattern.
                for (std::uint32_t t = 0; t < l; ++t) {
                    out[j + t] = out[j - d + t];
                }
                j += l;
                i += 2;
            } else {
                if (i + 4 > m) {
                    RaiseCorruptData();
                }
                const std::uint32_t l = block[i + 1] * 256u + block[i + 2] + MinRun;
                if (j + l > LZRWMaxInputBytes) {
                    RaiseCorruptData();
                }
                std::memset(out + j, block[i + 3], l);
                j += l;
                i += 4;
            }
        }
        w = static_cast<std::uint16_t>(w << 1);
        --bits;
    }
    return static_cast<std::uint16_t>(j);
}
