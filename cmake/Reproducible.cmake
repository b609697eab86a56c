# Release builds give the same bytes wherever and whenever they are built from one commit:
# - one time for every time stamp (the PE header's, the ZIP entries', the bill of materials'):
#   SOURCE_DATE_EPOCH when the configuring environment gives it, else the commit's time;
# - no build path in the binaries or the debug file: the source tree is "." and the build
#   tree "build" for the compiler, for the link-time compiler too;
# - the linker sees SOURCE_DATE_EPOCH: GNU ld writes it as the PE time stamp, and objcopy
#   keeps it. (The compiler would use it only for __DATE__ and __TIME__, which no source uses;
#   giving it there too would compile everything again after each commit.)
# TRUV_SOURCE_DATE_EPOCH holds the time for the packaging steps. The commit's time comes from
# git in a clone, and from cmake/source-date in a source archive: `git archive` (and a
# download made with it) writes the commit's time there (export-subst, .gitattributes).
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(TRUV_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
  find_package(Git QUIET)
  set(git_top "")
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --show-toplevel
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE git_top OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  file(REAL_PATH "${CMAKE_SOURCE_DIR}" source_dir)
  if(git_top)
    file(REAL_PATH "${git_top}" git_top)
  endif()
  file(STRINGS ${CMAKE_SOURCE_DIR}/cmake/source-date stamp LIMIT_COUNT 1)
  if(git_top STREQUAL source_dir)  # a clone, not an archive unpacked in another repository
    execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE TRUV_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "a git clone without a commit: set SOURCE_DATE_EPOCH (seconds since "
                          "1970) instead")
    endif()
    # A new commit configures again, so that the time follows it.
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --absolute-git-dir
                    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE git_dir OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(EXISTS ${git_dir}/logs/HEAD)
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${git_dir}/logs/HEAD)
    endif()
  elseif(stamp MATCHES "^[0-9]+$")
    set(TRUV_SOURCE_DATE_EPOCH "${stamp}")
    message(STATUS "Release time stamps: from cmake/source-date (a source archive)")
  elseif(NOT GIT_FOUND AND EXISTS ${CMAKE_SOURCE_DIR}/.git)
    message(FATAL_ERROR "git is missing (scripts/setup.sh installs it): a release is dated by "
                        "its commit")
  else()
    message(FATAL_ERROR "no date for the release: this is neither a git clone nor a source "
                        "archive made by `git archive` (cmake/source-date holds \"${stamp}\"); "
                        "set SOURCE_DATE_EPOCH (seconds since 1970) to the commit's time")
  endif()
endif()
if(NOT TRUV_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH: \"${TRUV_SOURCE_DATE_EPOCH}\" is no number of seconds")
endif()
message(STATUS "Release time stamps: SOURCE_DATE_EPOCH=${TRUV_SOURCE_DATE_EPOCH}")

# The build tree lies inside the source tree: its map comes last, so the compiler tries it
# first.
set(truv_prefix_maps -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
                     -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
add_compile_options(${truv_prefix_maps})
add_link_options(${truv_prefix_maps})

set(truv_epoch_env ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${TRUV_SOURCE_DATE_EPOCH})
set(CMAKE_CXX_LINKER_LAUNCHER ${truv_epoch_env})
