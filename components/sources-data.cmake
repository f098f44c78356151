# Wave data, change links, containers and list items, the string and wave
# lists, the global container and its "Internal" list references.
list(APPEND WINDOWS
    kitwave.cpp
    kitlistbase.cpp
    kitdatalists.cpp
    kitcont.cpp
)
