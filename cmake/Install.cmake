# What `cmake --install` puts on a workstation, and the Debian package CPack builds from it:
# the three programs, the window's desktop entry and icon, the udev rule for the scanner's
# bridge, and a manual page for each program, made from its --help text with help2man.
include(GNUInstallDirs)

install(TARGETS qx770-demo qx770 qx770-scanner-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/qx770-demo.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The window's icon as scripts/make-window-icon draws it (the same picture as the window
# description's Icon).
install(FILES ${PROJECT_SOURCE_DIR}/packaging/qx770-demo.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
# udev reads rules from <prefix>/lib/udev/rules.d (/usr/lib/... for the package, /usr/local/lib/...
# for a local install), never from a multiarch library folder.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/70-qx770.rules DESTINATION lib/udev/rules.d)

find_program(QX_HELP2MAN help2man)
find_program(QX_GZIP gzip)
if(NOT QX_HELP2MAN OR NOT QX_GZIP)
  message(FATAL_ERROR "help2man and gzip make the manual pages: run scripts/install-deps")
endif()
set(_man_dir ${CMAKE_BINARY_DIR}/man)
set(_man_pages)
foreach(_entry
    "qx770-demo|operator window for the QX770 laser profile scanner"
    "qx770|command-line tool for the QX770 laser profile scanner"
    "qx770-scanner-sim|simulated QX770 laser profile scanner on a pseudo-terminal")
  string(REPLACE "|" ";" _parts "${_entry}")
  list(GET _parts 0 _program)
  list(GET _parts 1 _summary)
  set(_page ${_man_dir}/${_program}.1)
  add_custom_command(
    OUTPUT ${_page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_man_dir}
    # The programs run here only to print their help; leak reports of a sanitizer build would be
    # noise on stderr, which help2man does not read.
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 LC_ALL=C
            ${QX_HELP2MAN} --no-info --section=1 --version-string=${PROJECT_VERSION}
            --name=${_summary} --output=${_page} $<TARGET_FILE:${_program}>
    COMMAND ${QX_GZIP} -n -9 -f ${_page}
    DEPENDS ${_program}
    COMMENT "Manual page of ${_program}"
    VERBATIM)
  list(APPEND _man_pages ${_page}.gz)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${_man_pages})
install(FILES ${_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The Debian package: `cmake --build --preset release --target package`.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qx770-demo)
set(CPACK_PACKAGE_VENDOR "QX770-DEMO")
set(CPACK_PACKAGE_CONTACT "QX770-DEMO developers <qx770-demo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "operator window and tools for the QX770 laser profile scanner")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "QX770-DEMO switches the laser of a QX770 laser profile scanner attached through an FTDI "
       "USB-serial bridge, measures profiles and plots them. Includes the command-line tool "
       "qx770, a scanner simulator and a udev rule giving the user access to the scanner.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The Qt libraries the programs link come from dpkg-shlibdeps; the platform plugins that the
# window loads at run time do not show in the link and are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
