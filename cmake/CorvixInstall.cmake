# Install rules: the public headers under include/corvixmath, the library (a versioned shared
# object with its SONAME on Linux; the DLL in bin and its import library in lib on Windows),
# the CMake package CorvixMath (target CorvixMath::corvixmath, with a version file) and the
# pkg-config file corvixmath.pc.
include(CMakePackageConfigHelpers)

set(CORVIXMATH_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/CorvixMath CACHE STRING
    "Where the CMake package files of CorvixMath are installed, relative to the prefix")
mark_as_advanced(CORVIXMATH_CMAKE_DIR)

install(TARGETS corvixmath EXPORT CorvixMathTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime
                NAMELINK_COMPONENT Development
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/corvixmath
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT Development)

install(EXPORT CorvixMathTargets NAMESPACE CorvixMath:: DESTINATION ${CORVIXMATH_CMAKE_DIR}
        COMPONENT Development)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/CorvixMathConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/CorvixMathConfig.cmake
                              INSTALL_DESTINATION ${CORVIXMATH_CMAKE_DIR})
# The version file also refuses a package built for another pointer size.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/CorvixMathConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/CorvixMathConfig.cmake
              ${PROJECT_BINARY_DIR}/CorvixMathConfigVersion.cmake
        DESTINATION ${CORVIXMATH_CMAKE_DIR} COMPONENT Development)

# corvixmath.pc finds its prefix from its own place (${pcfiledir}), so the package stays
# right when it is installed with `cmake --install --prefix` or moved.
set(corvixmath_pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
  set(CORVIXMATH_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
  file(RELATIVE_PATH corvixmath_pc_up /prefix/${corvixmath_pc_dir} /prefix)
  string(REGEX REPLACE "/$" "" corvixmath_pc_up "${corvixmath_pc_up}")
  set(CORVIXMATH_PC_PREFIX "\${pcfiledir}/${corvixmath_pc_up}")
endif()
foreach(kind LIBDIR INCLUDEDIR)
  if(IS_ABSOLUTE "${CMAKE_INSTALL_${kind}}")
    set(CORVIXMATH_PC_${kind} "${CMAKE_INSTALL_${kind}}")
  else()
    set(CORVIXMATH_PC_${kind} "\${prefix}/${CMAKE_INSTALL_${kind}}")
  endif()
endforeach()
set(CORVIXMATH_PC_CFLAGS "")
if(corvixmath_type STREQUAL "STATIC_LIBRARY")
  set(CORVIXMATH_PC_CFLAGS " -DCORVIXMATH_STATIC")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/corvixmath.pc.in ${PROJECT_BINARY_DIR}/corvixmath.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/corvixmath.pc DESTINATION ${corvixmath_pc_dir}
        COMPONENT Development)

# The Python package, as the component Python: the package's files, the library beside them
# (the package loads the one installed with it) and CorvixLimits.h, whose limits it reads.
# CORVIXMATH_PYTHON_DIR is a directory on the interpreter's path, e.g. the purelib directory
# that scripts/install-python asks python3 for; without it there is no Python component.
set(CORVIXMATH_PYTHON_DIR "" CACHE PATH
    "Where the Python package corvixmath is installed (component Python); empty for none")
if(CORVIXMATH_PYTHON_DIR)
  set(corvixmath_python_package ${CORVIXMATH_PYTHON_DIR}/corvixmath)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/bindings/python/corvixmath/
          DESTINATION ${corvixmath_python_package} COMPONENT Python
          FILES_MATCHING PATTERN "*.py")
  install(FILES ${PROJECT_SOURCE_DIR}/include/corvixmath/CorvixLimits.h
          DESTINATION ${corvixmath_python_package} COMPONENT Python)
  install(TARGETS corvixmath
          RUNTIME DESTINATION ${corvixmath_python_package} COMPONENT Python
          LIBRARY DESTINATION ${corvixmath_python_package} COMPONENT Python NAMELINK_SKIP)
endif()
