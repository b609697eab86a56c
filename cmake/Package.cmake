# The package a host vendor receives, one ZIP per architecture (release presets only): the
# stripped DLL and its debug file, the public header, the reference host, the docs and a
# README. `cmake --workflow --preset release-win32` (or release-win64) builds and tests it.
if(NOT (WIN32 AND TRUV_RELEASE))
  return()
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TRUV_PACKAGE_ARCH win64)
  set(TRUV_PACKAGE_BITS 64)
else()
  set(TRUV_PACKAGE_ARCH win32)
  set(TRUV_PACKAGE_BITS 32)
endif()
configure_file(${CMAKE_SOURCE_DIR}/packaging/README.md ${CMAKE_BINARY_DIR}/package/README.md
               @ONLY)

install(FILES $<TARGET_FILE:truvApp> $<TARGET_FILE:truvApp>.debug $<TARGET_FILE:truvhost>
              ${CMAKE_BINARY_DIR}/package/README.md
        DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/include/truvApp.h DESTINATION include)
install(FILES ${CMAKE_SOURCE_DIR}/docs/deliberate-behaviour.md
              ${CMAKE_SOURCE_DIR}/docs/host-integration.md
              ${CMAKE_SOURCE_DIR}/docs/installation.md ${CMAKE_SOURCE_DIR}/docs/messages.md
              ${CMAKE_SOURCE_DIR}/docs/performance.md
        DESTINATION docs)
install(FILES ${CMAKE_SOURCE_DIR}/docs/images/message-box.png
              ${CMAKE_SOURCE_DIR}/docs/images/window-host.png
        DESTINATION docs/images)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME truvApp)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(TRUV_PACKAGE_NAME truvApp-${PROJECT_VERSION}-${TRUV_PACKAGE_ARCH})
set(CPACK_PACKAGE_FILE_NAME ${TRUV_PACKAGE_NAME})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)

# The package as a vendor would unpack it: the list of files, the DLL's size, exports and
# imports, its debug link, and the host and DLL inside telling their versions under Wine.
find_program(LLVM_READOBJ NAMES llvm-readobj REQUIRED)
add_test(NAME package
         COMMAND ${CMAKE_COMMAND} -DPACKAGE=${CMAKE_BINARY_DIR}/${TRUV_PACKAGE_NAME}.zip
                 -DWORK_DIR=${CMAKE_BINARY_DIR}/package-check -DVERSION=${PROJECT_VERSION}
                 -DREADOBJ=${LLVM_READOBJ} -DOBJDUMP=${CMAKE_OBJDUMP}
                 -DPOINTER_BITS=${TRUV_PACKAGE_BITS} -DWINE_RUN=${CMAKE_BINARY_DIR}/wine-run.sh
                 -P ${CMAKE_SOURCE_DIR}/cmake/CheckPackage.cmake)
set_tests_properties(package PROPERTIES LABELS package)
