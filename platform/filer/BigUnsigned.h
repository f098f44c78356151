#pragma once
// A small arbitrary-size unsigned integer, just enough for exact conversion
// between binary floating-point values and decimal text.

#include <cstdint>
#include <vector>

class TBigUnsigned {
public:
    TBigUnsigned() = default;
    explicit TBigUnsigned(std::uint64_t value);

    // Number of significant bits; 0 for zero.
    int BitLength() const;
    // The lowest 64 bits.
    std::uint64_t Low64() const;

    void MulSmall(std::uint32_t factor);
    void AddSmall(std::uint32_t addend);
    // Divides in place and returns the remainder.
    std::uint32_t DivSmall(std::uint32_t divisor);
    void MulPow10(int exponent);
    // Divides by 10^Exponent, rounding down; true when the remainder was not 0.
    bool DivPow10(int exponent);
    void ShiftLeft(int bits);
    // Shifts right; true when a 1 bit was shifted out.
    bool ShiftRight(int bits);

    void Add(const TBigUnsigned& other);
    // Requires *this >= Other.
    void Sub(const TBigUnsigned& other);
    // -1, 0 or 1 as A is less than, equal to or greater than B.
    static int Compare(const TBigUnsigned& a, const TBigUnsigned& b);

private:
    void Trim();
    std::vector<std::uint32_t> FLimbs; // least significant first, no leading zero limbs
};
