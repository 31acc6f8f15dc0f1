# What `cmake --install` and the Debian package put where.

install(TARGETS arvo arvo-vcam RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/${ARVO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/${ARVO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES resources/icons/arvo.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${ARVO_APP_ID}.svg)

# Manual pages, with the version filled in, compressed as Debian keeps them.
find_program(GZIP_EXECUTABLE gzip)
foreach(page arvo.1 arvo-vcam.1)
  configure_file(man/${page} ${CMAKE_CURRENT_BINARY_DIR}/man/${page} @ONLY)
  if(GZIP_EXECUTABLE)
    add_custom_command(OUTPUT man/${page}.gz
      COMMAND ${GZIP_EXECUTABLE} -9 -n -c ${page} > ${page}.gz
      DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/man/${page}
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/man VERBATIM)
    list(APPEND ARVO_MAN_PAGES ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.gz)
  else()
    list(APPEND ARVO_MAN_PAGES ${CMAKE_CURRENT_BINARY_DIR}/man/${page})
  endif()
endforeach()
add_custom_target(man_pages ALL DEPENDS ${ARVO_MAN_PAGES})
install(FILES ${ARVO_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# udev reads its rules from folders of its own, whatever the install prefix: under a prefix such
# as /opt/arvo or ~/.local the rule would never be read. The folder is pkg-config's udevdir
# (package udev). Debian 12 still names it /lib/udev there, which is /usr/lib/udev since /usr was
# merged; the /usr name is used, as udev's own list of rule folders has it.
pkg_get_variable(ARVO_PKG_UDEVDIR udev udevdir)
if(ARVO_PKG_UDEVDIR MATCHES "^/lib/" AND IS_SYMLINK /lib)
  set(ARVO_PKG_UDEVDIR /usr${ARVO_PKG_UDEVDIR})
elseif(NOT ARVO_PKG_UDEVDIR)
  message(STATUS "udev.pc not found (package udev): the udev rule goes to /usr/lib/udev/rules.d")
  set(ARVO_PKG_UDEVDIR /usr/lib/udev)
endif()
set(ARVO_UDEV_RULES_DIR ${ARVO_PKG_UDEVDIR}/rules.d CACHE PATH "Folder the udev rule is installed into")
install(FILES resources/70-arvo-camera.rules DESTINATION ${ARVO_UDEV_RULES_DIR})
