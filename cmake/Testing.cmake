# GoogleTest from Debian's sources (built with the project's compiler, MinGW included), and,
# for the Windows builds, Wine as the emulator that runs every test.
enable_testing()
include(GoogleTest)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_gtest EXCLUDE_FROM_ALL)

if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(WINE_ARCH win64)
  else()
    set(WINE_ARCH win32)
  endif()
  set(WINE_PREFIX_DIR ${CMAKE_BINARY_DIR}/wineprefix)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
                 @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                 GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
endif()

# truv_add_test(NAME SOURCES... [LOCKS bin-folder] [WINE_LOCKS registry]): a GoogleTest
# executable over the plug-in's objects, run natively or under Wine. Tests run two at a time;
# LOCKS says that its tests share the bin folder (the menu file beside the executable,
# programs installed there) and must take turns; WINE_LOCKS that they change the registry,
# which under Wine belongs to the whole prefix. Under Wine both take the one lock "bin-folder"
# (a test's RESOURCE_LOCK is one name here: a list would not survive test discovery).
function(truv_add_test name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LOCKS;WINE_LOCKS")
  add_executable(${name} ${arg_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE truv_plugin truv_test_support GTest::gtest GTest::gtest_main)
  # The label names the executable: a preset runs some executables' tests by it.
  set(properties ENVIRONMENT "LANG=zh_CN.UTF-8" LABELS ${name})
  if(arg_LOCKS OR (WIN32 AND arg_WINE_LOCKS))
    list(APPEND properties RESOURCE_LOCK bin-folder)
  endif()
  # The first discovery under Wine also creates the build tree's prefix (seconds, more on a
  # busy machine), hence the generous discovery time-out.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 300
                       PROPERTIES ${properties})
endfunction()

# The Windows library as the host sees it: exactly two exports, by ordinal and decorated
# name, and imports from Windows system libraries only.
if(WIN32)
  find_program(LLVM_READOBJ NAMES llvm-readobj REQUIRED)
  math(EXPR TRUV_POINTER_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
  add_test(NAME truvApp_exports
           COMMAND ${CMAKE_COMMAND} -DDLL=$<TARGET_FILE:truvApp> -DREADOBJ=${LLVM_READOBJ}
                   -DOBJDUMP=${CMAKE_OBJDUMP} -DPOINTER_BITS=${TRUV_POINTER_BITS}
                   -P ${CMAKE_CURRENT_LIST_DIR}/CheckDllExports.cmake)
endif()

# The POSIX library exports the two entry points and nothing else.
if(NOT WIN32)
  add_test(NAME truvApp_exports
           COMMAND ${CMAKE_COMMAND} -DLIBRARY=$<TARGET_FILE:truvApp> -DNM=${CMAKE_NM}
                   -P ${CMAKE_CURRENT_LIST_DIR}/CheckSharedExports.cmake)
endif()
