include(CMakePackageConfigHelpers)

install(TARGETS game EXPORT gameTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The installed host finds its library through a path relative to itself, so that any prefix
# works without LD_LIBRARY_PATH.
file(RELATIVE_PATH game_bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
target_compile_definitions(gamehost PRIVATE GAME_HOST_INSTALL_FOLDER="${game_bin_to_lib}")
install(TARGETS gamehost RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS gamehost_run LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} NAMELINK_SKIP)
foreach(folder engine ${GAME_FOLDERS})
  if(IS_DIRECTORY ${PROJECT_SOURCE_DIR}/${folder})
    install(DIRECTORY ${folder} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/game
      FILES_MATCHING PATTERN "*.h")
  endif()
endforeach()

install(EXPORT gameTargets NAMESPACE game:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/game)
configure_package_config_file(cmake/gameConfig.cmake.in
  ${PROJECT_BINARY_DIR}/gameConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/game)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/gameConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/gameConfig.cmake ${PROJECT_BINARY_DIR}/gameConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/game)
