# GoogleTest for the tests: the system's package for native builds; for cross and 32-bit
# builds, whose programs cannot link the host's x86-64 libraries, GoogleTest is built here
# from its sources (CORVIXMATH_GTEST_SOURCE_DIR, e.g. Debian's /usr/src/googletest).
#
# Either way the targets GTest::gtest, GTest::gtest_main, GTest::gmock and GTest::gmock_main
# exist afterwards, and a later find_package(GTest) anywhere in the build finds these.
set(CORVIXMATH_GTEST_SOURCE_DIR "" CACHE PATH
    "Build GoogleTest from these sources instead of using the installed package")

function(corvix_build_googletest source_dir)
  # Static GoogleTest whatever the library is; these settings end with this function.
  set(BUILD_SHARED_LIBS OFF)
  set(BUILD_GMOCK ON)
  set(INSTALL_GTEST OFF)
  add_subdirectory(${source_dir} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  foreach(gtest_library gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${gtest_library})
      add_library(GTest::${gtest_library} ALIAS ${gtest_library})
    endif()
  endforeach()
  # find_package(GTest) looks in the redirects folder before anything else.
  file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/gtest-config.cmake
       "# GoogleTest built from ${source_dir} by CorvixMath.\nset(GTest_FOUND TRUE)\n")
  file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/gtest-config-version.cmake
       "set(PACKAGE_VERSION_COMPATIBLE TRUE)\n")
endfunction()

if(CORVIXMATH_GTEST_SOURCE_DIR)
  corvix_build_googletest(${CORVIXMATH_GTEST_SOURCE_DIR})
else()
  find_package(GTest REQUIRED)
endif()
