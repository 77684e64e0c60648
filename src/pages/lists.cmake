# kerla_lists: the 2025 week, month and year lists. The references are chosen in
# data/periodic-2025.txt; kerla-data takes their words from the Bible text at build time.
set(_kerla_lists_source "${CMAKE_CURRENT_BINARY_DIR}/periodiclists_data.cpp")
add_custom_command(
    OUTPUT "${_kerla_lists_source}"
    COMMAND ${KERLA_DATA_TOOL} lists "${KERLA_SOURCE_DATA}" "${PROJECT_SOURCE_DIR}/data/periodic-2025.txt"
            "${_kerla_lists_source}"
    DEPENDS ${KERLA_DATA_TOOL} "${PROJECT_SOURCE_DIR}/data/periodic-2025.txt"
            "${KERLA_SOURCE_DATA}/bible-kralice.txt" "${KERLA_SOURCE_DATA}/books.tsv"
    COMMENT "Generating the 2025 week, month and year lists"
    VERBATIM)
add_library(kerla_lists STATIC "${_kerla_lists_source}")
set_target_properties(kerla_lists PROPERTIES AUTOMOC OFF)
target_include_directories(kerla_lists PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(kerla_lists PUBLIC Qt6::Core)
