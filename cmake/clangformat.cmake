# Runs clang-format, with the project's .clang-format, over the C++ sources of src/, tools/, tests/
# and bench/. MODE=fix rewrites them; MODE=check changes nothing and fails, with clang-format's own
# report of each place, where a file differs from the style.
#   cmake -DCLANG_FORMAT=<program> -DROOT=<source folder> -DMODE=fix|check -P clangformat.cmake
set(_patterns)
foreach(folder src tools tests bench)
    list(APPEND _patterns "${ROOT}/${folder}/*.cpp" "${ROOT}/${folder}/*.h")
endforeach()
file(GLOB_RECURSE _files RELATIVE "${ROOT}" ${_patterns})
list(SORT _files)
if(MODE STREQUAL "fix")
    set(_args -i)
elseif(MODE STREQUAL "check")
    set(_args --dry-run --Werror)
else()
    message(FATAL_ERROR "MODE must be fix or check, not \"${MODE}\"")
endif()
execute_process(COMMAND "${CLANG_FORMAT}" ${_args} ${_files} WORKING_DIRECTORY "${ROOT}" RESULT_VARIABLE _result)
list(LENGTH _files _count)
if(NOT _result EQUAL 0)
    message(FATAL_ERROR "clang-format (${MODE}) found ${_count} files, and not all in the style of "
        ".clang-format; `cmake --build <build> --target format` rewrites them")
endif()
message(STATUS "clang-format (${MODE}): ${_count} files in the style of .clang-format")
