# Window-procedure lists and the theme manager component, relative to theming/.
list(APPEND WINDOWS
    ControlClassNames.cpp
    WindowProcList.cpp
    ThemeMgr.cpp
    ThemeFixUps.cpp
)
