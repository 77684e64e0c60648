# kerla_readingwindow: the reading window TBible and its sheet-of-paper picture.
add_library(kerla_readingwindow STATIC
    ${CMAKE_CURRENT_LIST_DIR}/bible.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sheetpicture.cpp)
target_include_directories(kerla_readingwindow PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(kerla_readingwindow PUBLIC kerla_controls kerla_pages)
