# The generated part of the sample data set: Data/<abbrev> (the 66 book files), Kerla<year>.rtf and
# Cteni<year>.sj for each year of KERLA_DATA_YEARS, all in ${KERLA_BIN_DIR}. kerla-data writes them
# from the Bible text in KERLA_SOURCE_DATA; it runs again when the tool or the text changes.
#
# The book files are not listed as outputs: Data/1j carries an old time stamp on purpose (the
# settings dialog names the translation by it), which would make it look out of date for ever.
# The stamp file stands for them.
set(KERLA_SAMPLE_STAMP "${CMAKE_CURRENT_BINARY_DIR}/sample-data.stamp")
set(_kerla_sample_outputs "${KERLA_SAMPLE_STAMP}")
foreach(year IN LISTS KERLA_DATA_YEARS)
    list(APPEND _kerla_sample_outputs "${KERLA_BIN_DIR}/Kerla${year}.rtf" "${KERLA_BIN_DIR}/Cteni${year}.sj")
endforeach()

add_custom_command(
    OUTPUT ${_kerla_sample_outputs}
    COMMAND ${KERLA_DATA_TOOL} build "${KERLA_SOURCE_DATA}" "${KERLA_BIN_DIR}" ${KERLA_DATA_YEARS}
    COMMAND ${CMAKE_COMMAND} -E touch "${KERLA_SAMPLE_STAMP}"
    DEPENDS ${KERLA_DATA_TOOL} "${KERLA_SOURCE_DATA}/bible-kralice.txt" "${KERLA_SOURCE_DATA}/books.tsv"
    COMMENT "Generating the sample data set from the Bible text"
    VERBATIM)
add_custom_target(kerla_sample_data ALL DEPENDS ${_kerla_sample_outputs})
