#pragma once
// A set of up to 32 members of an enumeration, stored as a bit mask by the
// members' ordinal values (the layout form streams and property tables use).

#include <cstdint>
#include <initializer_list>

template <class E> class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> members) {
        for (E m : members)
            FBits |= Bit(m);
    }
    static constexpr TSet FromMask(std::uint32_t mask) {
        TSet s;
        s.FBits = mask;
        return s;
    }

    constexpr std::uint32_t Mask() const { return FBits; }
    constexpr bool Contains(E m) const { return (FBits & Bit(m)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSet& Include(E m) {
        FBits |= Bit(m);
        return *this;
    }
    constexpr TSet& Exclude(E m) {
        FBits &= ~Bit(m);
        return *this;
    }
    constexpr TSet operator+(TSet o) const { return FromMask(FBits | o.FBits); }
    constexpr TSet operator-(TSet o) const { return FromMask(FBits & ~o.FBits); }
    constexpr TSet operator*(TSet o) const { return FromMask(FBits & o.FBits); }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr std::uint32_t Bit(E m) { return std::uint32_t{1} << static_cast<int>(m); }
    std::uint32_t FBits = 0;
};
