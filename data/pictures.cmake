# The toolbar's view pictures under grafika/, drawn by the kerla-art tool.
set(_grafika "${KERLA_BIN_DIR}/grafika")
set(_pictures menu_den5.bmp menu_den51.bmp menu_tyden6.bmp menu_tyden61.bmp
              menu_mesic6.bmp menu_mesic61.bmp menu-2025.bmp menu-2025a.bmp)
list(TRANSFORM _pictures PREPEND "${_grafika}/" OUTPUT_VARIABLE _picture_files)
add_custom_command(OUTPUT ${_picture_files}
    COMMAND ${KERLA_ART_TOOL} "${_grafika}"
    DEPENDS ${KERLA_ART_TOOL}
    COMMENT "Drawing the toolbar pictures")
add_custom_target(kerla_pictures ALL DEPENDS ${_picture_files})
