# The layering of the source tree, checked from its include lines:
#
# - the plug-in's folders under src/: a folder includes only itself and the folders below it,
#   never one above nor a peer (catalogue and flows stand side by side);
# - the reference host's rooms under host/ the same way (console and window side by side;
#   host/truvhost.cpp, on top, may include every room);
# - the tools outside the plug-in (host/, suite/, bench/) include of the plug-in only its door,
#   plugin/inspect.h;
# - nothing outside src/ includes a backend's header (os/posix/, os/win32/) but the tests and
#   fuzz targets of that backend: files in a posix/ or win32/ folder, or named *_posix.cpp or
#   *_win32.cpp;
# - plugin/globals.h and plugin/dispatch.h are the plug-in's own: outside src/ only its tests
#   and fuzz targets include them.
#
#   cmake -DSOURCE_DIR=<repository> -P cmake/CheckLayers.cmake
#
# Prints the include graph between the folders of src/ and of host/, one line per pair with up
# to three files, and every include that breaks a rule; fails when there is one.
cmake_minimum_required(VERSION 3.25)
if(NOT SOURCE_DIR)
  get_filename_component(SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
endif()

set(faults "")
set(plugin_folders text os model launch catalogue flows plugin)
set(door "plugin/inspect.h")

# The includes of `file` (relative to SOURCE_DIR), quoted or in angle brackets, as the paths
# they name from the include folders: a path that climbs ("../") or names src/ is read
# without those steps, so that "../../src/plugin/globals.h" counts as plugin/globals.h.
function(quoted_includes file out)
  file(STRINGS "${SOURCE_DIR}/${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
  set(paths "")
  foreach(line IN LISTS lines)
    if(line MATCHES "include[ \t]*[\"<]([^\">]+)[\">]")
      set(path "${CMAKE_MATCH_1}")
      while(path MATCHES "^(\\./|\\.\\./)(.*)$")
        set(path "${CMAKE_MATCH_2}")
      endwhile()
      if(path MATCHES "^src/(.*)$")
        set(path "${CMAKE_MATCH_1}")
      endif()
      list(APPEND paths "${path}")
    endif()
  endforeach()
  set(${out} "${paths}" PARENT_SCOPE)
endfunction()

# check_rooms(TREE PREFIX folder height ...): every file under TREE/ that includes PREFIX<room>/
# of a room not below its own adds a fault; prints the graph and the order.
function(check_rooms tree prefix)
  set(layers ${ARGN})
  set(names "")
  set(top 0)
  while(layers)
    list(POP_FRONT layers folder height)
    set(height_${folder} ${height})
    list(APPEND names ${folder})
    if(height GREATER top)
      set(top ${height})
    endif()
  endwhile()
  file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}/${tree}" "${SOURCE_DIR}/${tree}/*.h"
       "${SOURCE_DIR}/${tree}/*.cpp")
  list(SORT sources)
  set(pairs "")
  foreach(source IN LISTS sources)
    if(NOT source MATCHES "^([^/]+)/")
      continue()  # a file beside the rooms stands on top of them
    endif()
    set(from ${CMAKE_MATCH_1})
    if(NOT DEFINED height_${from})
      list(APPEND faults "${tree}/${source}: folder ${from} has no place in the layers")
      continue()
    endif()
    quoted_includes("${tree}/${source}" includes)
    foreach(path IN LISTS includes)
      string(LENGTH "${prefix}" length)
      string(SUBSTRING "${path}" 0 ${length} start)
      if(NOT start STREQUAL prefix)
        continue()
      endif()
      string(SUBSTRING "${path}" ${length} -1 rest)
      if(NOT rest MATCHES "^([^/]+)/")
        continue()
      endif()
      set(to ${CMAKE_MATCH_1})
      if(to STREQUAL from OR NOT DEFINED height_${to})
        continue()  # its own folder, or a header from elsewhere
      endif()
      if(NOT "${from}>${to}" IN_LIST pairs)
        list(APPEND pairs "${from}>${to}")
      endif()
      list(APPEND files_${from}_${to} ${source})
      if(NOT height_${to} LESS height_${from})
        list(APPEND faults "${tree}/${source}: ${from} includes ${to}, which is not below it")
      endif()
    endforeach()
  endforeach()

  list(SORT pairs)
  foreach(pair IN LISTS pairs)
    string(REPLACE ">" ";" ends "${pair}")
    list(GET ends 0 from)
    list(GET ends 1 to)
    set(files ${files_${from}_${to}})
    list(REMOVE_DUPLICATES files)
    list(LENGTH files count)
    list(SUBLIST files 0 3 shown)
    string(REPLACE ";" ", " shown "${shown}")
    if(count GREATER 3)
      string(APPEND shown " ...")
    endif()
    message(STATUS "${tree}: ${from} -> ${to}: ${shown}")
  endforeach()

  set(order "")
  foreach(height RANGE ${top})
    set(level "")
    foreach(folder IN LISTS names)
      if(height_${folder} EQUAL height)
        list(APPEND level ${folder})
      endif()
    endforeach()
    string(JOIN ", " level ${level})
    list(APPEND order "${level}")
  endforeach()
  string(JOIN " < " order ${order})
  message(STATUS "every folder under ${tree}/ includes only folders below it: ${order}")
  set(faults "${faults}" PARENT_SCOPE)
endfunction()

# The door and the backends: the include rules of the trees outside src/.
function(check_outside tree through_door)
  file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${tree}/*.h"
       "${SOURCE_DIR}/${tree}/*.cpp" "${SOURCE_DIR}/${tree}/*.c")
  list(SORT sources)
  foreach(source IN LISTS sources)
    set(backend "")
    if(source MATCHES "(/|_)(posix|win32)(/|\\.cpp$)")
      set(backend ${CMAKE_MATCH_2})
    endif()
    quoted_includes("${source}" includes)
    foreach(path IN LISTS includes)
      if(NOT path MATCHES "^([^/]+)/")
        continue()
      endif()
      if(NOT CMAKE_MATCH_1 IN_LIST plugin_folders)
        continue()
      endif()
      if(path MATCHES "^os/(posix|win32)/" AND NOT CMAKE_MATCH_1 STREQUAL backend)
        list(APPEND faults "${source}: includes ${path}, a backend's own header")
      elseif(path MATCHES "^plugin/(globals|dispatch)\\.h$" AND through_door)
        list(APPEND faults "${source}: includes ${path}, the plug-in's own header")
      elseif(through_door AND NOT path STREQUAL door AND NOT path MATCHES "^os/(posix|win32)/")
        list(APPEND faults "${source}: includes ${path}, not the plug-in's door ${door}")
      endif()
    endforeach()
  endforeach()
  set(faults "${faults}" PARENT_SCOPE)
endfunction()

check_rooms(src "" text 0 os 1 model 2 launch 3 catalogue 4 flows 4 plugin 5)
check_rooms(host "host/" shared 0 items 1 checks 2 console 3 window 3)
foreach(tool IN ITEMS host suite bench)
  check_outside(${tool} TRUE)
endforeach()
foreach(tree IN ITEMS tests fuzz)
  check_outside(${tree} FALSE)
endforeach()

if(faults)
  list(REMOVE_DUPLICATES faults)
  string(REPLACE ";" "\n" faults "${faults}")
  message(FATAL_ERROR "the source tree breaks its layering:\n${faults}")
endif()
message(STATUS "host/, suite/ and bench/ reach the plug-in through ${door} only; backends' "
               "headers are included by their own tests only")
