# What `cmake --install` puts into the ready folder of a Windows build (the package target below
# makes it as build-win64/Kerla/), all in one folder, as a Windows program lies:
#   kerla.exe, kerla-data.exe, kerla-print.dll   the program, its data tool, its printing module
#   Qt6*.dll, libstdc++-6.dll, ...               Qt's and MinGW's run-time DLLs
#   platforms/, styles/, imageformats/           Qt's plug-ins: the Windows platform, the Vista style,
#                                                the picture formats
#   Data/, grafika/, Kerla<year>.rtf, Cteni<year>.sj, O Kerlach.rtf, Distribuce.rtf   the data set
#   LICENSE.txt
include("${CMAKE_CURRENT_LIST_DIR}/runtime.cmake")

install(TARGETS kerla kerla-data RUNTIME DESTINATION .)
install(TARGETS kerla-print LIBRARY DESTINATION . RUNTIME DESTINATION .)
install(FILES ${KERLA_QT_DLLS} ${KERLA_MINGW_DLLS} DESTINATION .)
# `cmake --install --strip` strips the program's own files; MinGW's C++ library comes with its
# symbols (23 MB of them), so the DLLs are stripped too.
set(_dll_names)
foreach(dll IN LISTS KERLA_QT_DLLS KERLA_MINGW_DLLS)
    get_filename_component(_name "${dll}" NAME)
    list(APPEND _dll_names "${_name}")
endforeach()
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(dll ${_dll_names})
            execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${CMAKE_INSTALL_PREFIX}/\${dll}\"
                            RESULT_VARIABLE failed)
            if(failed)
                message(FATAL_ERROR \"cannot strip \${dll}\")
            endif()
        endforeach()
    endif()")
foreach(plugin IN LISTS KERLA_QT_PLUGINS)
    get_filename_component(_folder "${plugin}" DIRECTORY)
    if(NOT plugin STREQUAL "platforms/qoffscreen.dll") # the tests' platform, no user's
        install(FILES "${KERLA_QT_PLUGIN_DIR}/${plugin}" DESTINATION "${_folder}")
    endif()
endforeach()

# The data set as the build lays it beside the executable; installing keeps the files' times, so
# Data/1j still names the translation.
install(DIRECTORY "${KERLA_BIN_DIR}/Data" "${KERLA_BIN_DIR}/grafika" DESTINATION .)
set(_data_files "${KERLA_BIN_DIR}/O Kerlach.rtf" "${KERLA_BIN_DIR}/Distribuce.rtf")
foreach(year IN LISTS KERLA_DATA_YEARS)
    list(APPEND _data_files "${KERLA_BIN_DIR}/Kerla${year}.rtf" "${KERLA_BIN_DIR}/Cteni${year}.sj")
endforeach()
install(FILES ${_data_files} DESTINATION .)
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION . RENAME LICENSE.txt)
