# Helpers that give every target of the project the same flags.

function(tessaro_target_flags target)
    # C++ only: resource scripts of the same target go to windres.
    target_compile_options(${target} PRIVATE
        "$<$<COMPILE_LANGUAGE:CXX>:${TESSARO_WARNINGS};${TESSARO_CHARSET}>")
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()

# tessaro_add_test(NAME name SOURCES ... LIBS ... [WINDOWED])
# One executable per layer or component, so a test run pays one Wine start per
# executable; WINDOWED marks tests that open windows (they need the X server).
function(tessaro_add_test)
    cmake_parse_arguments(T "WINDOWED" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    tessaro_target_flags(${T_NAME})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} tessaro_gtest_main)
    if(TESSARO_RUN_TESTS)
        add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_brief=1)
        set_tests_properties(${T_NAME} PROPERTIES
            ENVIRONMENT "TESSARO_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}")
        if(T_WINDOWED)
            # One screen: windows of tests run side by side would cover each
            # other in screenshots and steal each other's focus.
            set_tests_properties(${T_NAME} PROPERTIES LABELS windowed RESOURCE_LOCK display)
        endif()
    endif()
endfunction()
