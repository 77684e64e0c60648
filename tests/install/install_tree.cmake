# cmake -DBUILD=<build folder> -DROOT=<folder> -P install_tree.cmake
# Installs the build with the prefix /usr into the DESTDIR ROOT, which is emptied first so that no
# file of an earlier install stands in for a missing one.
file(REMOVE_RECURSE "${ROOT}")
execute_process(COMMAND ${CMAKE_COMMAND} -E env "DESTDIR=${ROOT}" ${CMAKE_COMMAND} --install "${BUILD}" --prefix /usr
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
