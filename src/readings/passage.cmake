add_library(kerla_passage STATIC ${CMAKE_CURRENT_SOURCE_DIR}/passage.cpp)
target_include_directories(kerla_passage PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(kerla_passage PUBLIC kerla_pages)
