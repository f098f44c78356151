// The 10-byte extended layout and the IEEE single/double layouts.

#include "platform/filer/FloatEncoding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr std::uint64_t kTop = std::uint64_t{1} << 63;
constexpr bool kX87LongDouble = std::numeric_limits<long double>::digits == 64;

TExtended80 Ext(std::uint64_t mantissa, std::uint16_t signExponent) {
    return TExtended80{mantissa, signExponent};
}

TEST(ExtendedFromLongDouble, Zeros) {
    EXPECT_EQ(ExtendedFromLongDouble(0.0L), Ext(0, 0));
    EXPECT_EQ(ExtendedFromLongDouble(-0.0L), Ext(0, 0x8000));
}

TEST(ExtendedFromLongDouble, ExactValuesFromDouble) {
    EXPECT_EQ(ExtendedFromLongDouble(1.0), Ext(kTop, 0x3FFF));
    EXPECT_EQ(ExtendedFromLongDouble(-2.0), Ext(kTop, 0xC000));
    EXPECT_EQ(ExtendedFromLongDouble(0.75), Ext(0xC000000000000000, 0x3FFE));
    // The double nearest 0.1 keeps its 53 bits; the rest are zero.
    EXPECT_EQ(ExtendedFromLongDouble(0.1), Ext(0xCCCCCCCCCCCCD000, 0x3FFB));
    EXPECT_EQ(ExtendedFromLongDouble(1e300), Ext(0xBF21E44003ACE000, 0x43E3));
    // The smallest double denormal is a normal extended value.
    EXPECT_EQ(ExtendedFromLongDouble(std::numeric_limits<double>::denorm_min()),
              Ext(kTop, 16383 - 1074));
}

TEST(ExtendedFromLongDouble, LongDoublePrecisionOnX87Hosts) {
    if (!kX87LongDouble) {
        GTEST_SKIP() << "long double is not the x87 format here";
    }
    EXPECT_EQ(ExtendedFromLongDouble(0.1L), Ext(0xCCCCCCCCCCCCCCCD, 0x3FFB));
    const long double smallest = std::numeric_limits<long double>::denorm_min();
    EXPECT_EQ(ExtendedFromLongDouble(smallest), Ext(1, 0));
    EXPECT_EQ(ExtendedFromLongDouble(std::numeric_limits<long double>::min()), Ext(kTop, 1));
    EXPECT_EQ(ExtendedFromLongDouble(std::numeric_limits<long double>::max()),
              Ext(~std::uint64_t{0}, 0x7FFE));
    EXPECT_EQ(ExtendedToLongDouble(Ext(1, 0)), smallest);
    EXPECT_EQ(ExtendedToLongDouble(Ext(0x4000000000000001, 0)), smallest * 0x4000000000000001);
}

TEST(ExtendedFromLongDouble, InfinitiesAndNaNs) {
    const long double inf = std::numeric_limits<long double>::infinity();
    EXPECT_EQ(ExtendedFromLongDouble(inf), Ext(kTop, 0x7FFF));
    EXPECT_EQ(ExtendedFromLongDouble(-inf), Ext(kTop, 0xFFFF));
    EXPECT_EQ(ExtendedFromLongDouble(std::numeric_limits<long double>::quiet_NaN()),
              Ext(0xC000000000000000, 0x7FFF));
    EXPECT_EQ(ExtendedFromLongDouble(-std::numeric_limits<long double>::quiet_NaN()).SignExponent,
              0xFFFF);
}

TEST(ExtendedToLongDouble, ValuesAndSpecials) {
    EXPECT_EQ(ExtendedToLongDouble(Ext(kTop, 0x3FFF)), 1.0L);
    EXPECT_EQ(ExtendedToLongDouble(Ext(0xCCCCCCCCCCCCD000, 0x3FFB)), static_cast<long double>(0.1));
    EXPECT_TRUE(std::signbit(ExtendedToLongDouble(Ext(0, 0x8000))));
    EXPECT_TRUE(std::isinf(ExtendedToLongDouble(Ext(kTop, 0xFFFF))));
    EXPECT_LT(ExtendedToLongDouble(Ext(kTop, 0xFFFF)), 0);
    EXPECT_TRUE(std::isnan(ExtendedToLongDouble(Ext(0xC000000000000000, 0x7FFF))));
    // A signalling NaN pattern and a pseudo-infinity are NaNs too.
    EXPECT_TRUE(std::isnan(ExtendedToLongDouble(Ext(kTop | 1, 0x7FFF))));
    EXPECT_TRUE(std::isnan(ExtendedToLongDouble(Ext(1, 0x7FFF))));
}

TEST(DecodeExtended, NormalizesUnnormalsAndPseudoDenormals) {
    const TFloatParts half = DecodeExtended(Ext(kTop, 0x3FFE));
    const TFloatParts unnormalHalf = DecodeExtended(Ext(kTop >> 1, 0x3FFF));
    EXPECT_EQ(unnormalHalf.Mantissa, half.Mantissa);
    EXPECT_EQ(unnormalHalf.Exponent, half.Exponent);
    const TFloatParts pseudo = DecodeExtended(Ext(kTop, 0));
    const TFloatParts smallestNormal = DecodeExtended(Ext(kTop, 1));
    EXPECT_EQ(pseudo.Exponent, smallestNormal.Exponent);
    EXPECT_EQ(EncodeExtended(pseudo), Ext(kTop, 1));
    // An unnormal that cannot be normalized fully ends as a denormal.
    EXPECT_EQ(EncodeExtended(DecodeExtended(Ext(1, 1))), Ext(1, 0));
    EXPECT_EQ(DecodeExtended(Ext(0, 0x1234)).Mantissa, 0u);
}

TEST(IeeeLayouts, DecodeAndEncodeAreInverse) {
    const std::uint64_t doubles[] = {0,
                                     0x8000000000000000,
                                     1,
                                     0x000FFFFFFFFFFFFF,
                                     0x0010000000000000,
                                     0x3FF0000000000000,
                                     0x7FEFFFFFFFFFFFFF,
                                     0x7FF0000000000000,
                                     0xFFF0000000000000,
                                     0x7FF8000000000000};
    for (const std::uint64_t bits : doubles) {
        EXPECT_EQ(EncodeDouble(DecodeDouble(bits)), bits) << std::hex << bits;
    }
    const std::uint32_t singles[] = {0,          0x80000000, 1,          0x007FFFFF, 0x00800000,
                                     0x3F800000, 0x7F7FFFFF, 0x7F800000, 0xFF800000, 0x7FC00000};
    for (const std::uint32_t bits : singles) {
        EXPECT_EQ(EncodeSingle(DecodeSingle(bits)), bits) << std::hex << bits;
    }
    const TFloatParts one = DecodeDouble(0x3FF0000000000000);
    EXPECT_EQ(one.Mantissa, std::uint64_t{1} << 52);
    EXPECT_EQ(one.Exponent, -52);
    EXPECT_EQ(DecodeSingle(1).Exponent, -149);
    EXPECT_EQ(DecodeSingle(0x7FC00001).Kind, TFloatParts::TKind::NaN);
}

TEST(IeeeLayouts, CanonicalNaNsKeepTheirSignOnly) {
    EXPECT_EQ(CanonicalSingle(0x7F800001), 0x7FC00000u);
    EXPECT_EQ(CanonicalSingle(0xFFFFFFFF), 0xFFC00000u);
    EXPECT_EQ(CanonicalSingle(0x3F800000), 0x3F800000u);
    EXPECT_EQ(CanonicalSingle(0x7F800000), 0x7F800000u);
    EXPECT_EQ(CanonicalDouble(0x7FF0000000000001), 0x7FF8000000000000u);
    EXPECT_EQ(CanonicalDouble(0xFFF8000000000123), 0xFFF8000000000000u);
    EXPECT_EQ(CanonicalDouble(0x000FFFFFFFFFFFFF), 0x000FFFFFFFFFFFFFu);
}

} // namespace
