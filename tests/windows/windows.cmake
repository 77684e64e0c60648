# The tests of a Windows build run under Wine: ctest starts each through run-under-wine, in the
# WINEPREFIX of the caller (scripts/windows-test makes a fresh one). Which tests are left out on
# Windows, and why, is said where they are defined.
include("${PROJECT_SOURCE_DIR}/data/windows/runtime.cmake")
# Wine is needed to run the tests, not to build them (scripts/windows-test installs it).
find_program(KERLA_WINE wine)
if(NOT KERLA_WINE)
    set(KERLA_WINE wine)
endif()
set(KERLA_WINEPATH)
foreach(dir IN LISTS KERLA_WINDOWS_DLL_DIRS)
    string(REPLACE "/" "\\" dir "Z:${dir}")
    list(APPEND KERLA_WINEPATH "${dir}")
endforeach()
configure_file("${CMAKE_CURRENT_LIST_DIR}/run-under-wine.in" "${CMAKE_CURRENT_BINARY_DIR}/run-under-wine" @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_BINARY_DIR}/run-under-wine")

# What the program does its own way on Windows (folders, the shell's open, the screen saver's
# settings, the design's faces).
add_executable(open_helper "${CMAKE_CURRENT_LIST_DIR}/open_helper.cpp")
set_target_properties(open_helper PROPERTIES AUTOMOC OFF RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests/helpers")
target_link_options(open_helper PRIVATE -static) # it runs from a copy, far from any DLL
kerla_test(windows_test SOURCES "${CMAKE_CURRENT_LIST_DIR}/windows_test.cpp" LIBS kerla_dialogs)
add_dependencies(windows_test open_helper)
target_compile_definitions(windows_test PRIVATE
    KERLA_OPEN_HELPER="$<TARGET_FILE:open_helper>"
    KERLA_WINE_FONTS="Z:/usr/share/wine/fonts")
