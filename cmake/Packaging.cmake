# Installation and the Debian package. The installed tree is relocatable: the program and its
# documents share one folder, <prefix>/lib/zephlane, because the program finds its documents
# beside its own executable; <prefix>/bin/zephlane is a relative symlink into that folder, and
# the program resolves the link to its real location.
set(ZEPHLANE_APP_DIR lib/zephlane)

# The native Windows program has its own zip and installer.
if(TARGET zephlane_win32)
  include(WindowsPackaging)
  return()
endif()

install(DIRECTORY ${ZEPHLANE_WEBHELP_LINUX}/ DESTINATION ${ZEPHLANE_APP_DIR}/WebHelp/Content)
if(TARGET zephlane_pdfs)
  install(FILES ${ZEPHLANE_DOCS_OUT}/ZephlaneHelp.pdf ${ZEPHLANE_DOCS_OUT}/ZephlaneTheory.pdf
          DESTINATION ${ZEPHLANE_APP_DIR})
endif()

# The headless driver runs the same window logic; installed beside the program it sees the
# same documents, which makes an installation scriptable and checkable without a display.
if(TARGET zephlane-driver)
  install(TARGETS zephlane-driver RUNTIME DESTINATION ${ZEPHLANE_APP_DIR})
endif()

# The command-line calculator needs no documents beside it: it goes on the PATH with its manual
# page, compressed as Debian keeps manual pages.
if(TARGET zephlane-calc)
  install(TARGETS zephlane-calc RUNTIME DESTINATION bin)
  set(ZEPHLANE_CALC_MAN ${CMAKE_CURRENT_SOURCE_DIR}/zephlane-calc.1)
  find_program(ZEPHLANE_GZIP gzip)
  if(ZEPHLANE_GZIP)
    set(man_gz ${CMAKE_CURRENT_BINARY_DIR}/zephlane-calc.1.gz)
    add_custom_command(OUTPUT ${man_gz}
      COMMAND ${ZEPHLANE_GZIP} -9 -n -c ${ZEPHLANE_CALC_MAN} > ${man_gz}
      DEPENDS ${ZEPHLANE_CALC_MAN}
      COMMENT "Compressing the zephlane-calc manual page")
    add_custom_target(zephlane_calc_man ALL DEPENDS ${man_gz})
    install(FILES ${man_gz} DESTINATION share/man/man1)
  else()
    install(FILES ${ZEPHLANE_CALC_MAN} DESTINATION share/man/man1)
  endif()
endif()

if(NOT TARGET zephlane)
  return()
endif()

install(TARGETS zephlane RUNTIME DESTINATION ${ZEPHLANE_APP_DIR})
# The compiler's .comment section says only which compiler made the binary; a Debian package
# drops it (the strip that CPack runs keeps it).
if(CMAKE_OBJCOPY)
  foreach(installed zephlane:${ZEPHLANE_APP_DIR} zephlane-driver:${ZEPHLANE_APP_DIR}
                    zephlane-calc:bin)
    string(REPLACE ":" ";" installed ${installed})
    list(GET installed 0 program)
    list(GET installed 1 dir)
    if(TARGET ${program})
      install(CODE "execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${dir}/${program}\"
        COMMAND_ERROR_IS_FATAL ANY)")
    endif()
  endforeach()
endif()
set(link ${CMAKE_CURRENT_BINARY_DIR}/zephlane-bin-link/zephlane)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/zephlane-bin-link)
file(CREATE_LINK ../${ZEPHLANE_APP_DIR}/zephlane ${link} SYMBOLIC)
install(FILES ${link} DESTINATION bin)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/desktop/zephlane.desktop
        DESTINATION share/applications)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/desktop/zephlane.svg
        DESTINATION share/icons/hicolor/scalable/apps)
# Menus and docks that take no SVG look for PNGs in the usual sizes.
if(TARGET zephlane_icons)
  foreach(size ${ZEPHLANE_ICON_SIZES})
    install(FILES ${ZEPHLANE_ICON_DIR}/${size}/zephlane.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()
if(TARGET zephlane_metainfo)
  install(FILES ${ZEPHLANE_METAINFO} DESTINATION share/metainfo)
endif()
if(TARGET zephlane_package_docs)
  install(FILES ${ZEPHLANE_PACKAGE_DOCS}/zephlane.1.gz DESTINATION share/man/man1)
  install(FILES ${ZEPHLANE_PACKAGE_DOCS}/changelog.gz DESTINATION share/doc/zephlane)
endif()
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/debian/copyright DESTINATION share/doc/zephlane)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/debian/lintian-overrides
        DESTINATION share/lintian/overrides RENAME zephlane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zephlane)
set(CPACK_PACKAGE_VENDOR Brevik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Microwave power transmission and coupler measurement calculator")
# Debian shows the long description as written: lines within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Zephlane computes the power a magnetron delivers into a mismatched load:
available power, mismatch and interference factors, transducer gain, and
incident, reflected and absorbed power with their extremes over all phases.
It also gives the range of readings of directional couplers of finite
directivity and the load reflection they imply. HTML and PDF help and a
theory document are included.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zephlane Developers <developers@zephlane.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The help buttons hand the documents to the desktop's viewers through xdg-open, which needs a
# browser for the HTML help (without one it opens the page as text) and a PDF viewer; on
# Wayland, Qt draws natively with its Wayland plug-in instead of falling back to XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "xdg-utils, www-browser | x-www-browser, pdf-viewer, qt6-wayland")
# dpkg-shlibdeps derives the exact Qt runtime packages from the binaries where it exists; the
# explicit list serves machines without it. Qt draws the window icon (an SVG) through a plug-in
# of libqt6svg6 that no binary links, so that package is always named.
find_program(ZEPHLANE_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(ZEPHLANE_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # A program that links Qt Svg gets the package from dpkg-shlibdeps already; naming it again
  # would list it twice.
  get_target_property(qt_links zephlane_qtui LINK_LIBRARIES)
  if(NOT "Qt6::Svg" IN_LIST qt_links)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
  endif()
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libqt6widgets6, libqt6gui6, libqt6core6, libqt6svg6, libstdc++6, libc6")
endif()
include(CPack)
