# Starts the installed program on the offscreen platform, with a file URI of a
# book as "Open with" passes it, and has it close its main window once shown.
# It must end cleanly, having stored its window settings in the user's
# configuration folder and kept its own files in the per-user data folder,
# never beside the executable. Run with -DSTAGE=... -DBOOK=... -DWORK=...
file(REMOVE_RECURSE "${WORK}")
foreach(folder home config data runtime)
    file(MAKE_DIRECTORY "${WORK}/${folder}")
endforeach()
file(CHMOD "${WORK}/runtime" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

# "見本 本" percent-encoded, as a file manager hands a folder over.
file(COPY "${BOOK}/" DESTINATION "${WORK}/見本 本")
set(uri "file://${WORK}/%E8%A6%8B%E6%9C%AC%20%E6%9C%AC")

execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env
            QT_QPA_PLATFORM=offscreen RUVO_CLOSE_AFTER_START=1
            "HOME=${WORK}/home" "XDG_CONFIG_HOME=${WORK}/config" "XDG_DATA_HOME=${WORK}/data"
            "XDG_RUNTIME_DIR=${WORK}/runtime"
            "${STAGE}/usr/bin/ruvo" "${uri}"
    WORKING_DIRECTORY "${WORK}/home"
    TIMEOUT 60
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the installed program ended with ${result}:\n${output}")
endif()

set(settings "${WORK}/config/Dudado/Dudado.ini")
if(NOT EXISTS "${settings}")
    message(FATAL_ERROR "no window settings stored in ${settings}:\n${output}")
endif()
file(READ "${settings}" stored)
if(NOT stored MATCHES "sizew=" OR NOT stored MATCHES "botan=0")
    message(FATAL_ERROR "the window settings lack the closed window's size:\n${stored}")
endif()
if(NOT IS_DIRECTORY "${WORK}/data/Dudado/Ruvo")
    message(FATAL_ERROR "the per-user data folder ${WORK}/data/Dudado/Ruvo was not made")
endif()
file(GLOB beside RELATIVE "${STAGE}/usr/bin" "${STAGE}/usr/bin/*")
if(NOT beside STREQUAL "ruvo")
    message(FATAL_ERROR "the program wrote beside itself: ${beside}")
endif()
