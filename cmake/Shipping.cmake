# What a Windows user gets: the program without debug sections, its version
# resource, the install rule and the zip package made from the install folder.

# The version of the program, written into its resources.
set(TESSARO_FILE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)

# tessaro_split_debug_info(target): after every link the debug sections move
# into <name>.debug beside the executable, which keeps only a link to that
# file (a debugger follows it). Wine reads a whole image into memory, debug
# sections included, so the shipped file must not carry them.
function(tessaro_split_debug_info target)
    set(exe $<TARGET_FILE:${target}>)
    set(debug $<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_BASE_NAME:${target}>.debug)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_OBJCOPY} --only-keep-debug ${exe} ${debug}
        COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${debug} ${exe}
        COMMENT "Moving the debug information of ${target} into a file beside it"
        VERBATIM)
endfunction()

# The package: Tessaro-<version>-win64.zip or -win32.zip, one folder holding
# what the install rules put there. Installing and packaging build nothing:
# they take the program as built (tools/package.sh builds it first), not
# every test program of the build.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
function(tessaro_package)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(arch win64)
    else()
        set(arch win32)
    endif()
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_NAME Tessaro)
    set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
    set(CPACK_PACKAGE_FILE_NAME Tessaro-${PROJECT_VERSION}-${arch})
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
    include(CPack)
endfunction()
