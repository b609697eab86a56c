# What a link took from outside the project, read from the GNU linker's map (-Wl,-Map): the
# archives that gave members ("Archive member included ...") and the objects loaded whole
# (start-up code, crtbegin.o). For the third-party notices and their check.

# truv_linked_files(VAR MAP...): the absolute, resolved paths of those files, sorted, once
# each. The link's own temporary objects (/tmp/cc*.ltrans*.o) and the project's files
# (relative paths, or under PROJECT_DIRS when set) are left out.
function(truv_linked_files var)
  set(files "")
  foreach(map IN LISTS ARGN)
    file(STRINGS ${map} lines REGEX "^(/[^ (]+\\.a\\(|LOAD /[^ ]+\\.o$)")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^(LOAD )?(/[^ (]+)(\\(.*)?$" "\\2" path "${line}")
      file(REAL_PATH ${path} path)
      list(APPEND files ${path})
    endforeach()
  endforeach()
  list(FILTER files EXCLUDE REGEX "\\.ltrans[0-9]*\\.ltrans\\.o$")
  foreach(dir IN LISTS PROJECT_DIRS)
    list(FILTER files EXCLUDE REGEX "^${dir}/")
  endforeach()
  list(REMOVE_DUPLICATES files)
  list(SORT files)
  set(${var} "${files}" PARENT_SCOPE)
endfunction()

# truv_owning_packages(VAR FILE...): for each file "file|package", the Debian package that
# installed it; stops when a file belongs to none.
function(truv_owning_packages var)
  execute_process(COMMAND dpkg-query -S ${ARGN} OUTPUT_VARIABLE output ERROR_VARIABLE errors
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "linked files that no installed package owns:\n${errors}")
  endif()
  string(REGEX MATCHALL "[^\n]+" lines "${output}")
  set(owners "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^([^:]+)(:[a-z0-9]+)?: (.*)$" "\\3|\\1" owner "${line}")
    list(APPEND owners "${owner}")
  endforeach()
  set(${var} "${owners}" PARENT_SCOPE)
endfunction()

# truv_package_version(VAR PACKAGE): the installed version of a Debian package.
function(truv_package_version var package)
  execute_process(COMMAND dpkg-query -W -f=\${Version} ${package} OUTPUT_VARIABLE version
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR version STREQUAL "")
    message(FATAL_ERROR "${package}: not installed")
  endif()
  set(${var} "${version}" PARENT_SCOPE)
endfunction()
