# Installs the build under /usr into a fresh staging folder, as a package lays
# it out, and checks that the desktop application is all that is installed.
# Run with -DBUILD_DIR=... -DSTAGE=... -DAPP_ID=...
file(REMOVE_RECURSE "${STAGE}")
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env "DESTDIR=${STAGE}"
            "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix /usr
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${output}")
endif()

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${STAGE}" "${STAGE}/*")
set(expected
    usr/bin/ruvo
    usr/share/applications/${APP_ID}.desktop
    usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg
    usr/share/metainfo/${APP_ID}.metainfo.xml
    usr/share/doc/ruvo/README.md)
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
    message(FATAL_ERROR "installed:\n  ${installed}\nexpected:\n  ${expected}")
endif()
