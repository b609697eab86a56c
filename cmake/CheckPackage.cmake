# Checks a release package as a host vendor receives it: unpacks it, compares its files with
# the list below, checks the DLL inside (no larger than max_dll_bytes below; two exports and
# system imports only, by CheckDllExports.cmake; its .gnu_debuglink naming the debug file
# beside it), the release files (the notices, the bill of materials, the import library, a
# signature, each by its Check*.cmake) and runs the packaged truvhost.exe --version under
# Wine, which reads the DLL's version resource, and builds and runs two hosts linked with the
# package's import library, one in C with MinGW-w64, one in C++ in the MSVC ABI with clang and
# lld-link; every link of the shipped docs must resolve inside the package
# (CheckDocLinks.cmake).
# usage: cmake -DPACKAGE=zip -DWORK_DIR=dir -DVERSION=x.y.z -DREADOBJ=... -DNM=... -DOBJDUMP=...
#              -DPOINTER_BITS=32|64 -DWINE_RUN=wine-run.sh -DMAPS=link maps
#              -DPROJECT_DIRS=source;build -DPACK_SETTINGS=... -DOSSLSIGNCODE=... -DOPENSSL=...
#              -DCXX=the MinGW C++ compiler -DC_HOST_SOURCE=tests/package/c_host.c
#              -DCLANG=clang -DLLD_LINK=lld-link -DMSVC_HOST_SOURCE=tests/package/msvc_host.cpp
#              -P CheckPackage.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/CheckNotices.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/CheckSpdx.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/CheckImportLibrary.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/CheckSigning.cmake)
foreach(var PACKAGE WORK_DIR VERSION READOBJ NM OBJDUMP POINTER_BITS WINE_RUN MAPS PROJECT_DIRS
            PACK_SETTINGS OSSLSIGNCODE OPENSSL CXX C_HOST_SOURCE CLANG LLD_LINK MSVC_HOST_SOURCE)
  if(NOT ${var})
    message(FATAL_ERROR "CheckPackage: ${var} not given")
  endif()
endforeach()

get_filename_component(top ${PACKAGE} NAME_WLE)
set(expected
  README.md
  THIRD-PARTY-NOTICES.txt
  ${top}.spdx.json
  docs/deliberate-behaviour.md
  docs/host-integration.md
  docs/images/message-box.png
  docs/images/window-host.png
  docs/installation.md
  docs/messages.md
  docs/performance.md
  docs/support.md
  docs/release.md
  include/truvApp.h
  lib/truvApp.def
  lib/truvApp.lib
  truvApp.dll
  truvApp.dll.debug
  truvhost.exe)
# The largest DLL allowed: growth beyond fails here, to be weighed and the limit raised on purpose.
# The C++ runtime linked into the DLL is the compiler's, and the same code makes a larger DLL
# with a newer MinGW-w64 GCC: one limit per compiler release, the same room above the sizes
# measured on each (GCC 12: 241,181 and 200,723 bytes; GCC 14: 272,925 and 217,107).
set(dll_limits
  #  GCC  32-bit   x64
     12   249373   206867
     14   281117   223251)
execute_process(COMMAND ${CXX} -dumpversion OUTPUT_VARIABLE gcc_version
                OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REGEX MATCH "^[0-9]+" gcc_major "${gcc_version}")
list(FIND dll_limits "${gcc_major}" at)
if(at EQUAL -1 OR NOT gcc_major)
  list(GET dll_limits 0 gcc_major)  # another compiler: held to the first release's limits
  set(at 0)
endif()
if(POINTER_BITS EQUAL 64)
  math(EXPR at "${at} + 2")
else()
  math(EXPR at "${at} + 1")
endif()
list(GET dll_limits ${at} max_dll_bytes)

# Every link of the shipped docs leads to a file in the package.
function(check_doc_links)
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${root}
                          -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/CheckDocLinks.cmake
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the docs of ${PACKAGE} link to files it does not hold")
  endif()
endfunction()

if(NOT EXISTS ${PACKAGE})
  message(FATAL_ERROR "no package ${PACKAGE} (cmake --build --preset release-win32|release-win64)")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${PACKAGE} WORKING_DIRECTORY ${WORK_DIR}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${PACKAGE}")
endif()
set(root ${WORK_DIR}/${top})
file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "files of ${PACKAGE} (under ${top}/):\n  ${found}\nexpected:\n  ${expected}")
endif()

check_doc_links()

set(dll ${root}/truvApp.dll)
file(SIZE ${dll} size)
if(size GREATER max_dll_bytes)
  message(FATAL_ERROR "${dll}: ${size} bytes, more than ${max_dll_bytes}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -DDLL=${dll} -DREADOBJ=${READOBJ} -DOBJDUMP=${OBJDUMP}
                        -DPOINTER_BITS=${POINTER_BITS}
                        -P ${CMAKE_CURRENT_LIST_DIR}/CheckDllExports.cmake
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "export and import check of ${dll} failed")
endif()

# The debug link: the debug file's name, NUL-padded, then its CRC; no debug sections left.
execute_process(COMMAND ${OBJDUMP} -h ${dll} OUTPUT_VARIABLE sections)
if(sections MATCHES "\\.debug_")
  message(FATAL_ERROR "${dll} still holds debug sections:\n${sections}")
endif()
string(REGEX REPLACE "objdump$" "objcopy" objcopy "${OBJDUMP}")
execute_process(COMMAND ${objcopy} --dump-section .gnu_debuglink=${WORK_DIR}/debuglink ${dll}
                        ${WORK_DIR}/scratch.dll
                RESULT_VARIABLE status ERROR_QUIET)
set(link "")
if(status EQUAL 0)
  file(READ ${WORK_DIR}/debuglink link HEX)
endif()
string(HEX "truvApp.dll.debug" name)
if(NOT link MATCHES "^${name}00")
  message(FATAL_ERROR "${dll}: no .gnu_debuglink naming truvApp.dll.debug (${link})")
endif()

# The package's README: every placeholder filled in, and this architecture's preset named
# as the one it was built with, the other's as the other's.
file(READ ${root}/README.md readme)
if(POINTER_BITS EQUAL 64)
  set(arch win64)
  set(other_arch win32)
else()
  set(arch win32)
  set(other_arch win64)
endif()
if(readme MATCHES "@[A-Z_]+@" OR NOT readme MATCHES "--preset release-${arch}\n"
   OR NOT readme MATCHES "other architecture's package: `release-${other_arch}`[)]")
  message(FATAL_ERROR "${root}/README.md: placeholders or presets wrong:\n${readme}")
endif()

# The release files: each check in its own script.
truv_check_notices(${root}/THIRD-PARTY-NOTICES.txt ${MAPS})
truv_check_spdx(${root}/${top}.spdx.json ${root} ${MAPS})
truv_check_import_library(${root} ${READOBJ} ${NM} ${POINTER_BITS})
truv_check_signing(${WORK_DIR}/signed ${PACK_SETTINGS} ${root} ${OSSLSIGNCODE} ${OPENSSL})
truv_check_spdx(${truv_check_signing_root}/${top}.spdx.json ${truv_check_signing_root} ${MAPS})

execute_process(COMMAND ${WINE_RUN} ${root}/truvhost.exe --version
                OUTPUT_VARIABLE versions RESULT_VARIABLE status)
string(REPLACE "." "[.]" pattern "${VERSION}")
if(NOT status EQUAL 0 OR NOT versions MATCHES "^truvhost ${pattern}\ntruvApp[.]dll ${pattern} ")
  message(FATAL_ERROR "truvhost.exe --version in the package (exit ${status}):\n${versions}")
endif()

# A host of the package, built by the caller into the package's root beside the DLL, runs
# there under Wine: the load-time link the header promises. It exits 0 having called both
# functions through the import library and said so; its RunCommand(KEY) reaches the DLL,
# whose launch trace then holds the key. "menu.txt" is removed before the run and after it.
function(check_host what host key)
  set(trace ${WORK_DIR}/host.trace)
  file(REMOVE ${trace} ${root}/menu.txt)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TRUVAPP_TRACE=${trace} ${WINE_RUN} ${host}
                  OUTPUT_VARIABLE said ERROR_VARIABLE said RESULT_VARIABLE status)
  set(traced "")
  if(EXISTS ${trace})
    file(READ ${trace} traced)
  endif()
  string(REPLACE "|" "[|]" key_pattern "${key}")
  if(NOT status EQUAL 0 OR NOT said MATCHES "linked: InitTruvApp and RunCommand"
     OR NOT traced MATCHES "${key_pattern}")
    message(FATAL_ERROR "${what} under Wine (exit ${status}):\n${said}\ntrace:\n${traced}")
  endif()
  file(REMOVE ${host} ${root}/menu.txt)
endfunction()

# A host in C, built with MinGW-w64's gcc against the package's header and import library.
string(REGEX REPLACE "g[+][+]([^/]*)$" "gcc\\1" c_compiler "${CXX}")
set(c_host ${root}/c_host.exe)
execute_process(COMMAND ${c_compiler} -std=c99 -Wall -Wextra -Werror -I${root}/include
                        ${C_HOST_SOURCE} ${root}/lib/truvApp.lib -o ${c_host}
                OUTPUT_VARIABLE said ERROR_VARIABLE said RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "a C host does not link against lib/truvApp.lib:\n${said}")
endif()
check_host("the C host" ${c_host} "C host|probe")

# A host in C++ built as with Microsoft's toolchain: clang in the MSVC ABI, no system headers,
# then lld-link with lib/truvApp.lib, so the calls link by the decorated names the compiler
# makes. Instead of a C runtime it has its own entry point, and MinGW-w64's kernel32 import
# library (whose members are not marked safe for SEH, hence /safeseh:no on x86).
if(POINTER_BITS EQUAL 64)
  set(msvc_target x86_64-pc-windows-msvc)
  set(msvc_link_options /machine:x64)
else()
  set(msvc_target i686-pc-windows-msvc)
  set(msvc_link_options /machine:x86 /safeseh:no)
endif()
execute_process(COMMAND ${CXX} -print-file-name=libkernel32.a OUTPUT_VARIABLE kernel32
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT IS_ABSOLUTE "${kernel32}" OR NOT EXISTS "${kernel32}")
  message(FATAL_ERROR "${CXX} knows no libkernel32.a (${kernel32})")
endif()
set(msvc_host ${root}/msvc_host.exe)
set(msvc_object ${WORK_DIR}/msvc_host.obj)
execute_process(COMMAND ${CLANG} --target=${msvc_target} -std=c++20 -O1 -ffreestanding
                        -fno-exceptions -nostdinc -Wall -Wextra -Werror -I${root}/include
                        -c ${MSVC_HOST_SOURCE} -o ${msvc_object}
                OUTPUT_VARIABLE said ERROR_VARIABLE said RESULT_VARIABLE status)
if(status EQUAL 0)
  execute_process(COMMAND ${LLD_LINK} /nologo /demangle:no /nodefaultlib
                          /entry:HostStart /subsystem:console
                          ${msvc_link_options} /out:${msvc_host} ${msvc_object}
                          ${root}/lib/truvApp.lib ${kernel32}
                  OUTPUT_VARIABLE said ERROR_VARIABLE said RESULT_VARIABLE status)
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "an MSVC-ABI host does not build against lib/truvApp.lib:\n${said}")
endif()
check_host("the MSVC-ABI host" ${msvc_host} "MSVC host|probe")
message(STATUS "${PACKAGE}: ${size} bytes of DLL; ${versions}")
