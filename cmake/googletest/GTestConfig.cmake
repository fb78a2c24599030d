# find_package(GTest) for a foreign target: Debian's libgtest-dev holds only
# the build machine's libraries, so GoogleTest is built from the sources its
# googletest package installs, once per build tree, with this project's
# compiler and flags.
set(TARVIK_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for foreign targets")
if(NOT TARGET GTest::gtest_main)
    if(NOT EXISTS ${TARVIK_GTEST_SOURCE_DIR}/CMakeLists.txt)
        message(FATAL_ERROR "No GoogleTest sources in ${TARVIK_GTEST_SOURCE_DIR} (Debian package googletest)")
    endif()
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    if(EMSCRIPTEN)
        set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    endif()
    add_subdirectory(${TARVIK_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
set(GTest_FOUND TRUE)
