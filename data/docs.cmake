# Our two information documents, beside the executable.
foreach(doc "O Kerlach.rtf" "Distribuce.rtf")
    configure_file("${CMAKE_CURRENT_LIST_DIR}/docs/${doc}" "${KERLA_BIN_DIR}/${doc}" COPYONLY)
endforeach()
