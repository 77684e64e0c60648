# cmake -DFOLDER=<ready folder> -DOUT=<file> -P uninstall-list.cmake
# Writes the uninstaller's part of the NSIS script: a Delete for every file of the ready folder and
# an RMDir for every folder below it, deepest first, so that it removes what it installed and no
# more (a folder that still holds something of the user's stays).
file(GLOB_RECURSE _files RELATIVE "${FOLDER}" LIST_DIRECTORIES true "${FOLDER}/*")
list(SORT _files)
list(REVERSE _files) # a folder's files before the folder
set(_out "; Written by data/windows/uninstall-list.cmake from ${FOLDER}\n")
foreach(entry IN LISTS _files)
    string(REPLACE "/" "\\" _native "${entry}")
    if(IS_DIRECTORY "${FOLDER}/${entry}")
        string(APPEND _out "RMDir \"$INSTDIR\\${_native}\"\n")
    else()
        string(APPEND _out "Delete \"$INSTDIR\\${_native}\"\n")
    endif()
endforeach()
file(WRITE "${OUT}" "${_out}")
