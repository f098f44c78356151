#pragma once
// The bytes of one wave sound (a RIFF file image) held in memory, loadable
// and savable plainly, with a length in front or compressed, and stored in
// form resources as the binary property "Data". Nothing here plays sounds;
// a sound that may be playing is stopped before its data is replaced.

#include "components/base/kitobject.h"
#include "platform/rtl/Exceptions.h"

#include <cstdint>
#include <memory>
#include <string>

class TMemoryStream;
class TStream;

// Data that is not a wave.
class EInvalidWave : public Exception {
public:
    using Exception::Exception;
};

// Data too short for the wave check.
class EErrorCheckingWave : public Exception {
public:
    using Exception::Exception;
};

// Stops a sound that may be playing; replaceable so tests can see the calls.
// Defined with the system's sound call (kitwavesound.cpp); null where there
// is no sound at all.
using TKitStopSoundCall = void (*)();
extern TKitStopSoundCall KitStopSound;

class TKitWave : public TKitObject {
    TESSARO_CLASS(TKitWave, TKitObject)
public:
    TKitWave();
    ~TKitWave() override;
    static std::unique_ptr<TKitWave> CreateFromFile(const std::string& fileName);

    // True without a data stream or with an empty one.
    bool Empty() const;
    std::int64_t Size() const;
    // The data stream, or null.
    TMemoryStream* Data() const { return FData.get(); }

    void Clear();
    // Stops any sound that may be playing.
    void Stop();
    // Takes ownership of Stream (null: no data) and reports the change.
    void SetData(std::unique_ptr<TMemoryStream> stream);
    // Reads Count bytes and keeps them when they are a wave. An empty Stream
    // clears the wave; Count 0 of another leaves an empty data stream (as a
    // form stores an empty wave); on failure the previous data stays.
    void LoadData(std::int64_t count, TStream& stream);

    virtual void LoadFromFile(const std::string& fileName);
    // Everything from the stream's position to its end.
    virtual void LoadFromStream(TStream& stream);
    // A signed 32-bit length, then that many bytes; a compressed stream.
    // Both are data blocks of the kit's item streams, read with their checks
    // (a short or damaged block, the open decode budget); on any failure the
    // wave keeps its data.
    void LoadWithSize(TStream& stream);
    void LoadCompressed(TStream& stream);
    virtual void SaveToFile(const std::string& fileName);
    virtual void SaveToStream(TStream& stream);
    // A wave without data gets an empty data stream and writes length 0.
    void SaveWithSize(TStream& stream);
    void SaveCompressed(TStream& stream);

    virtual void ReadData(TStream& stream);
    virtual void WriteData(TStream& stream);

    // Another wave: a copy of its bytes; null clears; assigning a wave to
    // itself changes nothing.
    void Assign(TPersistent* source) override;
    // "Data", stored whenever there is a data stream (an empty one too).
    void DefineProperties(TFiler& filer) override;

private:
    void WriteWaveData(TStream& stream, bool withLength);
    // Keeps Data when it holds a wave or nothing; EInvalidWave otherwise.
    void Adopt(std::unique_ptr<TMemoryStream> data);
    void LoadBlock(TStream& stream, bool compressed);

    std::unique_ptr<TMemoryStream> FData;
};

// Whether the bytes of Stream start like a wave file ("RIFF", size, "WAVE",
// "fmt " and the format fields); leaves the position at 0. Raises
// EErrorCheckingWave when the data ends before that is decided.
bool GetWaveData(TMemoryStream* stream);

// The wave as an item data block: compressed or with its length in front.
void WriteWave(TStream& stream, TKitWave& wave, bool compressed);
// The wave's LoadCompressed or LoadWithSize.
void ReadWave(TStream& stream, TKitWave& wave, bool compressed);
