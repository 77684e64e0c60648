# What `cmake --install` puts in place, below the prefix:
#   bin/kerla, bin/kerla-data
#   lib/kerla/modules/             the printing module (below lib/<multiarch>/ under /usr); a folder
#                                  of its own, not lib/kerla/, so that the package calls no ldconfig
#   share/kerla/                   the whole sample data set (found as ../share/kerla/ from bin/)
#   share/applications/, share/metainfo/, share/icons/hicolor/, share/man/man1/kerla.1.gz, kerla-data.1.gz
#   share/doc/kerla/               copyright and changelog
include(GNUInstallDirs)
set(_linux "${CMAKE_CURRENT_LIST_DIR}/linux")
set(_share "${CMAKE_INSTALL_DATADIR}/kerla")
set(_doc "${CMAKE_INSTALL_DATADIR}/doc/kerla")
# Folders and data readable by everyone, whatever the umask of the build.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(_readable FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
    DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})

install(TARGETS kerla kerla-data RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
# The printing module, which kerla loads on first use, as KERLA_MODULE_DIR says.
install(TARGETS kerla-print LIBRARY DESTINATION "${CMAKE_INSTALL_LIBDIR}/kerla/modules")

# The data set as the build lays it beside the executable. Installing keeps the files' times, so
# Data/1j still names the translation.
install(DIRECTORY "${KERLA_BIN_DIR}/Data" "${KERLA_BIN_DIR}/grafika" DESTINATION "${_share}" ${_readable})
set(_data_files "${KERLA_BIN_DIR}/O Kerlach.rtf" "${KERLA_BIN_DIR}/Distribuce.rtf")
foreach(year IN LISTS KERLA_DATA_YEARS)
    list(APPEND _data_files "${KERLA_BIN_DIR}/Kerla${year}.rtf" "${KERLA_BIN_DIR}/Cteni${year}.sj")
endforeach()
install(FILES ${_data_files} DESTINATION "${_share}")

# The desktop: menu entry, AppStream metainfo, icon in every size, manual page.
install(FILES "${_linux}/org.example.Kerla.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${_linux}/org.example.Kerla.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${CMAKE_CURRENT_LIST_DIR}/icons/org.example.Kerla.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(DIRECTORY "${CMAKE_BINARY_DIR}/icons/" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor" ${_readable})

# The manual pages name the version the project has (KERLA_DISPLAY_VERSION); the changelog's and
# the metainfo's newest entries are history, kept as written and checked against it by version_test.
set(_man_dir "${CMAKE_CURRENT_BINARY_DIR}/man")
foreach(name kerla.1 kerla-data.1)
    configure_file("${_linux}/${name}" "${_man_dir}/${name}" @ONLY)
endforeach()
# Compressed the way Debian wants them: gzip -9n, no name or time stamp inside.
find_program(GZIP gzip REQUIRED)
set(_gz_dir "${CMAKE_CURRENT_BINARY_DIR}/gz")
foreach(source "${_man_dir}/kerla.1" "${_man_dir}/kerla-data.1" "${_linux}/changelog")
    get_filename_component(name "${source}" NAME)
    add_custom_command(OUTPUT "${_gz_dir}/${name}.gz"
        COMMAND ${CMAKE_COMMAND} -E copy "${source}" "${_gz_dir}/${name}"
        COMMAND ${GZIP} -9nf "${_gz_dir}/${name}"
        DEPENDS "${source}"
        VERBATIM)
endforeach()
add_custom_target(kerla_compressed_docs ALL DEPENDS "${_gz_dir}/kerla.1.gz" "${_gz_dir}/kerla-data.1.gz"
    "${_gz_dir}/changelog.gz")
install(FILES "${_gz_dir}/kerla.1.gz" "${_gz_dir}/kerla-data.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

# The licence in the machine-readable copyright format: its text below the notice, indented.
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" _licence)
string(REGEX REPLACE "^.*\nCopyright[^\n]*\n\n" "" _licence "${_licence}")
string(REGEX REPLACE "\n+$" "" _licence "${_licence}")
string(REPLACE "\n\n" "\n.\n" _licence "${_licence}")
string(REPLACE "\n" "\n " KERLA_LICENSE_TEXT " ${_licence}")
configure_file("${_linux}/copyright.in" "${CMAKE_CURRENT_BINARY_DIR}/copyright" @ONLY)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/copyright" "${_gz_dir}/changelog.gz" DESTINATION "${_doc}")
