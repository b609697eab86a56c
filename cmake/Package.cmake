# The package a host vendor receives, one ZIP per architecture (release presets only): the
# stripped DLL and its debug file, the public header, the import library and its definition
# file, the reference host, the docs, a README, the third-party notices and the bill of
# materials. `cmake --workflow --preset release-win32` (or release-win64) builds and tests it;
# the target release_package makes it (cmake/PackRelease.cmake), signed when a key is given.
if(NOT (WIN32 AND TRUV_RELEASE))
  return()
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TRUV_PACKAGE_ARCH win64)
  set(TRUV_PACKAGE_OTHER_ARCH win32)
  set(TRUV_PACKAGE_BITS 64)
  set(TRUV_DLLTOOL_MACHINE i386:x86-64)
else()
  set(TRUV_PACKAGE_ARCH win32)
  set(TRUV_PACKAGE_OTHER_ARCH win64)
  set(TRUV_PACKAGE_BITS 32)
  set(TRUV_DLLTOOL_MACHINE i386)
endif()
set(TRUV_PACKAGE_NAME truvApp-${PROJECT_VERSION}-${TRUV_PACKAGE_ARCH})
set(package_dir ${CMAKE_BINARY_DIR}/package)
configure_file(${CMAKE_SOURCE_DIR}/packaging/README.md ${package_dir}/README.md @ONLY)

# The definition file a host links by: the link's own, without the internal names the
# exports stand for.
set(link_definitions ${CMAKE_SOURCE_DIR}/src/truvApp${TRUV_PACKAGE_BITS}.def)
file(READ ${link_definitions} definitions)
string(REGEX REPLACE " = [^ \n]+" "" definitions "${definitions}")
set(def_file ${package_dir}/truvApp.def)
if(EXISTS ${def_file})
  file(READ ${def_file} written)
endif()
if(NOT written STREQUAL definitions)  # unchanged: the import library is not made again
  file(WRITE ${def_file} "${definitions}")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${link_definitions})
# The import library in the format of Microsoft's linker, which MinGW's reads too.
find_program(LLVM_DLLTOOL NAMES llvm-dlltool REQUIRED)
add_custom_command(OUTPUT ${package_dir}/truvApp.lib
  COMMAND ${LLVM_DLLTOOL} -m ${TRUV_DLLTOOL_MACHINE} -d ${package_dir}/truvApp.def
          -l ${package_dir}/truvApp.lib
  DEPENDS ${package_dir}/truvApp.def VERBATIM)

# The notices and the components the bill of materials names, from the links' maps.
set(link_maps $<TARGET_FILE:truvApp>.map $<TARGET_FILE:truvhost>.map)
add_custom_command(OUTPUT ${package_dir}/THIRD-PARTY-NOTICES.txt ${package_dir}/components.cmake
  COMMAND ${CMAKE_COMMAND} "-DMAPS=${link_maps}"
          "-DPROJECT_DIRS=${CMAKE_SOURCE_DIR};${CMAKE_BINARY_DIR}"
          -DNOTICES=${package_dir}/THIRD-PARTY-NOTICES.txt
          -DCOMPONENTS=${package_dir}/components.cmake
          -P ${CMAKE_SOURCE_DIR}/cmake/ThirdPartyNotices.cmake
  DEPENDS truvApp truvhost ${CMAKE_SOURCE_DIR}/cmake/ThirdPartyNotices.cmake
          ${CMAKE_SOURCE_DIR}/cmake/LinkMap.cmake
  VERBATIM)

install(FILES $<TARGET_FILE:truvApp> $<TARGET_FILE:truvApp>.debug $<TARGET_FILE:truvhost>
              ${package_dir}/README.md ${package_dir}/THIRD-PARTY-NOTICES.txt
        DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/include/truvApp.h DESTINATION include)
install(FILES ${package_dir}/truvApp.def ${package_dir}/truvApp.lib DESTINATION lib)
install(FILES ${CMAKE_SOURCE_DIR}/docs/deliberate-behaviour.md
              ${CMAKE_SOURCE_DIR}/docs/host-integration.md
              ${CMAKE_SOURCE_DIR}/docs/installation.md ${CMAKE_SOURCE_DIR}/docs/messages.md
              ${CMAKE_SOURCE_DIR}/docs/performance.md ${CMAKE_SOURCE_DIR}/docs/release.md
              ${CMAKE_SOURCE_DIR}/docs/support.md
        DESTINATION docs)
install(FILES ${CMAKE_SOURCE_DIR}/docs/images/message-box.png
              ${CMAKE_SOURCE_DIR}/docs/images/window-host.png
        DESTINATION docs/images)

find_program(OSSLSIGNCODE NAMES osslsigncode REQUIRED)
find_program(ZIP_EXECUTABLE NAMES zip REQUIRED)
# What PackRelease.cmake needs besides the folder it packs into.
set(pack_settings ${package_dir}/pack-settings.cmake)
file(CONFIGURE OUTPUT ${pack_settings} CONTENT [[
set(BUILD_DIR "@CMAKE_BINARY_DIR@")
set(NAME "@TRUV_PACKAGE_NAME@")
set(VERSION "@PROJECT_VERSION@")
set(EPOCH "@TRUV_SOURCE_DATE_EPOCH@")
set(COMPONENTS "@package_dir@/components.cmake")
set(OSSLSIGNCODE "@OSSLSIGNCODE@")
set(ZIP "@ZIP_EXECUTABLE@")
]] @ONLY)
add_custom_target(release_package
  COMMAND ${CMAKE_COMMAND} -DSETTINGS=${pack_settings} -DOUT_DIR=${CMAKE_BINARY_DIR}
          -P ${CMAKE_SOURCE_DIR}/cmake/PackRelease.cmake
  DEPENDS ${package_dir}/THIRD-PARTY-NOTICES.txt ${package_dir}/truvApp.lib
  BYPRODUCTS ${CMAKE_BINARY_DIR}/${TRUV_PACKAGE_NAME}.zip
  COMMENT "Packing ${TRUV_PACKAGE_NAME}.zip" VERBATIM)

# The package as a vendor would unpack it: the list of files, the DLL's size, exports and
# imports, its debug link, the notices, the bill of materials, the import library, a
# signature made with a throw-away key, the host and DLL inside telling their versions
# under Wine, and two hosts linked with the import library (MinGW C; MSVC-ABI C++) run there.
find_program(LLVM_READOBJ NAMES llvm-readobj REQUIRED)
find_program(LLVM_NM NAMES llvm-nm REQUIRED)
find_program(OPENSSL NAMES openssl REQUIRED)
# An MSVC-ABI host is built too: no test without these (scripts/setup.sh installs them).
find_program(TRUV_CLANG NAMES clang clang-14 REQUIRED)
find_program(TRUV_LLD_LINK NAMES lld-link lld-link-14 REQUIRED)
add_test(NAME package
         COMMAND ${CMAKE_COMMAND} -DPACKAGE=${CMAKE_BINARY_DIR}/${TRUV_PACKAGE_NAME}.zip
                 -DWORK_DIR=${CMAKE_BINARY_DIR}/package-check -DVERSION=${PROJECT_VERSION}
                 -DREADOBJ=${LLVM_READOBJ} -DNM=${LLVM_NM} -DOBJDUMP=${CMAKE_OBJDUMP}
                 -DPOINTER_BITS=${TRUV_PACKAGE_BITS} -DWINE_RUN=${CMAKE_BINARY_DIR}/wine-run.sh
                 "-DMAPS=${link_maps}" "-DPROJECT_DIRS=${CMAKE_SOURCE_DIR};${CMAKE_BINARY_DIR}"
                 -DOSSLSIGNCODE=${OSSLSIGNCODE} -DOPENSSL=${OPENSSL}
                 -DPACK_SETTINGS=${pack_settings} -DCXX=${CMAKE_CXX_COMPILER}
                 -DC_HOST_SOURCE=${CMAKE_SOURCE_DIR}/tests/package/c_host.c
                 -DCLANG=${TRUV_CLANG} -DLLD_LINK=${TRUV_LLD_LINK}
                 -DMSVC_HOST_SOURCE=${CMAKE_SOURCE_DIR}/tests/package/msvc_host.cpp
                 -P ${CMAKE_SOURCE_DIR}/cmake/CheckPackage.cmake)
set_tests_properties(package PROPERTIES LABELS package)
