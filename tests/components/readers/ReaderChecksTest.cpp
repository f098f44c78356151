// The record-reader checks over the seed samples and deterministic damage of
// them (every cut, byte flips, count and length fields made huge), so every
// compiler runs what the fuzz targets run.

#include "ReaderChecks.h"
#include "ReaderSeeds.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

using TCheck = std::function<std::string(const std::uint8_t*, std::size_t)>;

std::vector<TSeedBytes> Damaged(const TSeedBytes& seed) {
    std::vector<TSeedBytes> out{seed};
    const std::size_t step = std::max<std::size_t>(1, seed.size() / 40);
    for (std::size_t cut = 0; cut < seed.size(); cut += step)
        out.emplace_back(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(cut));
    std::mt19937 random(7);
    for (int i = 0; i < 40 && !seed.empty(); ++i) {
        TSeedBytes flipped = seed;
        flipped[random() % flipped.size()] ^= static_cast<std::uint8_t>(1u << (random() % 8));
        out.push_back(flipped);
        TSeedBytes huge = seed;
        const std::size_t at = random() % huge.size();
        for (std::size_t k = at; k < std::min(at + 4, huge.size()); ++k)
            huge[k] = k + 1 == at + 4 ? 0x7F : 0xFF;
        out.push_back(huge);
    }
    return out;
}

} // namespace

TEST(ReaderChecks, SeedsAndTheirDamageAreReadOrRefusedCleanly) {
    const std::map<std::string, TCheck> checks{
        {"strings", StringListMismatch}, {"waves", WaveListMismatch},
        {"bitmaps", BitmapListMismatch}, {"images", ImageListMismatch},
        {"forms", KitFormMismatch}};
    const auto seeds = ReaderSeeds();
    for (const auto& [target, check] : checks) {
        ASSERT_TRUE(seeds.contains(target)) << target;
        ASSERT_FALSE(seeds.at(target).empty()) << target;
        for (const TSeedBytes& seed : seeds.at(target))
            for (const TSeedBytes& input : Damaged(seed))
                ASSERT_EQ(check(input.data(), input.size()), "") << target << ", " << input.size();
    }
}
