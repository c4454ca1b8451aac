# make deb: a Debian package of what cmake --install puts into /usr, plus what
# only a package holds (copyright, changelog, lintian's overrides): those go
# in a component of their own that a plain cmake --install leaves out.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${PROJECT_NAME})
set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog.Debian)
add_custom_command(OUTPUT ${changelog}.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/changelog.Debian ${changelog}
  COMMAND gzip -9nf ${changelog}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog.Debian
  VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS ${changelog}.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${changelog}.gz
  DESTINATION ${doc_dir} COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides RENAME ${PROJECT_NAME}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides COMPONENT debian EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Unspecified debian)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "quillmere developers <quillmere@users.noreply.github.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window is laid out for a Japanese Gothic font; either family will do.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "batch file renamer for Japanese users
quillmere lists the files of a folder and renames them all at once in one of
seven modes: remove a [tag] before the extension, add a prefix, replace or
insert a text, delete characters, number the files in sequence, or delete
everything in front of a text. Every run writes an undo script, modosu.bat,
which the restore button or quillmere-undo carries out.
.
フォルダ内のファイル名を一括で変更します（元に戻せます）。")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
