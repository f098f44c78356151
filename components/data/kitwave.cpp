#include "components/data/kitwave.h"

#include "components/codec/kitcompressedstream.h"
#include "components/codec/kiterrors.h"
#include "components/codec/kititemstream.h"
#include "platform/classes/Stream.h"

#include <cstring>

namespace {

// "RIFF", size, "WAVE", "fmt ", chunk size, the format fields up to the
// block alignment.
constexpr std::int32_t WaveCheckBytes = 34;

} // namespace

const TClassInfo& TKitWave::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TKitWave>("TKitWave");
    return info;
}

TKitWave::TKitWave() = default;

TKitWave::~TKitWave() {
    if (FData)
        Stop();
}

std::unique_ptr<TKitWave> TKitWave::CreateFromFile(const std::string& fileName) {
    auto wave = std::make_unique<TKitWave>();
    wave->LoadFromFile(fileName);
    return wave;
}

bool TKitWave::Empty() const {
    return !FData || FData->Bytes().empty();
}

std::int64_t TKitWave::Size() const {
    return Empty() ? 0 : static_cast<std::int64_t>(FData->Bytes().size());
}

void TKitWave::Clear() {
    SetData(nullptr);
}

void TKitWave::Stop() {
    if (KitStopSound)
        KitStopSound();
}

void TKitWave::SetData(std::unique_ptr<TMemoryStream> stream) {
    if (FData)
        Stop();
    FData = std::move(stream);
    if (FData)
        FData->SetPosition(0);
    Change();
}

void TKitWave::LoadData(std::int64_t count, TStream& stream) {
    if (stream.GetSize() == 0) {
        SetData(nullptr);
        return;
    }
    // Checked against what is there before anything is allocated.
    if (count < 0 || count > StreamRemaining(stream))
        RaiseStreamRead();
    auto data = std::make_unique<TMemoryStream>();
    if (count > 0)
        data->CopyFrom(stream, count);
    Adopt(std::move(data));
}

void TKitWave::Adopt(std::unique_ptr<TMemoryStream> data) {
    // No bytes: an empty wave as a form stores it; it stays empty and stored.
    if (data->GetSize() > 0 && !GetWaveData(data.get()))
        throw EInvalidWave(ClassName() + ": " + KitCannotOpenFileText);
    SetData(std::move(data));
}

void TKitWave::LoadBlock(TStream& stream, bool compressed) {
    auto data = std::make_unique<TMemoryStream>();
    ReadDataBlock(stream, compressed, *data);
    // A compressed stream of nothing decodes to an empty stream, which
    // clears the wave as loading any empty stream does.
    if (compressed && data->GetSize() == 0)
        SetData(nullptr);
    else
        Adopt(std::move(data));
}

void TKitWave::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead);
    LoadData(file.GetSize(), file);
}

void TKitWave::LoadFromStream(TStream& stream) {
    LoadData(StreamRemaining(stream), stream);
}

void TKitWave::LoadWithSize(TStream& stream) {
    LoadBlock(stream, false);
}

void TKitWave::LoadCompressed(TStream& stream) {
    LoadBlock(stream, true);
}

void TKitWave::SaveToFile(const std::string& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

void TKitWave::SaveToStream(TStream& stream) {
    WriteWaveData(stream, false);
}

void TKitWave::SaveWithSize(TStream& stream) {
    WriteWaveData(stream, true);
}

void TKitWave::SaveCompressed(TStream& stream) {
    TMemoryStream plain;
    SaveToStream(plain);
    plain.SetPosition(0);
    CompressStream(plain, stream, static_cast<std::int32_t>(plain.GetSize()));
}

void TKitWave::ReadData(TStream& stream) {
    LoadWithSize(stream);
}

void TKitWave::WriteData(TStream& stream) {
    SaveWithSize(stream);
}

void TKitWave::WriteWaveData(TStream& stream, bool withLength) {
    if (!FData)
        FData = std::make_unique<TMemoryStream>();
    const auto& bytes = FData->Bytes();
    const auto length = static_cast<std::int32_t>(bytes.size());
    if (withLength)
        stream.WriteInt32(length);
    if (length > 0)
        stream.WriteBuffer(bytes.data(), length);
}

void TKitWave::Assign(TPersistent* source) {
    if (!source) {
        SetData(nullptr);
        return;
    }
    if (auto* wave = dynamic_cast<TKitWave*>(source)) {
        if (wave == this)
            return;
        auto copy = std::make_unique<TMemoryStream>();
        if (wave->Size() > 0) {
            wave->FData->SetPosition(0);
            copy->CopyFrom(*wave->FData, wave->Size());
            wave->FData->SetPosition(0);
            copy->SetPosition(0);
        }
        FData = std::move(copy);
        Change();
        return;
    }
    TKitObject::Assign(source);
}

void TKitWave::DefineProperties(TFiler& filer) {
    TKitObject::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Data", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); },
        FData != nullptr);
}

bool GetWaveData(TMemoryStream* stream) {
    if (!stream || stream->GetSize() == 0)
        return false;
    stream->SetPosition(0);
    auto read = [stream](char* buffer, std::int32_t count) {
        if (stream->Read(buffer, count) != count)
            throw EErrorCheckingWave(std::string("GetWaveData: ") + KitCannotOpenFileText);
    };
    char tag[WaveCheckBytes - 16];
    bool isWave = false;
    read(tag, 4);
    if (std::memcmp(tag, "RIFF", 4) == 0) {
        read(tag, 4);
        read(tag, 4);
        if (std::memcmp(tag, "WAVE", 4) == 0) {
            read(tag, 4);
            if (std::memcmp(tag, "fmt ", 4) == 0) {
                read(tag, WaveCheckBytes - 16);
                isWave = true;
            }
        }
    }
    stream->SetPosition(0);
    return isWave;
}

void WriteWave(TStream& stream, TKitWave& wave, bool compressed) {
    if (compressed)
        wave.SaveCompressed(stream);
    else
        wave.SaveWithSize(stream);
}

void ReadWave(TStream& stream, TKitWave& wave, bool compressed) {
    if (compressed)
        wave.LoadCompressed(stream);
    else
        wave.LoadWithSize(stream);
}
