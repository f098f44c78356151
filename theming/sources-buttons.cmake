# Themed buttons, check boxes, radio buttons, bit buttons, speed buttons and
# check list boxes, relative to theming/.
list(APPEND WINDOWS
    ThemedButtons.cpp
)
