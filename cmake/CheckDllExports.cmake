# Checks the plug-in library the way the host sees it: exactly the two exports, each by its
# ordinal and its MSVC-decorated name, and imports from Windows system libraries only.
# usage: cmake -DDLL=... -DREADOBJ=llvm-readobj -DOBJDUMP=...-objdump -DPOINTER_BITS=32|64
#              -P CheckDllExports.cmake
include(${CMAKE_CURRENT_LIST_DIR}/ToolOutput.cmake)

foreach(var DLL READOBJ OBJDUMP POINTER_BITS)
  if(NOT ${var})
    message(FATAL_ERROR "CheckDllExports: ${var} not given")
  endif()
endforeach()

if(POINTER_BITS EQUAL 64)
  set(expected "1 ?InitTruvApp@@YAPEBDXZ;2 ?RunCommand@@YAXPEAD@Z")
else()
  set(expected "1 ?InitTruvApp@@YAPBDXZ;2 ?RunCommand@@YAXPAD@Z")
endif()

truv_tool_output(exportText ${READOBJ} --coff-exports ${DLL})
# One entry per "Export { Ordinal: N  Name: X ... }" block, as "N X".
string(REGEX MATCHALL "Ordinal: [0-9]+[\r\n]+ *Name: [^\r\n]*" entries "${exportText}")
set(exports "")
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "Ordinal: ([0-9]+)[\r\n]+ *Name: ([^\r\n]*)" "\\1 \\2" entry "${entry}")
  list(APPEND exports "${entry}")
endforeach()
if(NOT exports STREQUAL expected)
  message(FATAL_ERROR "exports of ${DLL}:\n  ${exports}\nexpected:\n  ${expected}\n${exportText}")
endif()

truv_tool_output(headers ${OBJDUMP} -p ${DLL})
string(REGEX MATCHALL "DLL Name: [^\r\n]*" imports "${headers}")
if(NOT imports)
  message(FATAL_ERROR "no imports found in ${DLL}: the check would prove nothing")
endif()
foreach(import IN LISTS imports)
  string(REPLACE "DLL Name: " "" name "${import}")
  string(TOUPPER "${name}" upper)
  if(NOT upper MATCHES "^(KERNEL32|USER32|ADVAPI32|SHELL32|MSVCRT)\\.DLL$"
     AND NOT upper MATCHES "^API-MS-WIN-.*\\.DLL$")
    message(FATAL_ERROR "${DLL} imports ${name}, which is not a Windows system library")
  endif()
endforeach()
message(STATUS "${DLL}: exports ${exports}; imports ${imports}")
