// TResourceStream over resources linked into this test program.

#include "platform/classes/ResourceStream.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(ResourceStream, ReadsANamedRcDataResource) {
    TResourceStream stream(GetModuleHandleA(nullptr), "TESTDATA");
    ASSERT_EQ(stream.GetSize(), 10);
    std::string text(10, '\0');
    stream.ReadBuffer(text.data(), 10);
    EXPECT_EQ(text, "Hallo Welt");
    EXPECT_THROW(stream.WriteBuffer("x", 1), EWriteError);
}

TEST(ResourceStream, NamesAreCaseInsensitiveLikeTheSystemsLookup) {
    EXPECT_NO_THROW(TResourceStream(GetModuleHandleA(nullptr), "testdata"));
}

TEST(ResourceStream, OtherResourceTypes) {
    TResourceStream stream(GetModuleHandleA(nullptr), "TESTTEXT", MAKEINTRESOURCEA(300));
    EXPECT_EQ(stream.GetSize(), 5);
    EXPECT_THROW(TResourceStream(GetModuleHandleA(nullptr), "TESTTEXT"), EResNotFound);
}

TEST(ResourceStream, MissingResourceRaisesResNotFound) {
    try {
        TResourceStream stream(GetModuleHandleA(nullptr), "TFRMNOTHERE");
        FAIL() << "no error";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Ressource TFRMNOTHERE nicht gefunden");
    }
}

} // namespace
