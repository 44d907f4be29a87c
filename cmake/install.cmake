# Installing numplace (GNUInstallDirs) and packaging it as a Debian package
# (CPack). Included at the end of the top-level CMakeLists.txt, after the
# targets are defined:
#
#   cmake --install build/default --prefix ~/.local
#   cd build/default && cpack -G DEB
#
# The window's files (launcher, icons, metainfo, numplace.1) are installed
# only when the window is built.
include(GNUInstallDirs)

set(NUMPLACE_APP_ID io.github.numplace.numplace)
set(NUMPLACE_PACKAGE_MAINTAINER "The numplace developers <numplace@example.org>"
    CACHE STRING "Maintainer field of the Debian package")
set(_numplace_packaging ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS numplace-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# numplace-cli finds its export module here, from its own folder.
if(TARGET numplace_cli_export)
  install(TARGETS numplace_cli_export LIBRARY DESTINATION ${NUMPLACE_MODULE_INSTALL_DIR})
  set(_numplace_module_file ${NUMPLACE_MODULE_INSTALL_DIR}/numplace-cli-export.so)
endif()
install(FILES ${_numplace_packaging}/man/numplace-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
file(GLOB _numplace_examples CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*.csv)
install(FILES ${_numplace_examples} DESTINATION ${CMAKE_INSTALL_DATADIR}/numplace/examples)

if(TARGET numplace)
  install(TARGETS numplace RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${_numplace_packaging}/man/numplace.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${_numplace_packaging}/${NUMPLACE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${_numplace_packaging}/icons/numplace.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(_size IN ITEMS 48 64 128 256)
    install(FILES ${_numplace_packaging}/icons/${_size}x${_size}/numplace.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps)
  endforeach()

  # The launcher starts the window in the examples folder, where the data file
  # named at start-up (karune111.csv) stands. That folder depends on the prefix
  # given at install time (cmake --install --prefix, or /usr inside the Debian
  # package), so the launcher is written then.
  set(_numplace_desktop_code [=[
    set(_numplace_datadir "@CMAKE_INSTALL_DATADIR@")
    if(NOT IS_ABSOLUTE "${_numplace_datadir}")
      set(_numplace_datadir "${CMAKE_INSTALL_PREFIX}/${_numplace_datadir}")
    endif()
    set(NUMPLACE_EXAMPLES_DIR "${_numplace_datadir}/numplace/examples")
    # One launcher per destination, so that two installs at once do not share it.
    string(MD5 _numplace_where "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
    set(_numplace_desktop "@CMAKE_BINARY_DIR@/packaging/${_numplace_where}/@NUMPLACE_APP_ID@.desktop")
    configure_file("@_numplace_packaging@/@NUMPLACE_APP_ID@.desktop.in" "${_numplace_desktop}" @ONLY)
    file(INSTALL DESTINATION "${_numplace_datadir}/applications" TYPE FILE FILES "${_numplace_desktop}")
  ]=])
  string(CONFIGURE "${_numplace_desktop_code}" _numplace_desktop_code @ONLY)
  install(CODE "${_numplace_desktop_code}")
endif()

# The Debian package: cpack -G DEB in the build folder.
set(CPACK_PACKAGE_NAME numplace)
set(CPACK_PACKAGE_VENDOR "The numplace developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "number-place puzzle solver that shows how puzzles are solved")
set(CPACK_PACKAGE_DESCRIPTION [=[
numplace solves 9x9 number-place puzzles, where every row, column and 3x3
block holds the digits 1 to 9 once, and shows how they are solved: in one
window with a Japanese interface, to the end in one go or one placement at
a time with every cell's candidates.
numplace-cli runs the same engine without a window, for scripting and for
solving whole collections of puzzles with a profile of the techniques they
need.]=])
set(CPACK_PACKAGE_CONTACT "${NUMPLACE_PACKAGE_MAINTAINER}")
set(CPACK_GENERATOR DEB)
# Installed with DESTDIR and CMAKE_INSTALL_PREFIX /usr, so that the launcher
# names the examples folder as it will be on the system.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${NUMPLACE_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The library versions are what dpkg-shlibdeps reads from the Debian 12 build;
# the window finds its font through fonts-ipafont-gothic.
set(_numplace_depends "libc6 (>= 2.34), libgcc-s1 (>= 3.0), libstdc++6 (>= 11)")
if(TARGET numplace)
  string(APPEND _numplace_depends
         ", libqt6core6 (>= 6.4.0), libqt6gui6 (>= 6.1.2), libqt6widgets6 (>= 6.1.2), fonts-ipafont-gothic")
  # Qt's own dialog texts in Japanese; without it they stay English.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
endif()
# numplace-cli's export module paints with Qt's GUI and SVG libraries, in IPA Gothic.
if(TARGET numplace_cli_export)
  if(NOT TARGET numplace)
    string(APPEND _numplace_depends ", libqt6core6 (>= 6.4.0), libqt6gui6 (>= 6.1.2), fonts-ipafont-gothic")
  endif()
  string(APPEND _numplace_depends ", libqt6svg6 (>= 6.2.0)")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${_numplace_depends}")
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/[.]git/" "/build/" "/[.]cache/")
include(CPack)

# The install test: a temporary prefix, the files in it, the validators.
if(NUMPLACE_BUILD_TESTS AND TARGET numplace)
  add_test(NAME install_test
           COMMAND bash ${PROJECT_SOURCE_DIR}/tests/install_test.sh ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR})
  set_tests_properties(install_test PROPERTIES
    TIMEOUT 600
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;NUMPLACE_VERSION=${PROJECT_VERSION};NUMPLACE_APP_ID=${NUMPLACE_APP_ID};\
CMAKE_COMMAND=${CMAKE_COMMAND};CPACK_COMMAND=${CMAKE_CPACK_COMMAND};INSTALL_BINDIR=${CMAKE_INSTALL_BINDIR};\
INSTALL_DATADIR=${CMAKE_INSTALL_DATADIR};INSTALL_MANDIR=${CMAKE_INSTALL_MANDIR};\
INSTALL_EXPORT_MODULE=${_numplace_module_file}")
endif()
