# Installs the program as a desktop application and packages it as a .deb.
include(GNUInstallDirs)

install(TARGETS nitka RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT nitka)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/nitka.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT nitka)
# The icon theme takes the XPM as it is; the pixmaps folder serves menus that
# look only there.
install(FILES ${PROJECT_SOURCE_DIR}/src/ui/qt/icon/nitka.xpm
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps COMPONENT nitka)
install(FILES ${PROJECT_SOURCE_DIR}/src/ui/qt/icon/nitka.xpm
    DESTINATION ${CMAKE_INSTALL_DATADIR}/pixmaps COMPONENT nitka)

set(CPACK_PACKAGE_NAME nitka)
set(CPACK_PACKAGE_VENDOR "Nitka")
set(CPACK_PACKAGE_CONTACT "Nitka developers <nitka@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Maze generator that carves, solves, saves and loads mazes")
set(CPACK_PACKAGE_DESCRIPTION
    "Nitka carves rectangular mazes of 8 to 100 cells a side by randomised depth-first search, draws them, shows the route from the top-left to the bottom-right cell, and saves the maze to and loads it from labird.txt.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY nitka)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps finds the exact Qt and C++ runtime packages from the binary.
# That is the whole list: the X11 platform plugin, loaded at run time, ships in
# libqt6gui6, which the scan already names, and fonts come with fontconfig.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The captions are sized for Liberation Sans; without it they fall back to DejaVu.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
include(CPack)
