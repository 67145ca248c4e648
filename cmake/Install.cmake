# Where `cmake --install` puts the programs and the desktop's files, and the
# Debian package that `cpack -G DEB` makes of them.
include(GNUInstallDirs)

install(TARGETS brindlewick-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(BRINDLEWICK_GUI)
  install(TARGETS brindlewick RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  set(desktop_dir ${CMAKE_BINARY_DIR}/desktop)
  configure_file(${PROJECT_SOURCE_DIR}/data/brindlewick.desktop.in ${desktop_dir}/${BRINDLEWICK_APP_ID}.desktop @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/data/brindlewick.metainfo.xml.in
                 ${desktop_dir}/${BRINDLEWICK_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${desktop_dir}/${BRINDLEWICK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${desktop_dir}/${BRINDLEWICK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${PROJECT_SOURCE_DIR}/data/brindlewick.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${BRINDLEWICK_APP_ID}.svg)
  foreach(size IN LISTS BRINDLEWICK_ICON_SIZES)
    install(FILES ${CMAKE_BINARY_DIR}/icons/${size}/brindlewick.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${BRINDLEWICK_APP_ID}.png)
  endforeach()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brindlewick)
set(CPACK_PACKAGE_VENDOR ${BRINDLEWICK_COMPANY})
set(CPACK_PACKAGE_CONTACT ${BRINDLEWICK_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "GWCheck log reader for GroupWise administrators")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads the logs of GroupWise's check utility and shows the records of one kind of check as a sortable table, section by section, to print, export or act on.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The libraries the programs link come from dpkg-shlibdeps; the Qt plugins
# that draw the window on a display and the SVG icon it loads do not show up
# there.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(BRINDLEWICK_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
endif()
include(CPack)
