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
install(FILES input/input.h input/input.hpp DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/lineinput)
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

# The pkg-config file names the prefix it is installed under, as
# pkg-config files on a system do (prefix=/usr), so pkgconf can drop the
# system's own directories from its flags. It is written at install time,
# when the prefix is known: cmake --install --prefix moves it too.
function(lineinput_pc_dir var dir)
  if(IS_ABSOLUTE "${dir}")
    set(${var} "${dir}" PARENT_SCOPE)
  else()
    set(${var} "\${prefix}/${dir}" PARENT_SCOPE)
  endif()
endfunction()
lineinput_pc_dir(PC_LIBDIR ${CMAKE_INSTALL_LIBDIR})
lineinput_pc_dir(PC_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR})
set(PC_PREFIX "@PC_PREFIX@")
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
  set(pc_destination "${CMAKE_INSTALL_LIBDIR}/pkgconfig")
else()
  set(pc_destination "\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig")
endif()
configure_file(cmake/lineinput.pc.in ${PROJECT_BINARY_DIR}/lineinput.pc.in @ONLY)
install(CODE "
  set(PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
  configure_file(\"${PROJECT_BINARY_DIR}/lineinput.pc.in\"
    \"${PROJECT_BINARY_DIR}/install/lineinput.pc\" @ONLY)
  file(INSTALL \"${PROJECT_BINARY_DIR}/install/lineinput.pc\"
    DESTINATION \"${pc_destination}\")
")

if(LINEINPUT_PROGRAMS)
  install(TARGETS spellout greet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(DIRECTORY man/man1 DESTINATION ${CMAKE_INSTALL_MANDIR})
endif()
install(DIRECTORY man/man3 DESTINATION ${CMAKE_INSTALL_MANDIR})
