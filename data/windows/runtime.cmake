# What kerla.exe needs beside it on Windows, found once for the install rules and for the tests:
#   KERLA_QT_DLLS         Qt's DLLs that the program and its printing module link
#   KERLA_QT_PLUGINS      "<folder>/<file>" pairs below Qt's plugins/ folder: the Windows platform,
#                         the offscreen platform (for tests), the Vista style, the picture formats
#   KERLA_QT_PLUGIN_DIR   Qt's plugins/ folder
#   KERLA_MINGW_DLLS      MinGW's run-time DLLs (C++ library, GCC's support, threads)
#   KERLA_WINDOWS_DLL_DIRS the folders that hold all of these, for Wine's search path
get_target_property(_core Qt6::Core IMPORTED_LOCATION_RELEASE)
if(NOT _core)
    get_target_property(_core Qt6::Core LOCATION)
endif()
get_filename_component(_qt_bin "${_core}" DIRECTORY)
get_filename_component(KERLA_QT_PLUGIN_DIR "${_qt_bin}/../plugins" ABSOLUTE)
set(KERLA_QT_DLLS)
foreach(module Core Gui Widgets PrintSupport)
    list(APPEND KERLA_QT_DLLS "${_qt_bin}/Qt6${module}.dll")
endforeach()
set(KERLA_QT_PLUGINS platforms/qwindows.dll platforms/qoffscreen.dll styles/qwindowsvistastyle.dll
    imageformats/qgif.dll imageformats/qico.dll imageformats/qjpeg.dll)

set(KERLA_MINGW_DLLS)
set(KERLA_WINDOWS_DLL_DIRS "${_qt_bin}")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${dll}
                    OUTPUT_VARIABLE _path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${_path}" OR NOT EXISTS "${_path}")
        message(FATAL_ERROR "MinGW's ${dll} is not where ${CMAKE_CXX_COMPILER} looks for it")
    endif()
    get_filename_component(_path "${_path}" REALPATH)
    get_filename_component(_dir "${_path}" DIRECTORY)
    list(APPEND KERLA_MINGW_DLLS "${_path}")
    list(APPEND KERLA_WINDOWS_DLL_DIRS "${_dir}")
endforeach()
list(REMOVE_DUPLICATES KERLA_WINDOWS_DLL_DIRS)
