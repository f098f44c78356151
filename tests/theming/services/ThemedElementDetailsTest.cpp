// The details families: every ordinal of every family against the ranges
// as the schema groups them, plus the element class names.

#include "theming/ThemeSrv.h"
#include "theming/TmSchema.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using enum ThemeElementClass;

struct Range {
    int First;
    int Last;
    int Part;
};

struct Family {
    const char* Name;
    ThemeElementClass Element;
    ThemedElementDetails (*Details)(std::uint8_t);
    std::vector<Range> Ranges;
};

const std::vector<Family>& Families() {
    static const std::vector<Family> families = {
        {"button",
         teButton,
         &TThemeServices::ButtonDetails,
         {{2, 6, BP_PUSHBUTTON},
          {7, 14, BP_RADIOBUTTON},
          {15, 26, BP_CHECKBOX},
          {27, 28, BP_GROUPBOX},
          {29, 29, BP_USERBUTTON}}},
        {"edit", teEdit, &TThemeServices::EditDetails, {{2, 8, EP_EDITTEXT}, {9, 9, EP_CARET}}},
        {"rebar",
         teRebar,
         &TThemeServices::RebarDetails,
         {{2, 2, RP_GRIPPER},
          {3, 3, RP_GRIPPERVERT},
          {4, 9, RP_BAND},
          {10, 13, RP_CHEVRON},
          {14, 17, RP_CHEVRONVERT}}},
        {"status",
         teStatus,
         &TThemeServices::StatusDetails,
         {{2, 2, SP_PANE}, {3, 3, SP_GRIPPERPANE}, {4, 4, SP_GRIPPER}}},
        {"tab",
         teTab,
         &TThemeServices::TabDetails,
         {{2, 6, TABP_TABITEM},
          {7, 11, TABP_TABITEMLEFTEDGE},
          {12, 16, TABP_TABITEMRIGHTEDGE},
          {17, 21, TABP_TABITEMBOTHEDGE},
          {22, 26, TABP_TOPTABITEM},
          {27, 31, TABP_TOPTABITEMLEFTEDGE},
          {32, 36, TABP_TOPTABITEMRIGHTEDGE},
          {37, 41, TABP_TOPTABITEMBOTHEDGE},
          {42, 42, TABP_PANE},
          {43, 43, TABP_BODY}}},
        {"toolbar",
         teToolBar,
         &TThemeServices::ToolBarDetails,
         {{2, 7, TP_BUTTON},
          {8, 13, TP_DROPDOWNBUTTON},
          {14, 19, TP_SPLITBUTTON},
          {20, 25, TP_SPLITBUTTONDROPDOWN},
          {26, 31, TP_SEPARATOR},
          {32, 37, TP_SEPARATORVERT}}},
        {"trackbar",
         teTrackBar,
         &TThemeServices::TrackBarDetails,
         {{2, 2, TKP_TRACK},
          {3, 3, TKP_TRACKVERT},
          {4, 8, TKP_THUMB},
          {9, 13, TKP_THUMBBOTTOM},
          {14, 18, TKP_THUMBTOP},
          {19, 23, TKP_THUMBVERT},
          {24, 28, TKP_THUMBLEFT},
          {29, 33, TKP_THUMBRIGHT},
          {34, 34, TKP_TICS},
          {35, 35, TKP_TICSVERT}}},
    };
    return families;
}

TEST(ThemedElementDetailsFamilies, EveryOrdinalFallsInItsRangeOrGivesPartZero) {
    for (const Family& family : Families()) {
        for (int ordinal = 0; ordinal <= 255; ++ordinal) {
            ThemedElementDetails expected{family.Element, 0, ordinal + 1};
            for (const Range& range : family.Ranges)
                if (ordinal >= range.First && ordinal <= range.Last)
                    expected = {family.Element, range.Part, ordinal - range.First + 1};
            const ThemedElementDetails actual = family.Details(static_cast<std::uint8_t>(ordinal));
            EXPECT_EQ(actual, expected) << family.Name << " ordinal " << ordinal << ": got ("
                                        << actual.Part << ", " << actual.State << ")";
        }
    }
}

TEST(ThemedElementDetailsFamilies, ExamplesOfTheSchema) {
    using S = TThemeServices;
    EXPECT_EQ(S::ButtonDetails(2), (ThemedElementDetails{teButton, BP_PUSHBUTTON, PBS_NORMAL}));
    EXPECT_EQ(S::ButtonDetails(6), (ThemedElementDetails{teButton, BP_PUSHBUTTON, PBS_DEFAULTED}));
    EXPECT_EQ(S::ButtonDetails(15),
              (ThemedElementDetails{teButton, BP_CHECKBOX, CBS_UNCHECKEDNORMAL}));
    EXPECT_EQ(S::ButtonDetails(26),
              (ThemedElementDetails{teButton, BP_CHECKBOX, CBS_MIXEDDISABLED}));
    EXPECT_EQ(S::ButtonDetails(27), (ThemedElementDetails{teButton, BP_GROUPBOX, GBS_NORMAL}));
    EXPECT_EQ(S::EditDetails(2), (ThemedElementDetails{teEdit, EP_EDITTEXT, ETS_NORMAL}));
    EXPECT_EQ(S::TabDetails(43), (ThemedElementDetails{teTab, TABP_BODY, 1}));
    EXPECT_EQ(S::TrackBarDetails(34), (ThemedElementDetails{teTrackBar, TKP_TICS, 1}));
    EXPECT_EQ(S::TrackBarDetails(8), (ThemedElementDetails{teTrackBar, TKP_THUMB, TUS_DISABLED}));
    EXPECT_EQ(S::RebarDetails(4), (ThemedElementDetails{teRebar, RP_BAND, 1}));
    EXPECT_EQ(S::ToolBarDetails(5), (ThemedElementDetails{teToolBar, TP_BUTTON, TS_DISABLED}));
}

TEST(ThemedElementDetailsFamilies, OrdinalsOutsideEveryRange) {
    using S = TThemeServices;
    EXPECT_EQ(S::ButtonDetails(0), (ThemedElementDetails{teButton, 0, 1}));
    EXPECT_EQ(S::ButtonDetails(1), (ThemedElementDetails{teButton, 0, 2}));
    EXPECT_EQ(S::ButtonDetails(30), (ThemedElementDetails{teButton, 0, 31}));
    EXPECT_EQ(S::TabDetails(44), (ThemedElementDetails{teTab, 0, 45}));
    EXPECT_EQ(S::StatusDetails(5), (ThemedElementDetails{teStatus, 0, 6}));
    EXPECT_EQ(S::TrackBarDetails(255), (ThemedElementDetails{teTrackBar, 0, 256}))
        << "the state leaves the byte range without wrapping";
}

TEST(ThemedElementDetailsFamilies, RangeBorders) {
    using S = TThemeServices;
    EXPECT_EQ(S::ToolBarDetails(19), (ThemedElementDetails{teToolBar, 3, 6}));
    EXPECT_EQ(S::ToolBarDetails(20), (ThemedElementDetails{teToolBar, 4, 1}));
    EXPECT_EQ(S::ToolBarDetails(37), (ThemedElementDetails{teToolBar, 6, 6}));
    EXPECT_EQ(S::ToolBarDetails(38), (ThemedElementDetails{teToolBar, 0, 39}));
    EXPECT_EQ(S::EditDetails(8), (ThemedElementDetails{teEdit, 1, 7}));
    EXPECT_EQ(S::EditDetails(10), (ThemedElementDetails{teEdit, 0, 11}));
}

TEST(ThemeElementClasses, NamesAndStorage) {
    const char* const expected[] = {
        "button",   "clock",      "combobox", "edit",       "explorerbar", "header",
        "listview", "menu",       "page",     "progress",   "rebar",       "scrollbar",
        "spin",     "startpanel", "status",   "tab",        "taskband",    "taskbar",
        "toolbar",  "tooltip",    "trackbar", "traynotify", "treeview",    "window"};
    ASSERT_EQ(std::size(expected), static_cast<size_t>(ThemeElementClassCount));
    for (int i = 0; i < ThemeElementClassCount; ++i) {
        const std::wstring name = ThemeElementClassName(static_cast<ThemeElementClass>(i));
        EXPECT_EQ(std::string(name.begin(), name.end()), expected[i]) << "class " << i;
    }
    EXPECT_EQ(static_cast<int>(teWindow), 23);
    EXPECT_EQ(sizeof(ThemeElementClass), 1u);
}

} // namespace
