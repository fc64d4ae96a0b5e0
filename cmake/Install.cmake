# Installation as a desktop program, and the Debian package built from it with CPack.
#
#   PREFIX/bin/quelvane                       launcher: starts the program in its data folder
#   PREFIX/lib/quelvane/quelvane              the program
#   PREFIX/share/quelvane/courier.ttf         link to Debian's Liberation Mono Regular
#   PREFIX/share/applications/quelvane.desktop
#   PREFIX/share/icons/hicolor/scalable/apps/quelvane.svg
#   PREFIX/share/metainfo/<id>.metainfo.xml   AppStream: what software centres list
#   PREFIX/share/man/man1/quelvane.1.gz
#   PREFIX/share/doc/quelvane/copyright, changelog.gz
#
# The program reads courier.ttf from its working directory. The font is not copied: the link
# points at the file of the Debian package fonts-liberation2, which the build needs anyway and
# which the .deb depends on, so the font is Debian's, with Debian's updates, and the package
# ships no second copy of it.

set(QUELVANE_PACKAGING ${CMAKE_CURRENT_LIST_DIR}/../packaging)
set(QUELVANE_PROGRAM_DIR lib/quelvane)
set(QUELVANE_DATA_DIR share/quelvane)

# The launcher finds both folders relative to its own, so the installed tree can be moved.
set(QUELVANE_BIN_TO_PROGRAM ../${QUELVANE_PROGRAM_DIR}/quelvane)
set(QUELVANE_BIN_TO_DATA ../${QUELVANE_DATA_DIR})
configure_file(${QUELVANE_PACKAGING}/quelvane.in
               ${CMAKE_BINARY_DIR}/launcher/quelvane @ONLY)

install(TARGETS quelvane RUNTIME DESTINATION ${QUELVANE_PROGRAM_DIR})
install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/quelvane DESTINATION bin)
install(FILES ${QUELVANE_PACKAGING}/quelvane.desktop DESTINATION share/applications)
install(FILES ${QUELVANE_PACKAGING}/quelvane.svg DESTINATION share/icons/hicolor/scalable/apps)

# The font link is made where it is installed: relative where link and font share their top
# folder (/usr/share/quelvane to /usr/share/fonts, as Debian wants it), absolute otherwise (an
# install into /usr/local or a home folder).
install(CODE "
  set(link \"\${CMAKE_INSTALL_PREFIX}/${QUELVANE_DATA_DIR}/courier.ttf\")
  set(font \"${QUELVANE_FONT}\")
  string(REGEX MATCH \"^/[^/]*\" linkTop \"\${link}\")
  string(REGEX MATCH \"^/[^/]*\" fontTop \"\${font}\")
  if(linkTop STREQUAL fontTop)
    get_filename_component(linkDir \"\${link}\" DIRECTORY)
    file(RELATIVE_PATH font \"\${linkDir}\" \"\${font}\")
  endif()
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QUELVANE_DATA_DIR}\")
  file(CREATE_LINK \"\${font}\" \"\$ENV{DESTDIR}\${link}\" SYMBOLIC)
  message(STATUS \"Installing: \$ENV{DESTDIR}\${link} -> \${font}\")
")

# What a distribution wants beside the program: the licence in Debian's machine-readable form,
# the changelog and the manual page compressed as Debian compresses them (no name or time
# stamp in the gzip header, so the package is reproducible), and the AppStream metainfo that
# software centres list. The id is reverse-DNS of the project's contact domain.
set(QUELVANE_APPSTREAM_ID invalid.quelvane.Quelvane)
configure_file(${QUELVANE_PACKAGING}/quelvane.1.in ${CMAKE_BINARY_DIR}/doc/quelvane.1 @ONLY)
configure_file(${QUELVANE_PACKAGING}/quelvane.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/doc/${QUELVANE_APPSTREAM_ID}.metainfo.xml @ONLY)
file(STRINGS ${QUELVANE_PACKAGING}/debian/changelog QUELVANE_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT QUELVANE_CHANGELOG_TOP MATCHES "^quelvane \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/debian/changelog does not begin with an entry for version "
                      "${PROJECT_VERSION}: ${QUELVANE_CHANGELOG_TOP}")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${QUELVANE_PACKAGING}/debian/changelog)
foreach(source IN ITEMS ${QUELVANE_PACKAGING}/debian/changelog ${CMAKE_BINARY_DIR}/doc/quelvane.1)
  get_filename_component(name ${source} NAME)
  execute_process(COMMAND gzip -9n -c ${source} OUTPUT_FILE ${CMAKE_BINARY_DIR}/doc/${name}.gz
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
install(FILES ${QUELVANE_PACKAGING}/debian/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz
        DESTINATION share/doc/quelvane)
install(FILES ${CMAKE_BINARY_DIR}/doc/quelvane.1.gz DESTINATION share/man/man1)
install(FILES ${CMAKE_BINARY_DIR}/doc/${QUELVANE_APPSTREAM_ID}.metainfo.xml
        DESTINATION share/metainfo)

# The package's Depends: the shared libraries' packages as dpkg-shlibdeps finds them from the
# program's ELF dependencies (libsfml-*2.5, libstdc++6, libc6, libgcc-s1), and the font.
get_filename_component(QUELVANE_FONT_DIR ${QUELVANE_FONT} DIRECTORY)
if(QUELVANE_FONT_DIR MATCHES "liberation2$")
  set(QUELVANE_FONT_PACKAGE fonts-liberation2)
else()
  set(QUELVANE_FONT_PACKAGE fonts-liberation)
endif()

set(CPACK_PACKAGE_NAME quelvane)
set(CPACK_PACKAGE_VENDOR "Quelvane")
set(CPACK_PACKAGE_CONTACT "The Quelvane developers <maintainers@quelvane.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive 2-D electrostatics sandbox")
# Kept in lines of Debian's width: the control file shows them as they are.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Paint positive and negative charge into a grid with the mouse, or load one\n"
  "of seven textbook scenarios (capacitors, monopole, dipole, quadrupole, an\n"
  "ionic crystal, a charged shell), and watch the electrostatic potential\n"
  "converge live by successive over-relaxation, with the electric field drawn\n"
  "on top.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY quelvane)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS ${QUELVANE_FONT_PACKAGE})
include(CPack)
