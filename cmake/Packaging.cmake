# What the program installs and the Debian package made of it: the program,
# its manual page, menu entry, AppStream metadata and icons in every size of
# the hicolor theme, with the copyright and changelog Debian asks for.
include(GNUInstallDirs)

set(VEMBRIX_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(VEMBRIX_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vembrix)

install(TARGETS vembrix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${VEMBRIX_PACKAGING_DIR}/vembrix.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VEMBRIX_PACKAGING_DIR}/org.example.vembrix.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The generator draws each size; 32 x 32 is the window icon itself.
foreach(size IN ITEMS 16 22 24 32 48 64 128 256)
  if(size EQUAL 32)
    set(icon ${VEMBRIX_PICTURES_DIR}/vembrix.png)
  else()
    set(icon ${VEMBRIX_PICTURES_DIR}/icons/vembrix_${size}.png)
  endif()
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME vembrix.png)
endforeach()

# Debian wants the manual page and the changelog compressed at the highest
# level and without a time stamp, so that the package is reproducible.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(VEMBRIX_COMPRESSED)
foreach(doc IN ITEMS vembrix.1 changelog)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${doc}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND ${GZIP_EXECUTABLE} -9nc ${VEMBRIX_PACKAGING_DIR}/${doc} > ${CMAKE_BINARY_DIR}/packaging/${doc}.gz
    DEPENDS ${VEMBRIX_PACKAGING_DIR}/${doc}
    VERBATIM)
  list(APPEND VEMBRIX_COMPRESSED ${CMAKE_BINARY_DIR}/packaging/${doc}.gz)
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${VEMBRIX_COMPRESSED})
install(FILES ${CMAKE_BINARY_DIR}/packaging/vembrix.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz ${VEMBRIX_PACKAGING_DIR}/copyright
        DESTINATION ${VEMBRIX_DOC_DIR})

# The library dependencies come from dpkg-shlibdeps on the stripped binary
# (the xcb platform plugin ships with libqt6gui6). The windows are laid out
# for Liberation Sans, and the program runs natively on Wayland
# with Qt's Wayland plugin, so both are recommended; Qt's own Russian texts
# (the standard buttons, the text fields' menu) come with the translations.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vembrix)
set(CPACK_PACKAGE_VENDOR "Vembrix")
set(CPACK_PACKAGE_CONTACT "Vembrix developers <dev@vembrix.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "exact desktop calculator for aquarium keepers")
# CPack puts the summary first and indents the long description for Debian.
set(CPACK_PACKAGE_DESCRIPTION "Five calculators in one window: the water volume and soil weight of a tank
of one of six shapes, the luminous flux the lamps must give, the dissolved
CO2 with its rating, the heater power, and the share of water to change for
a wanted hardness. Every calculation is done in 80-bit extended precision.")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vembrix.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, fonts-liberation")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Owner root, 0755 directories and 0644 control files, as dpkg-deb makes them.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/StripComment.cmake)
include(CPack)

