# Release builds (the release presets, and the benchmarks, which measure what ships): every
# function and datum in a section of its own, so that the linker drops what nothing uses, and
# the Windows library stripped, its debug information moved to a separate file that the DLL
# names in its .gnu_debuglink section (a debugger finds it there, beside the DLL).
option(TRUV_RELEASE "Release build: unused sections dropped, Windows binaries stripped" OFF)

if(TRUV_RELEASE)
  target_compile_options(truv_options INTERFACE -ffunction-sections -fdata-sections)
  # A Windows DLL's link-time optimisation takes every function of default visibility for one
  # that the DLL may export (the exports of the .def file are not known to it) and keeps it:
  # with hidden visibility it keeps only what the two exports reach (plugin/entry.h), and drops
  # the code that only the host and the tests call. ELF libraries choose theirs by a version
  # script.
  if(WIN32)
    target_compile_options(truv_options INTERFACE -fvisibility=hidden)
  endif()
  # Link-time optimisation: the statically linked DLL loses about a sixth of its size.
  set(CMAKE_POLICY_DEFAULT_CMP0069 NEW)
  set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)
  # One partition: GCC 12 stops with an internal compiler error (binds_to_current_def_p) when
  # it splits the size-optimised reference host into several.
  add_link_options(-flto-partition=one)
  include(${CMAKE_CURRENT_LIST_DIR}/Reproducible.cmake)
endif()

# truv_release_link(TARGET [DEBUG_FILE]): unused sections dropped; on Windows the target is
# stripped, with DEBUG_FILE its debug information in <file>.debug beside it, and the linker
# writes its map to <file>.map: what was linked in, for the third-party notices.
function(truv_release_link target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "DEBUG_FILE" "" "")
  if(NOT TRUV_RELEASE)
    return()
  endif()
  target_link_options(${target} PRIVATE -Wl,--gc-sections)
  if(NOT WIN32)
    return()
  endif()
  set(file $<TARGET_FILE:${target}>)
  target_link_options(${target} PRIVATE -Wl,-Map=${file}.map)
  if(arg_DEBUG_FILE)
    # The link names the debug file by its name only, and the CRC of its content.
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${truv_epoch_env} ${CMAKE_OBJCOPY} --only-keep-debug ${file} ${file}.debug
      COMMAND ${truv_epoch_env} ${CMAKE_OBJCOPY} --strip-all
              --add-gnu-debuglink=${file}.debug ${file}
      VERBATIM)
  else()
    target_link_options(${target} PRIVATE -s)
  endif()
endfunction()
