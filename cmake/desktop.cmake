# The desktop application around the executable: its menu entry, its icon and
# its software-centre metadata, in the usual folders under the install prefix.
set(desktop_sources ${PROJECT_SOURCE_DIR}/assets/desktop)
configure_file(${desktop_sources}/${RUVO_APP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/${RUVO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${desktop_sources}/${RUVO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_sources}/${RUVO_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_BINARY_DIR}/${RUVO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The README, which the version window links.
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ruvo)
