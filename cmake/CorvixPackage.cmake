# The Debian packages of a build, made with CPack's DEB generator (scripts/release runs cpack):
#   libcorvixmath1      the shared library with its SONAME       (install component Runtime)
#   libcorvixmath-dev   headers, CMake package, pkg-config file   (install component Development)
#   corvixmath-tools    the corvixmath tool and its manual page   (install component Tools)
# installed under /usr. The architecture follows the target, so a cross build makes the
# packages of its own architecture; their dependencies are written here rather than found by
# dpkg-shlibdeps, which would need the target's libraries installed on the build machine.
set(CORVIXMATH_DEB_ARCHITECTURE "")
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$")
  set(CORVIXMATH_DEB_ARCHITECTURE amd64)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
  set(CORVIXMATH_DEB_ARCHITECTURE arm64)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^arm")
  set(CORVIXMATH_DEB_ARCHITECTURE armhf)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^i.86$")
  set(CORVIXMATH_DEB_ARCHITECTURE i386)
elseif(CMAKE_SYSTEM_PROCESSOR STREQUAL "s390x")
  set(CORVIXMATH_DEB_ARCHITECTURE s390x)
endif()
if(NOT CORVIXMATH_DEB_ARCHITECTURE OR WIN32)
  return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvixmath)
set(CPACK_PACKAGE_VENDOR "Vornel")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Vornel CorvixMath maintainers <corvixmath@vornel.example>")
set(CPACK_COMPONENTS_ALL Runtime Development Tools)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${CORVIXMATH_DEB_ARCHITECTURE})
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://corvixmath.vornel.example/")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Only root may own the packaged files and only their owner may write them.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                                GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Each package's description starts with its own synopsis; CPack would put a common one before
# it unless the summary keeps CPack's default.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(corvixmath_about
    "CorvixMath formats measured values for displays, parses them back, handles\n"
    "narrow and 16-bit strings and Windows paths, checks identifiers, numbers,\n"
    "IPv4 addresses and formulas, and reduces sample series. It has a C++ class,\n"
    "CMathOperation, and a C interface, corvixmath.h.\n.\n")
string(CONCAT corvixmath_about ${corvixmath_about})

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libcorvixmath${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "libc6 (>= 2.34), libgcc-s1 (>= 3.0), libstdc++6 (>= 12)")
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
    "utility library of the Corvix HMI/SCADA applications\n${corvixmath_about}This package holds the shared library.")
# The shlibs file and the ldconfig trigger that a shared library package carries.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/debian/triggers)

set(corvixmath_exact "libcorvixmath${PROJECT_VERSION_MAJOR} (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libcorvixmath-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "${corvixmath_exact}")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
    "development files of the CorvixMath library\n${corvixmath_about}This package holds the headers, the CMake package CorvixMath and the\npkg-config file corvixmath.pc.")

set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME corvixmath-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION utils)
# The tool reads .gz logs through zlib where its build found it.
set(corvixmath_tool_depends "${corvixmath_exact}, libc6 (>= 2.34), libgcc-s1 (>= 3.0), libstdc++6 (>= 12)")
get_property(corvixmath_tool_zlib GLOBAL PROPERTY CORVIXMATH_TOOL_ZLIB)
if(corvixmath_tool_zlib)
  string(APPEND corvixmath_tool_depends ", zlib1g (>= 1:1.2.0)")
endif()
set(CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS "${corvixmath_tool_depends}")
set(CPACK_DEBIAN_TOOLS_DESCRIPTION
    "command-line tool of the CorvixMath library\n${corvixmath_about}This package holds the corvixmath tool and its manual page.")

# Every package carries the copyright file and the changelog that Debian packages have.
string(TIMESTAMP corvixmath_deb_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
foreach(component Runtime Development Tools)
  string(TOUPPER ${component} upper)
  set(package ${CPACK_DEBIAN_${upper}_PACKAGE_NAME})
  set(doc_build ${PROJECT_BINARY_DIR}/debian/${package})
  set(CORVIXMATH_DEB_PACKAGE ${package})
  configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${doc_build}/changelog @ONLY)
  file(ARCHIVE_CREATE OUTPUT ${doc_build}/changelog.gz PATHS ${doc_build}/changelog
       FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9 MTIME 0)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${doc_build}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
endforeach()

include(CPack)
