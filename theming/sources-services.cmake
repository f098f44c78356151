# Visual-styles binding and theme services, relative to theming/.
list(APPEND WINDOWS
    UxTheme.cpp
    ThemeSrv.cpp
)
