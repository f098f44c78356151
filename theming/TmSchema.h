#pragma once
// Part and state numbers of the visual-styles schema for the element classes
// the theme manager draws. The details families of ThemeSrv produce these
// numbers; code that draws names them from here. Do not include the
// system's schema headers beside this one: they declare the same names.

// "button"
constexpr int BP_PUSHBUTTON = 1;
constexpr int BP_RADIOBUTTON = 2;
constexpr int BP_CHECKBOX = 3;
constexpr int BP_GROUPBOX = 4;
constexpr int BP_USERBUTTON = 5;

constexpr int PBS_NORMAL = 1;
constexpr int PBS_HOT = 2;
constexpr int PBS_PRESSED = 3;
constexpr int PBS_DISABLED = 4;
constexpr int PBS_DEFAULTED = 5;

constexpr int RBS_UNCHECKEDNORMAL = 1;
constexpr int RBS_UNCHECKEDHOT = 2;
constexpr int RBS_UNCHECKEDPRESSED = 3;
constexpr int RBS_UNCHECKEDDISABLED = 4;
constexpr int RBS_CHECKEDNORMAL = 5;
constexpr int RBS_CHECKEDHOT = 6;
constexpr int RBS_CHECKEDPRESSED = 7;
constexpr int RBS_CHECKEDDISABLED = 8;

constexpr int CBS_UNCHECKEDNORMAL = 1;
constexpr int CBS_UNCHECKEDHOT = 2;
constexpr int CBS_UNCHECKEDPRESSED = 3;
constexpr int CBS_UNCHECKEDDISABLED = 4;
constexpr int CBS_CHECKEDNORMAL = 5;
constexpr int CBS_CHECKEDHOT = 6;
constexpr int CBS_CHECKEDPRESSED = 7;
constexpr int CBS_CHECKEDDISABLED = 8;
constexpr int CBS_MIXEDNORMAL = 9;
constexpr int CBS_MIXEDHOT = 10;
constexpr int CBS_MIXEDPRESSED = 11;
constexpr int CBS_MIXEDDISABLED = 12;

constexpr int GBS_NORMAL = 1;
constexpr int GBS_DISABLED = 2;

// "edit"
constexpr int EP_EDITTEXT = 1;
constexpr int EP_CARET = 2;

constexpr int ETS_NORMAL = 1;
constexpr int ETS_HOT = 2;
constexpr int ETS_SELECTED = 3;
constexpr int ETS_DISABLED = 4;
constexpr int ETS_FOCUSED = 5;
constexpr int ETS_READONLY = 6;
constexpr int ETS_ASSIST = 7;

// "rebar"
constexpr int RP_GRIPPER = 1;
constexpr int RP_GRIPPERVERT = 2;
constexpr int RP_BAND = 3;
constexpr int RP_CHEVRON = 4;
constexpr int RP_CHEVRONVERT = 5;

constexpr int CHEVS_NORMAL = 1;
constexpr int CHEVS_HOT = 2;
constexpr int CHEVS_PRESSED = 3;

// "status"
constexpr int SP_PANE = 1;
constexpr int SP_GRIPPERPANE = 2;
constexpr int SP_GRIPPER = 3;

// "tab"
constexpr int TABP_TABITEM = 1;
constexpr int TABP_TABITEMLEFTEDGE = 2;
constexpr int TABP_TABITEMRIGHTEDGE = 3;
constexpr int TABP_TABITEMBOTHEDGE = 4;
constexpr int TABP_TOPTABITEM = 5;
constexpr int TABP_TOPTABITEMLEFTEDGE = 6;
constexpr int TABP_TOPTABITEMRIGHTEDGE = 7;
constexpr int TABP_TOPTABITEMBOTHEDGE = 8;
constexpr int TABP_PANE = 9;
constexpr int TABP_BODY = 10;

constexpr int TIS_NORMAL = 1;
constexpr int TIS_HOT = 2;
constexpr int TIS_SELECTED = 3;
constexpr int TIS_DISABLED = 4;
constexpr int TIS_FOCUSED = 5;

// "toolbar"
constexpr int TP_BUTTON = 1;
constexpr int TP_DROPDOWNBUTTON = 2;
constexpr int TP_SPLITBUTTON = 3;
constexpr int TP_SPLITBUTTONDROPDOWN = 4;
constexpr int TP_SEPARATOR = 5;
constexpr int TP_SEPARATORVERT = 6;

constexpr int TS_NORMAL = 1;
constexpr int TS_HOT = 2;
constexpr int TS_PRESSED = 3;
constexpr int TS_DISABLED = 4;
constexpr int TS_CHECKED = 5;
constexpr int TS_HOTCHECKED = 6;

// "trackbar"
constexpr int TKP_TRACK = 1;
constexpr int TKP_TRACKVERT = 2;
constexpr int TKP_THUMB = 3;
constexpr int TKP_THUMBBOTTOM = 4;
constexpr int TKP_THUMBTOP = 5;
constexpr int TKP_THUMBVERT = 6;
constexpr int TKP_THUMBLEFT = 7;
constexpr int TKP_THUMBRIGHT = 8;
constexpr int TKP_TICS = 9;
constexpr int TKP_TICSVERT = 10;

constexpr int TKS_NORMAL = 1;
constexpr int TRS_NORMAL = 1;
constexpr int TRVS_NORMAL = 1;

constexpr int TUS_NORMAL = 1;
constexpr int TUS_HOT = 2;
constexpr int TUS_PRESSED = 3;
constexpr int TUS_FOCUSED = 4;
constexpr int TUS_DISABLED = 5;
