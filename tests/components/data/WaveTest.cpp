#include "DataTestSupport.h"

#include "components/data/kitwave.h"
#include "platform/rtl/SystemSeams.h"
#include "platform/classes/StringList.h"
#include "platform/filer/Reader.h"
#include "platform/filer/Writer.h"
#include "tests/support/FormBytes.h"

#include <gtest/gtest.h>

namespace {

int StopCalls = 0;
void CountStop() {
    ++StopCalls;
}

struct ChangeCounter {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
};

class WaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        StopCalls = 0;
        saved = KitStopSound;
        KitStopSound = &CountStop;
        wave.OnChange = TNotifyEvent::Of<&ChangeCounter::Changed>(&changes);
    }
    void TearDown() override { KitStopSound = saved; }

    void Load(const TBytes& bytes) {
        TMemoryStream s;
        LoadBytes(s, bytes);
        wave.LoadFromStream(s);
    }

    TBytes Content() {
        TMemoryStream s;
        wave.SaveToStream(s);
        return StreamBytes(s);
    }

    TKitStopSoundCall saved = nullptr;
    ChangeCounter changes;
    TKitWave wave;
};

TEST_F(WaveTest, NewWaveIsEmptyAndLoadKeepsTheBytes) {
    EXPECT_TRUE(wave.Empty());
    EXPECT_EQ(wave.Size(), 0);
    Load(WaveBytes());
    EXPECT_FALSE(wave.Empty());
    EXPECT_EQ(wave.Size(), static_cast<std::int64_t>(WaveBytes().size()));
    EXPECT_EQ(Content(), WaveBytes());
    EXPECT_EQ(changes.Count, 1);
    wave.Clear();
    EXPECT_TRUE(wave.Empty());
    EXPECT_EQ(wave.Size(), 0);
    EXPECT_EQ(wave.Data(), nullptr);
}

TEST_F(WaveTest, LoadFromStreamTakesTheRestOfTheStream) {
    TBytes bytes{1, 2, 3};
    const TBytes w = WaveBytes();
    bytes.insert(bytes.end(), w.begin(), w.end());
    TMemoryStream s;
    LoadBytes(s, bytes);
    s.SetPosition(3);
    wave.LoadFromStream(s);
    EXPECT_EQ(Content(), w);
    EXPECT_EQ(s.GetPosition(), s.GetSize());
}

TEST_F(WaveTest, EmptyStreamClearsInsteadOfFailing) {
    Load(WaveBytes());
    Load({});
    EXPECT_TRUE(wave.Empty());
    EXPECT_EQ(wave.Data(), nullptr);
}

TEST_F(WaveTest, FirstChunkOtherThanFmtIsNoWave) {
    Load(WaveBytes(4, 1));
    TBytes bad = WaveBytes();
    std::memcpy(bad.data() + 12, "LIST", 4);
    try {
        Load(bad);
        FAIL() << "no EInvalidWave";
    } catch (const EInvalidWave& e) {
        EXPECT_EQ(e.Message().rfind("TKitWave: ", 0), 0u) << e.Message();
        EXPECT_NE(e.Message().find("%s"), std::string::npos);
    }
    EXPECT_EQ(Content(), WaveBytes(4, 1));
}

TEST_F(WaveTest, WrongTagsAreNoWave) {
    for (int at : {0, 8}) {
        TBytes bad = WaveBytes();
        bad[static_cast<std::size_t>(at)] = 'X';
        EXPECT_THROW(Load(bad), EInvalidWave) << at;
    }
    EXPECT_TRUE(wave.Empty());
}

TEST_F(WaveTest, DataEndingBeforeTheCheckDecidesIsACheckError) {
    const TBytes full = WaveBytes();
    // Fewer than 4; "RIFF" and fewer than 12; "WAVE" and fewer than 16;
    // all three tags and fewer than 34.
    for (std::size_t size : {1u, 3u, 4u, 11u, 12u, 15u, 16u, 33u}) {
        TBytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
        try {
            Load(cut);
            ADD_FAILURE() << "no error for " << size << " bytes";
        } catch (const EErrorCheckingWave& e) {
            EXPECT_EQ(e.Message().rfind("GetWaveData: ", 0), 0u);
        }
    }
    // 34 bytes are enough for the check.
    Load(TBytes(full.begin(), full.begin() + 34));
    EXPECT_EQ(wave.Size(), 34);
    // A short stream with a wrong first tag is decided without error.
    EXPECT_THROW(Load({'X', 'Y', 'Z', 'W', 0}), EInvalidWave);
}

TEST_F(WaveTest, LengthBeyondTheStreamRaisesAndKeepsTheData) {
    Load(WaveBytes());
    for (std::int32_t length : {1000, -4, 0x7FFFFFFF}) {
        TBytes bytes;
        AppendInt32(bytes, length);
        const TBytes w = WaveBytes(2);
        bytes.insert(bytes.end(), w.begin(), w.end());
        TMemoryStream s;
        LoadBytes(s, bytes);
        EXPECT_THROW(wave.LoadWithSize(s), EReadError) << length;
    }
    EXPECT_EQ(Content(), WaveBytes());
}

TEST_F(WaveTest, SaveWithSizeOfNoDataWritesZeroAndKeepsAnEmptyStream) {
    TMemoryStream s;
    wave.SaveWithSize(s);
    EXPECT_EQ(StreamBytes(s), (TBytes{0, 0, 0, 0}));
    ASSERT_NE(wave.Data(), nullptr);
    EXPECT_TRUE(wave.Empty());
}

TEST_F(WaveTest, WithSizeRoundTrip) {
    Load(WaveBytes(5));
    TMemoryStream s;
    wave.SaveWithSize(s);
    TBytes expected;
    AppendInt32(expected, static_cast<std::int32_t>(WaveBytes(5).size()));
    const TBytes w = WaveBytes(5);
    expected.insert(expected.end(), w.begin(), w.end());
    EXPECT_EQ(StreamBytes(s), expected);
    s.SetPosition(0);
    TKitWave other;
    other.LoadWithSize(s);
    EXPECT_EQ(StreamBytes(*other.Data()), w);
}

TEST_F(WaveTest, CompressedRoundTripGivesTheSameBytes) {
    Load(WaveBytes(3000));
    TMemoryStream s;
    wave.SaveCompressed(s);
    EXPECT_LT(s.GetSize(), wave.Size());
    s.SetPosition(0);
    TKitWave other;
    other.LoadCompressed(s);
    EXPECT_EQ(StreamBytes(*other.Data()), WaveBytes(3000));
    EXPECT_EQ(s.GetPosition(), s.GetSize());
}

TEST_F(WaveTest, FileRoundTripAndMissingFile) {
    const std::string name = "kitwave_test.wav";
    Load(WaveBytes(7));
    wave.SaveToFile(name);
    auto loaded = TKitWave::CreateFromFile(name);
    EXPECT_EQ(StreamBytes(*loaded->Data()), WaveBytes(7));
    std::remove(name.c_str());
    EXPECT_THROW(TKitWave::CreateFromFile("no such kitwave.wav"), EStreamError);
}

TEST_F(WaveTest, AssignCopiesBytesWithoutStoppingAndSelfAssignChangesNothing) {
    TKitWave source;
    TMemoryStream s;
    LoadBytes(s, WaveBytes(9));
    source.LoadFromStream(s);
    source.Data()->SetPosition(5);
    StopCalls = 0;
    wave.Assign(&source);
    EXPECT_EQ(Content(), WaveBytes(9));
    EXPECT_EQ(source.Data()->GetPosition(), 0);
    EXPECT_EQ(wave.Data()->GetPosition(), 0);
    EXPECT_EQ(StopCalls, 0);
    EXPECT_EQ(changes.Count, 1);

    wave.Assign(&wave);
    EXPECT_EQ(Content(), WaveBytes(9));
    EXPECT_EQ(changes.Count, 1);

    wave.Assign(nullptr);
    EXPECT_TRUE(wave.Empty());
    TStringList strings;
    EXPECT_THROW(wave.Assign(&strings), EConvertError);
}

TEST_F(WaveTest, SoundIsStoppedBeforeDataIsReplacedOrFreed) {
    {
        TKitWave local;
        local.Clear();
        EXPECT_EQ(StopCalls, 0); // no data: nothing to stop
        TMemoryStream s;
        LoadBytes(s, WaveBytes());
        local.LoadFromStream(s);
        EXPECT_EQ(StopCalls, 0);
        s.SetPosition(0);
        local.LoadFromStream(s);
        EXPECT_EQ(StopCalls, 1);
    }
    EXPECT_EQ(StopCalls, 2);
}

// A component publishing one wave, to see the "Data" property in a form.
class TWaveHolder : public TComponent {
    TESSARO_CLASS(TWaveHolder, TComponent)
public:
    explicit TWaveHolder(TComponent* owner) : TComponent(owner) {}
    TKitWave* Wave() const { return const_cast<TKitWave*>(&FWave); }

private:
    TKitWave FWave;
};

const TClassInfo& TWaveHolder::StaticClassInfo() {
    static const TClassInfo info = MakeClassInfo<TWaveHolder>("TWaveHolder", [](TPropertyTable& t) {
        TPropertyBuilder<TWaveHolder> p(t);
        p.Object("Wave", &TWaveHolder::Wave);
    });
    return info;
}

TEST(WaveFormTest, DataPropertyRoundTripsByteForByte) {
    TWaveHolder holder(nullptr);
    TMemoryStream s;
    LoadBytes(s, WaveBytes(11));
    holder.Wave()->LoadFromStream(s);
    const TBytes form = WriteForm(holder);
    TWaveHolder back(nullptr);
    ReadForm(back, form);
    EXPECT_EQ(StreamBytes(*back.Wave()->Data()), WaveBytes(11));
    EXPECT_EQ(WriteForm(back), form);
}

TEST(WaveFormTest, WaveWithoutDataStoresNothing) {
    TWaveHolder holder(nullptr);
    TWaveHolder other(nullptr);
    TMemoryStream s;
    other.Wave()->SaveWithSize(s); // gives it an empty data stream
    EXPECT_LT(WriteForm(holder).size(), WriteForm(other).size());
}

TEST(WaveFormTest, EmptyWaveWrittenToAFormReadsBackEmpty) {
    TWaveHolder holder(nullptr);
    TMemoryStream s;
    holder.Wave()->SaveWithSize(s);
    const TBytes form = WriteForm(holder);
    TWaveHolder back(nullptr);
    TMemoryStream w;
    LoadBytes(w, WaveBytes());
    back.Wave()->LoadFromStream(w);
    ReadForm(back, form);
    EXPECT_TRUE(back.Wave()->Empty());
    EXPECT_EQ(WriteForm(back), form);
}

} // namespace

TEST(WaveStopSound, LoadsNothingAndStopsThroughAWinmmAlreadyLoaded) {
    // Only a loaded winmm can be playing: the stop call never loads or
    // frees a library, whether winmm is there or not.
    std::vector<std::string> loads;
    int releases = 0;
    TSeamOverride load(SystemSeams().LoadLibraryByName, [&](const std::string& name, DWORD) {
        loads.push_back(name);
        return HMODULE{};
    });
    TSeamOverride release(SystemSeams().ReleaseLibrary, [&](HMODULE) {
        ++releases;
        return true;
    });
    const bool loadedBefore = ::GetModuleHandleA("winmm.dll") != nullptr;
    KitStopSound(); // the real stop call
    EXPECT_EQ(::GetModuleHandleA("winmm.dll") != nullptr, loadedBefore);
    const HMODULE winmm = ::LoadLibraryExA("winmm.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    ASSERT_NE(winmm, nullptr);
    KitStopSound(); // with the system's winmm loaded
    ::FreeLibrary(winmm);
    EXPECT_TRUE(loads.empty());
    EXPECT_EQ(releases, 0);
}
