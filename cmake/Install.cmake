# Installs the command-line tool, the Python package when it is built, and
# with the window built, the program as a desktop application, and packages
# them as a .deb.
include(GNUInstallDirs)

install(TARGETS nitka-maze RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT nitka)
install(FILES ${NITKA_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT nitka)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/nitka-maze.bash-completion
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME nitka-maze
    COMPONENT nitka)

if(NITKA_BUILD_PYTHON)
    # Where Debian's python3 finds the system's packages, whatever its minor
    # version; the module itself is built for the interpreter CMake found.
    set(nitka_python_destination lib/python3/dist-packages/nitka)
    install(TARGETS nitka_python LIBRARY DESTINATION ${nitka_python_destination} COMPONENT nitka)
    install(FILES ${NITKA_PYTHON_DIR}/__init__.py ${NITKA_PYTHON_DIR}/_nitka.pyi
        ${NITKA_PYTHON_DIR}/py.typed DESTINATION ${nitka_python_destination} COMPONENT nitka)
endif()

if(NOT NITKA_BUILD_UI)
    return()
endif()

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
    "Nitka carves rectangular mazes of 8 to 100 cells a side by randomised depth-first search, draws them, shows the route from the top-left to the bottom-right cell, and saves the maze to and loads it from labird.txt. The command-line companion nitka-maze makes, solves, draws and measures mazes of any size in the same file format.")
if(NITKA_BUILD_PYTHON)
    string(APPEND CPACK_PACKAGE_DESCRIPTION " The Python package nitka makes the same mazes as NumPy arrays, and datasets of many.")
endif()
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
if(NITKA_BUILD_PYTHON)
    # `import nitka` and its mazes need the python3 it was built for; its
    # arrays need NumPy. Recommended, not required: the window and the tool
    # run without either, and apt installs recommendations unless told not to.
    list(GET NITKA_PYTHON_VERSIONS 0 nitka_python_from)
    list(GET NITKA_PYTHON_VERSIONS 1 nitka_python_below)
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "${CPACK_DEBIAN_PACKAGE_RECOMMENDS}, python3 (>= ${nitka_python_from}), python3 (<< ${nitka_python_below}), python3-numpy")
endif()
include(CPack)
