include(CMakePackageConfigHelpers)

if(BUILD_SHARED_LIBS)
  set(lineinput_library_kind shared)
else()
  set(lineinput_library_kind static)
endif()
set(lineinput_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/lineinput)

install(TARGETS lineinput lineinput_headers EXPORT lineinput-targets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES input/input.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/lineinput)
install(EXPORT lineinput-targets NAMESPACE lineinput::
  FILE lineinput-${lineinput_library_kind}-targets.cmake
  DESTINATION ${lineinput_cmake_dir})

configure_package_config_file(cmake/lineinputConfig.cmake.in
  ${PROJECT_BINARY_DIR}/lineinputConfig.cmake
  INSTALL_DESTINATION ${lineinput_cmake_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/lineinputConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/lineinputConfig.cmake
  ${PROJECT_BINARY_DIR}/lineinputConfigVersion.cmake
  DESTINATION ${lineinput_cmake_dir})

# The pkg-config file finds its prefix from its own place, so the same file
# serves any install prefix, a package's included; absolute directories are
# taken as they are.
function(lineinput_pc_dir var dir)
  if(IS_ABSOLUTE "${dir}")
    set(${var} "${dir}" PARENT_SCOPE)
  else()
    set(${var} "\${prefix}/${dir}" PARENT_SCOPE)
  endif()
endfunction()
file(RELATIVE_PATH pc_to_prefix ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
set(PC_PREFIX "\${pcfiledir}/${pc_to_prefix}")
lineinput_pc_dir(PC_LIBDIR ${CMAKE_INSTALL_LIBDIR})
lineinput_pc_dir(PC_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR})
configure_file(cmake/lineinput.pc.in ${PROJECT_BINARY_DIR}/lineinput.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/lineinput.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(TARGETS spellout greet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY man/man1 man/man3 DESTINATION ${CMAKE_INSTALL_MANDIR})
