#pragma once
// A byte source over a string that hands its bytes out in chunks of chosen
// sizes, so that tests can place buffer boundaries wherever they like.

#include "platform/rtl/TextLineSplitter.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

class TMemorySource : public TByteSource {
public:
    // chunkSizes are used in turn (0 counts as 1); an empty list hands out as
    // much as asked for.
    explicit TMemorySource(std::string data, std::vector<std::size_t> chunkSizes = {})
        : FData(std::move(data)), FChunkSizes(std::move(chunkSizes)) {}

    std::size_t ReadSome(char* buffer, std::size_t capacity) override {
        std::size_t count = std::min(capacity, FData.size() - FPos);
        if (!FChunkSizes.empty()) {
            const std::size_t chunk = FChunkSizes[FCalls % FChunkSizes.size()];
            count = std::min(count, std::max<std::size_t>(chunk, 1));
        }
        ++FCalls;
        if (count > 0) {
            std::memcpy(buffer, FData.data() + FPos, count);
        }
        FPos += count;
        return count;
    }

    std::size_t Calls() const { return FCalls; }

private:
    std::string FData;
    std::vector<std::size_t> FChunkSizes;
    std::size_t FPos = 0;
    std::size_t FCalls = 0;
};
