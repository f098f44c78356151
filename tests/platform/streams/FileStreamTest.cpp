// TFileStream on the real file system (POSIX natively, Windows under Wine).

#include "platform/classes/Stream.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>

namespace {

class FileStream : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        FFolder = std::filesystem::temp_directory_path() /
                  ("tessaro-streams-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::filesystem::create_directory(FFolder);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(FFolder, ignored);
    }
    std::string File(const std::string& name) const {
        return FFolder.string() + static_cast<char>(std::filesystem::path::preferred_separator) +
               name;
    }

    std::filesystem::path FFolder;
};

std::string ReadAll(TStream& stream) {
    std::string text(static_cast<std::size_t>(stream.GetSize()), '\0');
    stream.SetPosition(0);
    stream.ReadBuffer(text.data(), static_cast<std::int32_t>(text.size()));
    return text;
}

TEST_F(FileStream, CreateWriteAndReadBack) {
    const std::string name = File("data.bin");
    {
        TFileStream out(name, fmCreate);
        EXPECT_EQ(out.FileName(), name);
        out.WriteBuffer("hello world", 11);
        out.WriteInt32(0x11223344);
    }
    TFileStream in(name, fmOpenRead);
    EXPECT_EQ(in.GetSize(), 15);
    EXPECT_EQ(in.Seek(-4, TSeekOrigin::soEnd), 11);
    EXPECT_EQ(in.ReadInt32(), 0x11223344);
    EXPECT_EQ(in.Read(nullptr, 0), 0);
    char buffer[4];
    EXPECT_EQ(in.Read(buffer, 4), 0);
    EXPECT_THROW(in.ReadBuffer(buffer, 1), EReadError);
    EXPECT_EQ(ReadAll(in).substr(0, 5), "hello");
}

TEST_F(FileStream, CreateEmptiesAnExistingFile) {
    const std::string name = File("again.bin");
    {
        TFileStream out(name, fmCreate);
        out.WriteBuffer("long old contents", 17);
    }
    {
        TFileStream out(name, fmCreate);
        out.WriteBuffer("new", 3);
    }
    TFileStream in(name, fmOpenRead);
    EXPECT_EQ(ReadAll(in), "new");
}

TEST_F(FileStream, ReadWriteModeUpdatesInPlaceAndSetSizeTruncates) {
    const std::string name = File("update.bin");
    {
        TFileStream out(name, fmCreate);
        out.WriteBuffer("0123456789", 10);
    }
    {
        TFileStream io(name, fmOpenReadWrite);
        io.SetPosition(2);
        io.WriteBuffer("ab", 2);
        io.SetPosition(8);
        io.SetSize(6);
        EXPECT_EQ(io.GetPosition(), 6);
        EXPECT_EQ(io.GetSize(), 6);
    }
    TFileStream in(name, fmOpenRead);
    EXPECT_EQ(ReadAll(in), "01ab45");
}

TEST_F(FileStream, PositionsBeyondFourGigabytes) {
    TFileStream io(File("far.bin"), fmCreate);
    const std::int64_t far = std::int64_t{5} << 30;
    EXPECT_EQ(io.Seek(far, TSeekOrigin::soBeginning), far);
    EXPECT_EQ(io.GetPosition(), far);
    EXPECT_THROW(io.Seek(-1, TSeekOrigin::soBeginning), EStreamError);
}

TEST_F(FileStream, MissingFileRaisesOpenErrorNamingTheFile) {
    const std::string name = File("missing.bin");
    try {
        TFileStream in(name, fmOpenRead);
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find(name), std::string::npos) << e.Message();
        EXPECT_NE(e.Message().find("kann nicht geöffnet werden: "), std::string::npos)
            << e.Message();
        // The system's text follows the colon.
        EXPECT_GT(e.Message().size(), e.Message().find(": ") + 3);
    }
}

TEST_F(FileStream, UncreatableFileRaisesCreateError) {
    const std::string name = File("no-such-folder") +
                             static_cast<char>(std::filesystem::path::preferred_separator) + "x";
    try {
        TFileStream out(name, fmCreate);
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_NE(e.Message().find(name), std::string::npos) << e.Message();
        EXPECT_NE(e.Message().find("kann nicht erstellt werden"), std::string::npos);
    }
}

TEST_F(FileStream, ReadOnlyStreamRefusesWrites) {
    const std::string name = File("ro.bin");
    { TFileStream out(name, fmCreate); }
    TFileStream in(name, fmOpenRead);
    EXPECT_THROW(in.WriteBuffer("x", 1), EWriteError);
}

TEST_F(FileStream, MemoryStreamFileRoundTripWithUmlautName) {
    const std::string name = File("Größe.bin"); // CP1252 bytes
    TMemoryStream out;
    out.WriteBuffer("\x00\x01\xFF", 3);
    out.SaveToFile(name);
    TMemoryStream in;
    in.Write("old", 3);
    in.LoadFromFile(name);
    EXPECT_EQ(in.GetPosition(), 0);
    EXPECT_EQ(in.Bytes(), out.Bytes());
    EXPECT_THROW(in.LoadFromFile(File("nothing.bin")), EFOpenError);
}

#ifdef _WIN32
TEST_F(FileStream, ShareModesDecideWhoElseMayOpen) {
    const std::string name = File("shared.bin");
    { TFileStream out(name, fmCreate); }
    {
        TFileStream exclusive(name, fmOpenRead | fmShareExclusive);
        EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone), EFOpenError);
    }
    {
        TFileStream reader(name, fmOpenRead | fmShareDenyWrite);
        EXPECT_NO_THROW(TFileStream(name, fmOpenRead | fmShareDenyWrite));
        EXPECT_THROW(TFileStream(name, fmOpenReadWrite | fmShareDenyNone), EFOpenError);
    }
    {
        TFileStream reader(name, fmOpenRead | fmShareDenyNone);
        EXPECT_NO_THROW(TFileStream(name, fmOpenReadWrite | fmShareDenyNone));
    }
}
#endif

} // namespace
