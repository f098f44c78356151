#include "components/base/kitclass.h"
#include "components/base/kitsysinfo.h"

#include "platform/classes/Properties.h"

#include <gtest/gtest.h>

namespace {

class KitIniCtrl : public ::testing::Test {
protected:
    void TearDown() override { ResetKitSysInfoSeams(); }
    static void LoginNameIs(bool (*query)(char*, unsigned long*)) {
        KitSysInfoSeams().UserName = query;
    }
    TKitIniCtrl Ctrl{nullptr};
};

template <std::size_t N> bool Answer(char* buffer, unsigned long* size, const char (&name)[N]) {
    std::copy(name, name + N, buffer);
    *size = N;
    return true;
}

} // namespace

TEST_F(KitIniCtrl, Defaults) {
    EXPECT_EQ(Ctrl.Target(), itAuto);
    EXPECT_EQ(Ctrl.EffectiveTarget(), itRegistry);
    EXPECT_EQ(Ctrl.User(), "");
    EXPECT_TRUE(Ctrl.Common());
    EXPECT_EQ(Ctrl.IniPrefix(), ppWindows);
    EXPECT_EQ(Ctrl.RegRoot(), rpCurrentUser);
    EXPECT_FALSE(Ctrl.AlphaCounter());
    EXPECT_EQ(Ctrl.MaxEntries(), 16);
    EXPECT_FALSE(Ctrl.NetUser());
    EXPECT_EQ(Ctrl.IniFile(), "");
    EXPECT_EQ(Ctrl.About(), "");
}

TEST_F(KitIniCtrl, PublishedDefaultsMatchTheConstructor) {
    const TPropertyTable& table = TKitIniCtrl::StaticClassInfo().Properties();
    const char* const names[] = {"About",     "AlphaCounter", "Common",  "IniFile",
                                 "IniPrefix", "MaxEntries",   "NetUser", "User",
                                 "RegPath",   "RegRoot",      "Target"};
    for (const char* name : names) {
        const TPropInfo* info = table.Find(name);
        ASSERT_NE(info, nullptr) << name;
        if (!info->Default)
            continue;
        const TPropValue value = info->Get(Ctrl);
        const std::int64_t ordinal = std::holds_alternative<bool>(value)
                                         ? (std::get<bool>(value) ? 1 : 0)
                                         : std::get<std::int64_t>(value);
        EXPECT_EQ(ordinal, *info->Default) << name;
    }
}

TEST_F(KitIniCtrl, IniFileGetsTheIniExtensionWhenItHasNone) {
    Ctrl.SetIniFile("Einstellungen");
    EXPECT_EQ(Ctrl.IniFile(), "Einstellungen.INI");
    Ctrl.SetIniFile("daten.cfg");
    EXPECT_EQ(Ctrl.IniFile(), "daten.cfg");
    Ctrl.SetIniFile("");
    EXPECT_EQ(Ctrl.IniFile(), ".INI");
    Ctrl.SetIniFile("C:\\Pfad.mit.Punkt\\datei");
    EXPECT_EQ(Ctrl.IniFile(), "C:\\Pfad.mit.Punkt\\datei.INI");
    // A trailing dot is an extension of its own, so the name stays.
    Ctrl.SetIniFile("liste.");
    EXPECT_EQ(Ctrl.IniFile(), "liste.");
}

TEST_F(KitIniCtrl, AlphaCounterLimitsMaxEntries) {
    Ctrl.SetAlphaCounter(true);
    Ctrl.SetMaxEntries(30);
    EXPECT_EQ(Ctrl.MaxEntries(), 16);
    Ctrl.SetMaxEntries(26);
    EXPECT_EQ(Ctrl.MaxEntries(), 26);
    Ctrl.SetAlphaCounter(false);
    Ctrl.SetMaxEntries(40);
    EXPECT_EQ(Ctrl.MaxEntries(), 40);
    Ctrl.SetAlphaCounter(true);
    EXPECT_EQ(Ctrl.MaxEntries(), 26);
}

TEST_F(KitIniCtrl, UnchangedAlphaCounterDoesNotCut) {
    Ctrl.SetMaxEntries(40);
    Ctrl.SetAlphaCounter(false);
    EXPECT_EQ(Ctrl.MaxEntries(), 40);
}

TEST_F(KitIniCtrl, TargetResolvesAutoToTheRegistry) {
    Ctrl.SetTarget(itIniFile);
    EXPECT_EQ(Ctrl.Target(), itIniFile);
    EXPECT_EQ(Ctrl.EffectiveTarget(), itIniFile);
    Ctrl.SetTarget(itAuto);
    EXPECT_EQ(Ctrl.EffectiveTarget(), itRegistry);
    Ctrl.SetTarget(itRegistry);
    EXPECT_EQ(Ctrl.EffectiveTarget(), itRegistry);
}

TEST_F(KitIniCtrl, NetUserFillsTheLoginNameOnce) {
    LoginNameIs([](char* b, unsigned long* s) { return Answer(b, s, "anna"); });
    Ctrl.SetNetUser(true);
    EXPECT_EQ(Ctrl.User(), "anna");
    LoginNameIs([](char* b, unsigned long* s) { return Answer(b, s, "bernd"); });
    Ctrl.SetNetUser(true);
    EXPECT_EQ(Ctrl.User(), "anna");
    Ctrl.SetNetUser(false);
    EXPECT_EQ(Ctrl.User(), "anna");
    Ctrl.SetNetUser(true);
    EXPECT_EQ(Ctrl.User(), "bernd");
}

TEST_F(KitIniCtrl, NetUserWithoutLoginName) {
    LoginNameIs([](char*, unsigned long*) { return false; });
    Ctrl.SetNetUser(true);
    EXPECT_EQ(Ctrl.User(), "(Unbekannt)");
    EXPECT_EQ(Ctrl.DefaultUser(), "(Unbekannt)");
}

TEST_F(KitIniCtrl, PlainStores) {
    Ctrl.SetCommon(false);
    Ctrl.SetRegPath("Software\\Tessaro");
    Ctrl.SetRegRoot(rpLocalMachine);
    Ctrl.SetIniPrefix(ppFixed);
    Ctrl.SetUser("x");
    EXPECT_FALSE(Ctrl.Common());
    EXPECT_EQ(Ctrl.RegPath(), "Software\\Tessaro");
    EXPECT_EQ(Ctrl.RegRoot(), rpLocalMachine);
    EXPECT_EQ(Ctrl.IniPrefix(), ppFixed);
    EXPECT_EQ(Ctrl.User(), "x");
}
