# The build's own tools, which run while building: kerla-data (the sample data set, the 2025 lists)
# and kerla-art (the toolbar pictures). A native build runs the ones it builds. A cross build (for
# Windows) runs those of a native build of the same source instead, named by KERLA_HOST_TOOLS: the
# file kerla-host-tools.cmake that every native build writes into its build folder, which imports
# them as host::kerla-data and host::kerla-art. The cross build still builds its own kerla-data for
# the target system.
#   KERLA_DATA_TOOL, KERLA_ART_TOOL   the tools to name in COMMAND and DEPENDS
#   kerla_export_host_tools()         writes kerla-host-tools.cmake (native builds; call after tools/)
set(KERLA_HOST_TOOLS "" CACHE FILEPATH
    "kerla-host-tools.cmake of a native build, whose tools a cross build runs")
if(CMAKE_CROSSCOMPILING)
    if(NOT EXISTS "${KERLA_HOST_TOOLS}")
        message(FATAL_ERROR "A cross build runs the build's tools from a native build: point KERLA_HOST_TOOLS "
            "at the kerla-host-tools.cmake of one (cmake -DKERLA_HOST_TOOLS=<native build>/kerla-host-tools.cmake); "
            "scripts/windows makes it.")
    endif()
    include("${KERLA_HOST_TOOLS}")
    set(KERLA_DATA_TOOL host::kerla-data)
    set(KERLA_ART_TOOL host::kerla-art)
else()
    set(KERLA_DATA_TOOL kerla-data)
    set(KERLA_ART_TOOL kerla-art)
endif()

function(kerla_export_host_tools)
    if(NOT CMAKE_CROSSCOMPILING)
        export(TARGETS kerla-data kerla-art NAMESPACE host:: FILE "${CMAKE_BINARY_DIR}/kerla-host-tools.cmake")
    endif()
endfunction()
