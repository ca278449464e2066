# GoogleTest is built from Debian's source package, so that the same test
# framework serves the native build and both MinGW builds.
set(LINKSHELF_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
if(WIN32)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
endif()
add_subdirectory(${LINKSHELF_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
# GoogleTest's own sources are not held to this project's warning flags.
foreach(target gtest gtest_main)
  target_compile_options(${target} PRIVATE -w)
endforeach()

# linkshelf_add_test(NAME sources... [LIBS libs...]): one test program, run by ctest
# (under Wine, through the cross-compiling emulator, in the Windows builds).
function(linkshelf_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} gtest gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()
