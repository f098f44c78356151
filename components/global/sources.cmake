# The global container with one list of each kind, and the "Internal" list
# references of controls to its image lists.
list(APPEND WINDOWS
    kitcont.cpp
)
