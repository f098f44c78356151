#include "components/drawing/kitdrawmath.h"

#include "platform/classes/List.h"

#include <cstdlib>
#include <limits>

int KitMulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    const long long divisor = c;
    const bool negative = (product < 0) != (divisor < 0);
    const unsigned long long p = static_cast<unsigned long long>(std::llabs(product));
    const unsigned long long d = static_cast<unsigned long long>(std::llabs(divisor));
    const unsigned long long q = (p + d / 2) / d;
    if (q > static_cast<unsigned long long>(std::numeric_limits<int>::max()) + (negative ? 1 : 0))
        return -1;
    return negative ? static_cast<int>(-static_cast<long long>(q)) : static_cast<int>(q);
}

int OffsetX(std::int32_t offset) {
    return static_cast<std::int16_t>(static_cast<std::uint32_t>(offset) & 0xFFFFu);
}

int OffsetY(std::int32_t offset) {
    return static_cast<std::int16_t>((static_cast<std::uint32_t>(offset) >> 16) & 0xFFFFu);
}

std::int32_t PackOffset(int x, int y) {
    const std::uint32_t low = static_cast<std::uint16_t>(x);
    const std::uint32_t high = static_cast<std::uint16_t>(y);
    return static_cast<std::int32_t>(low | (high << 16));
}

std::uint16_t ClampToWord(long long value) {
    if (value < 0)
        return 0;
    if (value > 0xFFFF)
        return 0xFFFF;
    return static_cast<std::uint16_t>(value);
}

std::uint32_t GradientColorAt(const TList& colors, int index) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(colors.Get(index)));
}

void AddGradientColor(TList& colors, std::uint32_t rgb) {
    colors.Add(reinterpret_cast<void*>(static_cast<std::uintptr_t>(rgb)));
}

namespace {

int Channel(std::uint32_t rgb, int shift) {
    return static_cast<int>((rgb >> shift) & 0xFFu);
}

} // namespace

void InterpolateGradientColors(std::uint32_t startRgb, std::uint32_t endRgb, int count,
                               TList& colors) {
    if (count <= 0)
        return;
    colors.Clear();
    // With one colour there is no step to divide by: the start colour alone.
    const int steps = count > 1 ? count - 1 : 1;
    for (int i = 0; i < count; ++i) {
        std::uint32_t rgb = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const int from = Channel(startRgb, shift);
            const int delta = Channel(endRgb, shift) - from;
            const auto value = static_cast<std::uint8_t>(from + KitMulDiv(i, delta, steps));
            rgb |= static_cast<std::uint32_t>(value) << shift;
        }
        AddGradientColor(colors, rgb);
    }
}
