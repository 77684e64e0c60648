# The two things a Windows user downloads, made by `cmake --build build-win64 --target
# kerla_windows_package` (scripts/windows does it) from the ready folder Kerla/:
#   kerla-<version>-win64.zip          the folder as it is, for a portable install
#   kerla-<version>-win64-setup.exe    the installer (NSIS), per user or for all users
# <version> is the project's version (major.minor.patch), as in the Debian package's name.
find_program(ZIP zip)
find_program(MAKENSIS makensis)
set(KERLA_PACKAGE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
set(KERLA_FOLDER "${CMAKE_BINARY_DIR}/Kerla")
set(KERLA_ZIP "${CMAKE_BINARY_DIR}/kerla-${KERLA_PACKAGE_VERSION}-win64.zip")
set(KERLA_INSTALLER "${CMAKE_BINARY_DIR}/kerla-${KERLA_PACKAGE_VERSION}-win64-setup.exe")
set(KERLA_UNINSTALL_LIST "${CMAKE_BINARY_DIR}/kerla-uninstall.nsh")
configure_file("${CMAKE_CURRENT_LIST_DIR}/kerla.nsi.in" "${CMAKE_BINARY_DIR}/kerla.nsi" @ONLY)

if(ZIP AND MAKENSIS)
    add_custom_target(kerla_windows_package
        COMMAND ${CMAKE_COMMAND} -E rm -rf "${KERLA_FOLDER}" "${KERLA_ZIP}" "${KERLA_INSTALLER}"
        COMMAND ${CMAKE_COMMAND} --install "${CMAKE_BINARY_DIR}" --prefix "${KERLA_FOLDER}" --strip
        COMMAND ${CMAKE_COMMAND} -DFOLDER=${KERLA_FOLDER} -DOUT=${KERLA_UNINSTALL_LIST}
                -P "${CMAKE_CURRENT_LIST_DIR}/uninstall-list.cmake"
        COMMAND ${ZIP} -q -r -X "${KERLA_ZIP}" Kerla
        COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8 "${CMAKE_BINARY_DIR}/kerla.nsi"
        DEPENDS kerla kerla-data kerla-print kerla_sample_data kerla_pictures
        WORKING_DIRECTORY "${CMAKE_BINARY_DIR}"
        COMMENT "Laying out Kerla/ and making ${KERLA_ZIP} and ${KERLA_INSTALLER}"
        VERBATIM)
else()
    add_custom_target(kerla_windows_package
        COMMAND ${CMAKE_COMMAND} -E echo "The Windows package needs zip and makensis (nsis)"
        COMMAND ${CMAKE_COMMAND} -E false)
endif()
