# Themed containers and the remaining controls, relative to theming/.
list(APPEND WINDOWS
    ThemedContainers.cpp
)
