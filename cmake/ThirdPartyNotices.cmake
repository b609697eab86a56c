# Writes THIRD-PARTY-NOTICES.txt for the package, and the list of linked components that the
# bill of materials names, from the linker maps of the DLL and the host: every component whose
# code a link took, with the Debian package it came from, that package's version and its
# copyright file (the copyright and licence notices, whole).
# usage: cmake -DMAPS=a.map;b.map -DPROJECT_DIRS=src;build -DNOTICES=out.txt
#              -DCOMPONENTS=out.cmake -P ThirdPartyNotices.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/LinkMap.cmake)
foreach(var MAPS PROJECT_DIRS NOTICES COMPONENTS)
  if(NOT ${var})
    message(FATAL_ERROR "ThirdPartyNotices: ${var} not given")
  endif()
endforeach()

# Linked file (by name) -> component | licence (SPDX expression). A linked file missing here
# stops the build: a new component needs its licence looked at first.
set(gcc_licence "GPL-3.0-or-later WITH GCC-exception-3.1")
set(mingw_licence "ZPL-2.1 AND LicenseRef-public-domain")
set(component_table
  "libstdc++.a     |libstdc++, the GNU C++ library            |${gcc_licence}"
  "libgcc.a        |libgcc, the GCC runtime library            |${gcc_licence}"
  "libgcc_eh.a     |libgcc, the GCC runtime library            |${gcc_licence}"
  "crtbegin.o      |libgcc, the GCC runtime library            |${gcc_licence}"
  "crtend.o        |libgcc, the GCC runtime library            |${gcc_licence}"
  "libpthread.a    |winpthreads, MinGW-w64's POSIX threads     |MIT AND BSD-3-Clause"
  "libwinpthread.a |winpthreads, MinGW-w64's POSIX threads     |MIT AND BSD-3-Clause"
  "crt2.o          |MinGW-w64 runtime (start-up code, C library)|${mingw_licence}"
  "dllcrt2.o       |MinGW-w64 runtime (start-up code, C library)|${mingw_licence}"
  "libmingw32.a    |MinGW-w64 runtime (start-up code, C library)|${mingw_licence}"
  "libmingwex.a    |MinGW-w64 runtime (start-up code, C library)|${mingw_licence}"
  "libmoldname.a   |MinGW-w64 runtime (start-up code, C library)|${mingw_licence}"
  "libmsvcrt.a     |MinGW-w64 runtime (start-up code, C library)|${mingw_licence}")
# Any other lib<name>.a of MinGW-w64 is an import library of a Windows system DLL.
set(import_library_component "MinGW-w64 import libraries of Windows system DLLs|ZPL-2.1")

function(component_of var path)
  get_filename_component(name ${path} NAME)
  foreach(row IN LISTS component_table)
    string(REGEX REPLACE " *\\| *" ";" fields "${row}")
    list(GET fields 0 file)
    if(name STREQUAL file)
      list(SUBLIST fields 1 2 found)
      list(JOIN found "|" found)
      set(${var} "${found}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  if(path MATCHES "-w64-mingw32/lib/lib[a-z0-9_]+\\.a$")
    set(${var} "${import_library_component}" PARENT_SCOPE)
    return()
  endif()
  message(FATAL_ERROR "${path} is linked in, but no licence is on record for it: add it to "
                      "the table of ${CMAKE_CURRENT_LIST_FILE}")
endfunction()

truv_linked_files(files ${MAPS})
if(NOT files)
  message(FATAL_ERROR "no linked files in ${MAPS}: the notices would be empty")
endif()
truv_owning_packages(owners ${files})

# One component per name: its files, its packages and their versions.
set(components "")
foreach(owner IN LISTS owners)
  string(REPLACE "|" ";" owner "${owner}")
  list(GET owner 0 path)
  list(GET owner 1 package)
  component_of(component ${path})
  string(REPLACE "|" ";" component "${component}")
  list(GET component 0 name)
  list(GET component 1 licence)
  string(MAKE_C_IDENTIFIER "${name}" id)
  if(NOT id IN_LIST components)
    list(APPEND components ${id})
    set(${id}_name "${name}")
    set(${id}_licence "${licence}")
  endif()
  get_filename_component(file_name ${path} NAME)
  list(APPEND ${id}_files ${file_name})
  list(APPEND ${id}_packages ${package})
endforeach()

set(text "Third-party notices for truvApp\n\n")
string(APPEND text "truvApp.dll and truvhost.exe are statically linked with the components "
                   "below (found in the linker's maps). Each is named with the Debian package "
                   "it was built from, that package's version, its licence, and the package's "
                   "copyright file: the copyright and permission notices its licences require.\n")
set(listing "set(TRUV_COMPONENTS")
foreach(id IN LISTS components)
  list(REMOVE_DUPLICATES ${id}_packages)
  list(REMOVE_DUPLICATES ${id}_files)
  set(versions "")
  foreach(package IN LISTS ${id}_packages)
    truv_package_version(version ${package})
    list(APPEND versions "${package} ${version}")
  endforeach()
  list(JOIN versions ", " versions)
  list(JOIN ${id}_files " " linked)
  string(APPEND text "\n========================================================================\n"
                     "Component: ${${id}_name}\n"
                     "Package: ${versions}\n"
                     "Licence: ${${id}_licence}\n"
                     "Linked: ${linked}\n")
  # Each copyright file once: the GCC packages share theirs.
  foreach(package IN LISTS ${id}_packages)
    set(copyright_file /usr/share/doc/${package}/copyright)
    file(SHA256 ${copyright_file} hash)
    if(DEFINED noticed_${hash})
      string(APPEND text "Notices: as for ${noticed_${hash}} above\n")
    else()
      set(noticed_${hash} ${package})
      file(READ ${copyright_file} copyright)
      string(APPEND text "Notices (${copyright_file}):\n\n${copyright}")
    endif()
  endforeach()
  list(GET ${id}_packages 0 first_package)
  truv_package_version(version ${first_package})
  string(APPEND listing "\n  \"${${id}_name}|${version}|${${id}_licence}|${first_package}\"")
endforeach()
string(APPEND listing ")\n")
file(WRITE ${NOTICES} "${text}")
file(WRITE ${COMPONENTS} "${listing}")
