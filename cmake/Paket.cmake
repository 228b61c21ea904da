# The Debian package: `cpack -G DEB` in a build folder (scripts/paket does all steps). Everything the
# package holds is installed by the install rules, so `cmake --install` puts the same files in place.

# The release date beside the project version; both go into the metadata, the manual page and the changelog.
set(ZEM_RELEASE_DATE 2026-12-06)
set(CPACK_PACKAGE_CONTACT "ZemViewer developers <zemviewer@example.org>")

set(erzeugt ${PROJECT_BINARY_DIR}/erzeugt)
configure_file(data/org.example.zemviewer.metainfo.xml.in ${erzeugt}/org.example.zemviewer.metainfo.xml @ONLY)
configure_file(data/zemviewer.1.in ${erzeugt}/zemviewer.1 @ONLY)
configure_file(data/zemviewer-thumbnailer.1.in ${erzeugt}/zemviewer-thumbnailer.1 @ONLY)
configure_file(data/zemviewer.thumbnailer.in ${erzeugt}/zemviewer.thumbnailer @ONLY)
execute_process(COMMAND date -u -R -d "${ZEM_RELEASE_DATE} 12:00" OUTPUT_VARIABLE ZEM_RELEASE_DATE_RFC2822
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(data/changelog.in ${erzeugt}/changelog @ONLY)
# Debian wants the manual page and the changelog compressed, without a time stamp in the gzip header.
foreach(datei zemviewer.1 zemviewer-thumbnailer.1 changelog)
  execute_process(COMMAND gzip -9nc ${erzeugt}/${datei} OUTPUT_FILE ${erzeugt}/${datei}.gz COMMAND_ERROR_IS_FATAL ANY)
endforeach()

install(FILES ${erzeugt}/org.example.zemviewer.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${erzeugt}/zemviewer.1.gz ${erzeugt}/zemviewer-thumbnailer.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The file managers' thumbnailer entry (freedesktop convention, read by GNOME's thumbnail factory and tumbler).
install(FILES ${erzeugt}/zemviewer.thumbnailer DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
install(FILES data/copyright ${erzeugt}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zemviewer)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zemviewer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for RWX wireframe models")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[
ZemViewer shows three-dimensional models stored as RWX script files as
wireframes with three labelled axes. A model turns with right drags, zooms
with a scroll bar and pans with a movement window; its points and elements
can be marked and inspected in list windows. Sample models are included.]])
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://zemviewer.example.org/)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
# dpkg-shlibdeps finds the libraries the binary links against. Qt loads its platform plugin (libqxcb)
# and the German texts of its dialogs (qtbase_de.qm) only at run time, so nothing links against them and
# shlibdeps cannot see them: their packages are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
include(CPack)
