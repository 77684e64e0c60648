# The program's icon: org.example.Kerla.svg, rendered by rsvg-convert into the PNG sizes of the
# hicolor icon theme under ${KERLA_ICON_DIR}/<n>x<n>/apps/. The window icon carries the same PNGs.
#   KERLA_ICON_SIZES   the sizes
#   KERLA_ICON_SVG     the picture
#   KERLA_ICON_PNGS    the rendered files, in the order of the sizes
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(KERLA_ICON_SIZES 16 22 24 32 48 64 128 256)
set(KERLA_ICON_SVG "${CMAKE_CURRENT_LIST_DIR}/org.example.Kerla.svg")
set(KERLA_ICON_DIR "${CMAKE_BINARY_DIR}/icons")
set(KERLA_ICON_PNGS)
foreach(size IN LISTS KERLA_ICON_SIZES)
    set(png "${KERLA_ICON_DIR}/${size}x${size}/apps/org.example.Kerla.png")
    add_custom_command(OUTPUT "${png}"
        COMMAND ${CMAKE_COMMAND} -E make_directory "${KERLA_ICON_DIR}/${size}x${size}/apps"
        COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output "${png}" "${KERLA_ICON_SVG}"
        DEPENDS "${KERLA_ICON_SVG}"
        COMMENT "Rendering the ${size}x${size} icon"
        VERBATIM)
    list(APPEND KERLA_ICON_PNGS "${png}")
endforeach()
