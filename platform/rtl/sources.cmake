# Files of platform/rtl, relative to this folder. List a file only once it exists.
list(APPEND PORTABLE
    Exceptions.cpp
    FilePaths.cpp
    Format.cpp
    FormatSettings.cpp
    NumberText.cpp
    OSFile.cpp
    StringUtils.cpp
    TextLineSplitter.cpp
    TextReader.cpp
    TextWriter.cpp
)
list(APPEND WINDOWS
    FileSystemWin.cpp
    OSFileWin.cpp
    SystemLibrary.cpp
    SystemSeams.cpp
    SystemTextWin.cpp
    UserFormatSettingsWin.cpp
)
# The native build runs the portable code on POSIX stand-ins of the OS calls.
if(NOT TESSARO_WINDOWS)
    list(APPEND PORTABLE
        OSFilePosix.cpp
        UserFormatSettingsPosix.cpp
    )
endif()
