# SPDX-License-Identifier: GPL-3.0-or-later
# `make deb`: a Debian package of the client, orbisk-tool and orbisk-server,
# installed under /usr. Dependencies come from dpkg-shlibdeps.
include(GNUInstallDirs)

# Manual pages and the changelog go compressed, as Debian ships them.
set(doc_dir ${CMAKE_BINARY_DIR}/package-docs)
set(compressed)
foreach(source man/orbisk.1 man/orbisk.fr.1 man/orbisk-tool.1 man/orbisk-server.1 debian/changelog)
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${doc_dir}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${doc_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/resources/${source} ${doc_dir}/${name}
    COMMAND gzip -9nf ${doc_dir}/${name}
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/${source}
    VERBATIM)
  list(APPEND compressed ${doc_dir}/${name}.gz)
endforeach()
add_custom_target(orbisk_package_docs ALL DEPENDS ${compressed})
install(FILES ${doc_dir}/orbisk.1.gz ${doc_dir}/orbisk-tool.1.gz ${doc_dir}/orbisk-server.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${doc_dir}/orbisk.fr.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/fr/man1 RENAME orbisk.1.gz)
install(FILES ${doc_dir}/changelog.gz ${PROJECT_SOURCE_DIR}/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orbisk)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orbisk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Brevant Solutions <orbisk@brevant.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The map page's Leaflet files are links into libjs-leaflet.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libjs-leaflet")
# Started or loaded by the client, not linked: seen by no library scan
# (the mail program, Qt's own French for its dialogs).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop map client for the United States and Canada")
set(CPACK_PACKAGE_DESCRIPTION
    "Orbisk finds a place by telephone number, zip or postal code, street address or\n\
latitude and longitude and shows it on an interactive map. It searches for\n\
businesses around the centre of the map and keeps a set of the user's own\n\
markers. The local map server orbisk-server, a systemd user unit the client\n\
starts when it needs it, answers every lookup from open data, so the program\n\
works offline.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/resources/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
