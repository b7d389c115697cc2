# The Debian package (scripts/package): cpack -G DEB over the install rules, prefix /usr.
include(GNUInstallDirs)
set(MELVANE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/melvanekiro)
set(debian ${MELVANE_SOURCE_ROOT}/data/debian)
set(packed ${CMAKE_BINARY_DIR}/packed)
# Debian's changelog and manual page are gzipped without name or time, so the package is reproducible.
foreach(pair "changelog;changelog.gz" "melvanekiro.1;melvanekiro.1.gz")
  list(GET pair 0 from)
  list(GET pair 1 to)
  add_custom_command(OUTPUT ${packed}/${to}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${packed}
    COMMAND gzip -9n -c ${debian}/${from} > ${packed}/${to}
    DEPENDS ${debian}/${from})
  list(APPEND MELVANE_PACKED ${packed}/${to})
endforeach()
add_custom_target(packed_docs ALL DEPENDS ${MELVANE_PACKED})
install(FILES ${debian}/copyright ${packed}/changelog.gz DESTINATION ${MELVANE_DOC_DIR})
install(FILES ${packed}/melvanekiro.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME melvanekiro)
set(CPACK_PACKAGE_VERSION 4.0)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "MelvaneKIRO developers <melvanekiro@users.noreply.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "listen to a music collection and sort it into folders")
set(CPACK_PACKAGE_DESCRIPTION "MelvaneKIRO shows a source folder above a target folder, each with its folder
tree and file list. Listen to MP3, MIDI, WAV, WMA, FLAC, Ogg and other files
from either, then copy, move, trash or rename them, edit their ID3v1 tags and
keep play lists. The interface is in Chinese.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# What the program loads at run time, which dpkg-shlibdeps cannot see: the SQLite driver, the SVG
# icon engine, the platform plugins and the General MIDI sound font the MIDI player plays with; and
# what a Chinese interface needs to be Chinese and readable: Qt's own Chinese texts and a CJK font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6sql6-sqlite, libqt6svg6, qt6-qpa-plugins, timgm6mb-soundfont | sf2-soundfont-gm, qt6-translations-l10n, fonts-noto-cjk | fonts-wqy-microhei | fonts-wqy-zenhei")
# The desktop's opener and a CHM viewer for F1 (without them the program's own help window shows).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, xchm")
include(CPack)
