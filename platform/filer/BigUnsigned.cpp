// Schoolbook arithmetic on 32-bit limbs; the sizes met here stay below
// a few thousand bits, so nothing cleverer pays off.

#include "platform/filer/BigUnsigned.h"

#include <algorithm>
#include <bit>

namespace {

constexpr std::uint32_t kPow10[10] = {1,      10,      100,      1000,      10000,
                                      100000, 1000000, 10000000, 100000000, 1000000000};

} // namespace

TBigUnsigned::TBigUnsigned(std::uint64_t value) {
    while (value != 0) {
        FLimbs.push_back(static_cast<std::uint32_t>(value));
        value >>= 32;
    }
}

int TBigUnsigned::BitLength() const {
    if (FLimbs.empty()) {
        return 0;
    }
    return static_cast<int>(FLimbs.size() - 1) * 32 + std::bit_width(FLimbs.back());
}

std::uint64_t TBigUnsigned::Low64() const {
    std::uint64_t result = FLimbs.empty() ? 0 : FLimbs[0];
    if (FLimbs.size() > 1) {
        result |= static_cast<std::uint64_t>(FLimbs[1]) << 32;
    }
    return result;
}

void TBigUnsigned::MulSmall(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (auto& limb : FLimbs) {
        const std::uint64_t product = static_cast<std::uint64_t>(limb) * factor + carry;
        limb = static_cast<std::uint32_t>(product);
        carry = product >> 32;
    }
    if (carry != 0) {
        FLimbs.push_back(static_cast<std::uint32_t>(carry));
    }
    Trim();
}

void TBigUnsigned::AddSmall(std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (std::size_t i = 0; carry != 0 && i < FLimbs.size(); ++i) {
        const std::uint64_t sum = static_cast<std::uint64_t>(FLimbs[i]) + carry;
        FLimbs[i] = static_cast<std::uint32_t>(sum);
        carry = sum >> 32;
    }
    if (carry != 0) {
        FLimbs.push_back(static_cast<std::uint32_t>(carry));
    }
}

std::uint32_t TBigUnsigned::DivSmall(std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (std::size_t i = FLimbs.size(); i-- > 0;) {
        const std::uint64_t current = (remainder << 32) | FLimbs[i];
        FLimbs[i] = static_cast<std::uint32_t>(current / divisor);
        remainder = current % divisor;
    }
    Trim();
    return static_cast<std::uint32_t>(remainder);
}

void TBigUnsigned::MulPow10(int exponent) {
    for (; exponent >= 9; exponent -= 9) {
        MulSmall(kPow10[9]);
    }
    if (exponent > 0) {
        MulSmall(kPow10[exponent]);
    }
}

bool TBigUnsigned::DivPow10(int exponent) {
    // floor(floor(x / a) / b) = floor(x / ab), and the remainder of the whole
    // division is zero exactly when every partial remainder is.
    bool inexact = false;
    for (; exponent >= 9; exponent -= 9) {
        inexact |= DivSmall(kPow10[9]) != 0;
    }
    if (exponent > 0) {
        inexact |= DivSmall(kPow10[exponent]) != 0;
    }
    return inexact;
}

void TBigUnsigned::ShiftLeft(int bits) {
    if (FLimbs.empty() || bits <= 0) {
        return;
    }
    const auto limbShift = static_cast<std::size_t>(bits / 32);
    const int bitShift = bits % 32;
    if (bitShift != 0) {
        std::uint32_t carry = 0;
        for (auto& limb : FLimbs) {
            const std::uint32_t next = limb >> (32 - bitShift);
            limb = (limb << bitShift) | carry;
            carry = next;
        }
        if (carry != 0) {
            FLimbs.push_back(carry);
        }
    }
    FLimbs.insert(FLimbs.begin(), limbShift, 0);
}

bool TBigUnsigned::ShiftRight(int bits) {
    if (bits <= 0 || FLimbs.empty()) {
        return false;
    }
    const auto limbShift = static_cast<std::size_t>(bits / 32);
    const int bitShift = bits % 32;
    if (limbShift >= FLimbs.size()) {
        FLimbs.clear();
        return true; // not empty before, so a 1 bit went
    }
    bool lost = std::any_of(FLimbs.begin(), FLimbs.begin() + static_cast<std::ptrdiff_t>(limbShift),
                            [](std::uint32_t limb) { return limb != 0; });
    FLimbs.erase(FLimbs.begin(), FLimbs.begin() + static_cast<std::ptrdiff_t>(limbShift));
    if (bitShift != 0) {
        lost |= (FLimbs[0] & ((1u << bitShift) - 1)) != 0;
        for (std::size_t i = 0; i < FLimbs.size(); ++i) {
            const std::uint32_t high = i + 1 < FLimbs.size() ? FLimbs[i + 1] << (32 - bitShift) : 0;
            FLimbs[i] = (FLimbs[i] >> bitShift) | high;
        }
    }
    Trim();
    return lost;
}

void TBigUnsigned::Add(const TBigUnsigned& other) {
    if (FLimbs.size() < other.FLimbs.size()) {
        FLimbs.resize(other.FLimbs.size(), 0);
    }
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < FLimbs.size(); ++i) {
        const std::uint64_t sum = static_cast<std::uint64_t>(FLimbs[i]) +
                                  (i < other.FLimbs.size() ? other.FLimbs[i] : 0) + carry;
        FLimbs[i] = static_cast<std::uint32_t>(sum);
        carry = sum >> 32;
        if (carry == 0 && i >= other.FLimbs.size()) {
            break;
        }
    }
    if (carry != 0) {
        FLimbs.push_back(static_cast<std::uint32_t>(carry));
    }
}

void TBigUnsigned::Sub(const TBigUnsigned& other) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < FLimbs.size(); ++i) {
        std::int64_t difference = static_cast<std::int64_t>(FLimbs[i]) -
                                  (i < other.FLimbs.size() ? other.FLimbs[i] : 0) - borrow;
        borrow = difference < 0 ? 1 : 0;
        if (difference < 0) {
            difference += std::int64_t{1} << 32;
        }
        FLimbs[i] = static_cast<std::uint32_t>(difference);
        if (borrow == 0 && i >= other.FLimbs.size()) {
            break;
        }
    }
    Trim();
}

int TBigUnsigned::Compare(const TBigUnsigned& a, const TBigUnsigned& b) {
    if (a.FLimbs.size() != b.FLimbs.size()) {
        return a.FLimbs.size() < b.FLimbs.size() ? -1 : 1;
    }
    for (std::size_t i = a.FLimbs.size(); i-- > 0;) {
        if (a.FLimbs[i] != b.FLimbs[i]) {
            return a.FLimbs[i] < b.FLimbs[i] ? -1 : 1;
        }
    }
    return 0;
}

void TBigUnsigned::Trim() {
    while (!FLimbs.empty() && FLimbs.back() == 0) {
        FLimbs.pop_back();
    }
}
