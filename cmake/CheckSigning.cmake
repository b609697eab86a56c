# truv_check_signing(WORK_DIR PACK_SETTINGS UNSIGNED_ROOT OSSLSIGNCODE OPENSSL): packs the
# release again, signed with a throw-away code-signing certificate from a throw-away
# certificate authority, both made here with openssl; the DLL and the host in that package
# verify against the authority, and without their signatures they are the unsigned package's
# bytes (but for the PE checksum, which signing sets, and the padding before the signature),
# which scripts/check-signed-release.sh finds as a vendor would run it (and a changed byte
# it does not let pass). One of TRUV_SIGN_CERT and TRUV_SIGN_KEY without the other stops the
# packing.
function(quiet_run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGV0} failed (${status}):\n${errors}")
  endif()
endfunction()

function(make_throwaway_signer dir openssl)
  file(MAKE_DIRECTORY ${dir})
  file(WRITE ${dir}/signer.ext "basicConstraints=CA:false\nkeyUsage=critical,digitalSignature\n"
                               "extendedKeyUsage=codeSigning\n")
  quiet_run(${openssl} req -x509 -newkey rsa:2048 -nodes -days 2
                   -subj "/CN=truvApp test authority" -keyout ${dir}/ca.key -out ${dir}/ca.pem
                   -addext basicConstraints=critical,CA:true
                   -addext keyUsage=critical,keyCertSign,cRLSign)
  quiet_run(${openssl} req -newkey rsa:2048 -nodes
                   -subj "/CN=truvApp test signer" -keyout ${dir}/signer.key
                   -out ${dir}/signer.csr)
  quiet_run(${openssl} x509 -req -in ${dir}/signer.csr -CA ${dir}/ca.pem
                   -CAkey ${dir}/ca.key -CAcreateserial -days 2 -extfile ${dir}/signer.ext
                   -out ${dir}/signer.pem)
endfunction()

# pe_without_signature(VAR FILE SCRATCH OSSLSIGNCODE): the file's bytes (hex) with its
# signature removed (into the file SCRATCH), its PE checksum zeroed and the zero padding at
# its end dropped.
function(pe_without_signature var file scratch osslsigncode)
  file(REMOVE ${scratch})
  execute_process(COMMAND ${osslsigncode} remove-signature -in ${file} -out ${scratch}
                  OUTPUT_QUIET ERROR_QUIET)
  if(EXISTS ${scratch})
    set(file ${scratch})
  endif()
  file(READ ${file} hex HEX)
  string(SUBSTRING "${hex}" 120 8 offset)  # e_lfanew at 0x3C, little-endian
  string(REGEX REPLACE "(..)(..)(..)(..)" "0x\\4\\3\\2\\1" offset "${offset}")
  math(EXPR checksum "(${offset} + 4 + 20 + 64) * 2")  # signature, file header, optional
  math(EXPR rest "${checksum} + 8")
  string(SUBSTRING "${hex}" 0 ${checksum} head)
  string(SUBSTRING "${hex}" ${rest} -1 tail)
  string(REGEX REPLACE "(00)+$" "" tail "${tail}")
  set(${var} "${head}00000000${tail}" PARENT_SCOPE)
endfunction()

# check_one_key_refused(WORK_DIR PACK_SETTINGS CERT): packing with the certificate alone
# fails and says which one is missing.
function(check_one_key_refused work_dir pack_settings cert)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=TRUV_SIGN_KEY TRUV_SIGN_CERT=${cert}
                          ${CMAKE_COMMAND} -DSETTINGS=${pack_settings} -DOUT_DIR=${work_dir}/half
                          -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/PackRelease.cmake
                  OUTPUT_VARIABLE said ERROR_VARIABLE said RESULT_VARIABLE status)
  if(status EQUAL 0 OR NOT said MATCHES "only TRUV_SIGN_CERT is set")
    message(FATAL_ERROR "packing with TRUV_SIGN_CERT alone (exit ${status}):\n${said}")
  endif()
endfunction()

# check_signed_release(WORK_DIR SIGNED_ZIP SIGNED_ROOT UNSIGNED_ROOT): the vendor's check
# passes for the signed package and fails once a byte of the signed host is changed.
function(check_signed_release work_dir signed_zip signed_root unsigned_root)
  set(script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../scripts/check-signed-release.sh)
  execute_process(COMMAND bash ${script} ${signed_zip} ${unsigned_root}
                  OUTPUT_VARIABLE said ERROR_VARIABLE said RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "check-signed-release.sh on the signed package (exit ${status}):\n${said}")
  endif()
  set(tampered ${work_dir}/tampered)
  file(REMOVE_RECURSE ${tampered})
  file(COPY ${signed_root}/ DESTINATION ${tampered})
  set(host ${tampered}/truvhost.exe)  # byte 1100, in the code, turned into its complement
  quiet_run(sh -c [=[byte=$(od -An -tu1 -j1100 -N1 "$1")
                     printf "\\$(printf %o $((255 - byte)))" |
                       dd of="$1" bs=1 seek=1100 conv=notrunc]=] sh ${host})
  execute_process(COMMAND bash ${script} ${tampered} ${unsigned_root}
                  OUTPUT_VARIABLE said ERROR_VARIABLE said RESULT_VARIABLE status)
  if(NOT status EQUAL 1 OR NOT said MATCHES "truvhost.exe differs in 1 bytes besides")
    message(FATAL_ERROR "check-signed-release.sh let a changed byte pass (exit ${status}):\n${said}")
  endif()
endfunction()

function(truv_check_signing work_dir pack_settings unsigned_root osslsigncode openssl)
  set(keys ${work_dir}/keys)
  make_throwaway_signer(${keys} ${openssl})
  check_one_key_refused(${work_dir} ${pack_settings} ${keys}/signer.pem)
  quiet_run(${CMAKE_COMMAND} -E env TRUV_SIGN_CERT=${keys}/signer.pem
                   TRUV_SIGN_KEY=${keys}/signer.key TRUV_SIGN_URL=https://truvapp.invalid/test
                   ${CMAKE_COMMAND} -DSETTINGS=${pack_settings} -DOUT_DIR=${work_dir}
                   -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/PackRelease.cmake)
  get_filename_component(name ${unsigned_root} NAME)
  set(unpacked ${work_dir}/unpacked)
  file(REMOVE_RECURSE ${unpacked})
  file(ARCHIVE_EXTRACT INPUT ${work_dir}/${name}.zip DESTINATION ${unpacked})
  set(signed_root ${unpacked}/${name})
  foreach(binary truvApp.dll truvhost.exe)
    execute_process(COMMAND ${osslsigncode} verify -CAfile ${keys}/ca.pem
                            -in ${signed_root}/${binary}
                    OUTPUT_VARIABLE verdict ERROR_VARIABLE verdict RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT verdict MATCHES "Signature verification: ok")
      message(FATAL_ERROR "${binary} signed with a throw-away key does not verify:\n${verdict}")
    endif()
    pe_without_signature(signed ${signed_root}/${binary} ${work_dir}/bare ${osslsigncode})
    pe_without_signature(unsigned ${unsigned_root}/${binary} ${work_dir}/bare ${osslsigncode})
    if(NOT signed STREQUAL unsigned)
      message(FATAL_ERROR "${binary}: signing changed more than the signature")
    endif()
  endforeach()
  check_signed_release(${work_dir} ${work_dir}/${name}.zip ${signed_root} ${unsigned_root})
  set(${CMAKE_CURRENT_FUNCTION}_root ${signed_root} PARENT_SCOPE)
  message(STATUS "${work_dir}/${name}.zip: signed; truvApp.dll and truvhost.exe verify")
endfunction()
