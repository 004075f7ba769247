# What `cmake --install` and the Debian package put in place: the two programs, the desktop
# entry, the AppStream metadata, the icons, the manual pages, the copyright and changelog, and
# the marker by which an installed program knows to keep its settings in the user's directory.
include(GNUInstallDirs)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(vexlo_data ${PROJECT_SOURCE_DIR}/data)
set(vexlo_app_id example.vexlo.Vexlo)
set(vexlo_docdir ${CMAKE_INSTALL_DATADIR}/doc/vexlo)

install(TARGETS vexlo-keys RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET vexlo)
  install(TARGETS vexlo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${vexlo_data}/desktop/${vexlo_app_id}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${vexlo_data}/desktop/${vexlo_app_id}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${vexlo_data}/icons/vexlo.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${vexlo_data}/icons/${size}x${size}/vexlo.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()

# The program finds the marker relative to its own directory (see SettingsLocation.h).
file(RELATIVE_PATH vexlo_install_marker ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/vexlo/installed)
target_compile_definitions(vexlo_shell PRIVATE VEXLO_INSTALL_MARKER="${vexlo_install_marker}")
file(WRITE ${PROJECT_BINARY_DIR}/install/installed
     "This Vexlo was installed: it keeps its settings in ~/.config/vexlo/ unless a VEXLO.INI\n"
     "already lies beside the program.\n")
install(FILES ${PROJECT_BINARY_DIR}/install/installed
        DESTINATION ${CMAKE_INSTALL_DATADIR}/vexlo)

# Manual pages and the changelog go compressed, without a time stamp (reproducible).
set(vexlo_compressed)
foreach(source man/vexlo.1 man/vexlo-keys.1 debian/changelog)
  get_filename_component(name ${source} NAME)
  set(output ${PROJECT_BINARY_DIR}/install/${name}.gz)
  add_custom_command(OUTPUT ${output}
                     COMMAND gzip -9 -n -c ${vexlo_data}/${source} > ${output}
                     DEPENDS ${vexlo_data}/${source} VERBATIM)
  list(APPEND vexlo_compressed ${output})
endforeach()
add_custom_target(vexlo_install_files ALL DEPENDS ${vexlo_compressed})
install(FILES ${PROJECT_BINARY_DIR}/install/vexlo-keys.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(TARGET vexlo)
  install(FILES ${PROJECT_BINARY_DIR}/install/vexlo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(FILES ${vexlo_data}/debian/copyright DESTINATION ${vexlo_docdir})
# A native package's changelog (the version has no Debian revision) is changelog.gz.
install(FILES ${PROJECT_BINARY_DIR}/install/changelog.gz DESTINATION ${vexlo_docdir})
