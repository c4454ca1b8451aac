# What cmake --install puts into a prefix, and so into the Debian package: the
# two programs and what a Linux desktop needs to offer quillmere on a folder,
# list it in its menu and show its manual. setup is left out: it works on the
# folder that holds it, so it ships only in the archive (make dist).
install(TARGETS quillmere quillmere-undo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/quillmere.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/quillmere.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/io.github.quillmere.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages go out gzipped at the highest level and without a time stamp,
# the way Debian keeps them (man reads them either way).
set(manual_pages "")
foreach(page quillmere.1 quillmere-undo.1)
  set(packed ${CMAKE_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${packed}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/man/${page} ${CMAKE_BINARY_DIR}/man/${page}
    COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/man/${page}
    DEPENDS ${CMAKE_SOURCE_DIR}/man/${page}
    VERBATIM)
  list(APPEND manual_pages ${packed})
endforeach()
add_custom_target(manual_pages ALL DEPENDS ${manual_pages})
install(FILES ${manual_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
