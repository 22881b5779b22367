# Creates the program folder's own files when they are missing: an empty record
# file (selecting the default shelf) and the default shelf with no books.
if(NOT EXISTS "${PROGRAM_FOLDER}/defruv.ini")
    file(WRITE "${PROGRAM_FOLDER}/defruv.ini" "\r\n")
endif()
if(NOT EXISTS "${PROGRAM_FOLDER}/data/Hondana.ruv")
    file(MAKE_DIRECTORY "${PROGRAM_FOLDER}/data")
    file(WRITE "${PROGRAM_FOLDER}/data/Hondana.ruv" "0\r\n")
endif()
