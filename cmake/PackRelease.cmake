# Makes the release ZIP from a built release tree: installs the package's files into a fresh
# staging folder, signs the DLL and the host when a key is given (the last change to either),
# writes the bill of materials over the final bytes, and packs the files in name order, with
# the time SOURCE_DATE_EPOCH, mode 644 and no owner, so that the ZIP has the same bytes on
# every machine.
# usage: cmake -DSETTINGS=package/pack-settings.cmake -DOUT_DIR=dir -P PackRelease.cmake
# (the settings, written when configuring: BUILD_DIR, NAME, VERSION, EPOCH, COMPONENTS,
# OSSLSIGNCODE, ZIP)
# Signing: TRUV_SIGN_CERT (the certificate, PEM or DER, with its chain) and TRUV_SIGN_KEY (its
# private key) in the environment; TRUV_SIGN_PASS_FILE when the key has a pass phrase;
# TRUV_SIGN_URL the URL shown with the signature; TRUV_SIGN_TIMESTAMP_URL an RFC 3161 time
# stamp server (the signature then outlives the certificate, but differs on every build).
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/Spdx.cmake)
include(${SETTINGS})
foreach(var BUILD_DIR OUT_DIR NAME VERSION EPOCH COMPONENTS OSSLSIGNCODE ZIP)
  if(NOT ${var})
    message(FATAL_ERROR "PackRelease: ${var} not given")
  endif()
endforeach()
set(ENV{SOURCE_DATE_EPOCH} ${EPOCH})
# Both or neither: one of the two alone is a misspelt or forgotten name, never an unsigned
# release by intent.
set(sign_given "")
foreach(var TRUV_SIGN_CERT TRUV_SIGN_KEY)
  if(NOT "$ENV{${var}}" STREQUAL "")
    list(APPEND sign_given ${var})
  endif()
endforeach()
list(LENGTH sign_given sign_count)
if(sign_count EQUAL 1)
  message(FATAL_ERROR "only ${sign_given} is set: give both TRUV_SIGN_CERT and TRUV_SIGN_KEY "
                      "to sign the release, or neither for an unsigned one")
endif()
set(product_name truvApp)
set(default_url "https://truvapp.invalid/")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "${command}: failed (${status})")
  endif()
endfunction()

# sign(FILE): Authenticode, SHA-256, signed at SOURCE_DATE_EPOCH; replaces the file.
function(sign file)
  set(options -certs $ENV{TRUV_SIGN_CERT} -key $ENV{TRUV_SIGN_KEY} -h sha256
              -n ${product_name} -time ${EPOCH})
  if(NOT "$ENV{TRUV_SIGN_PASS_FILE}" STREQUAL "")
    list(APPEND options -readpass $ENV{TRUV_SIGN_PASS_FILE})
  endif()
  if(NOT "$ENV{TRUV_SIGN_URL}" STREQUAL "")  # set but empty: the default too
    list(APPEND options -i $ENV{TRUV_SIGN_URL})
  else()
    list(APPEND options -i ${default_url})
  endif()
  if(NOT "$ENV{TRUV_SIGN_TIMESTAMP_URL}" STREQUAL "")
    list(APPEND options -ts $ENV{TRUV_SIGN_TIMESTAMP_URL})
  endif()
  file(REMOVE ${file}.signed)
  run(${OSSLSIGNCODE} sign ${options} -in ${file} -out ${file}.signed)
  file(RENAME ${file}.signed ${file})
endfunction()

set(stage ${OUT_DIR}/stage)
set(root ${stage}/${NAME})
file(REMOVE_RECURSE ${stage})
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${root})

set(binaries truvApp.dll truvhost.exe)
if(sign_count EQUAL 2)
  foreach(binary IN LISTS binaries)
    sign(${root}/${binary})
  endforeach()
  message(STATUS "${NAME}: ${binaries} signed with $ENV{TRUV_SIGN_CERT}")
else()
  message(STATUS "${NAME}: ${binaries} NOT signed (neither TRUV_SIGN_CERT nor TRUV_SIGN_KEY set)")
endif()

include(${COMPONENTS})
truv_write_spdx(${NAME}.spdx.json ${root} ${NAME} ${VERSION})

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${stage} ${root}/*)
list(SORT files)
foreach(file IN LISTS files)
  file(CHMOD ${stage}/${file} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()
list(TRANSFORM files PREPEND ${stage}/ OUTPUT_VARIABLE paths)
run(touch -d @${EPOCH} ${paths})
list(JOIN files "\n" listing)
file(WRITE ${OUT_DIR}/${NAME}.files "${listing}\n")
# -X: no owner nor extra time fields; -D: no folder entries; ZIP times are local: UTC here.
file(REMOVE ${OUT_DIR}/${NAME}.zip)
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP} -X -D -q ${OUT_DIR}/${NAME}.zip -@
                INPUT_FILE ${OUT_DIR}/${NAME}.files WORKING_DIRECTORY ${stage}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "zip of ${root} failed (${status})")
endif()
list(LENGTH files count)
message(STATUS "${OUT_DIR}/${NAME}.zip: ${count} files")
