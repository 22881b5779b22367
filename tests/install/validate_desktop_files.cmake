# The installed desktop entry and AppStream metadata pass the freedesktop.org
# validators, offline. Run with -DSTAGE=... -DAPP_ID=... -DDESKTOP_FILE_VALIDATE=...
# -DAPPSTREAMCLI=...
foreach(tool DESKTOP_FILE_VALIDATE APPSTREAMCLI)
    if(NOT ${tool})
        message(FATAL_ERROR "${tool} not found: run scripts/install-deps")
    endif()
endforeach()

function(check)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0 OR output MATCHES "error:|warning:|(^|\n)[EW]: ")
        message(FATAL_ERROR "${ARGN} failed (${result}):\n${output}")
    endif()
    message(STATUS "${ARGN}: ${output}")
endfunction()

set(share "${STAGE}/usr/share")
check("${DESKTOP_FILE_VALIDATE}" "${share}/applications/${APP_ID}.desktop")
check("${APPSTREAMCLI}" validate --no-net "${share}/metainfo/${APP_ID}.metainfo.xml")
# The tree as a whole: the metadata's launchable and icon are really there.
check("${APPSTREAMCLI}" validate-tree --no-net "${STAGE}/usr")
