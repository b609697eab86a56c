# The layering check on small trees planted in BINARY_DIR: a header that a door includes
# passes when a tool spells one of its names in code, and fails, named, when none does.
#
#   cmake -DSOURCE_DIR=<repository> -DBINARY_DIR=<scratch folder> -P door_use_test.cmake
cmake_minimum_required(VERSION 3.25)

# case: what the planted header declares | what the tool's code says | the fault expected
# ("@" stands for ";", which would split the list)
set(cases
  "struct Used {}@|Used used@|"
  "int UsedCall(int x)@|int y = UsedCall(1)@|"
  "inline constexpr int kUsedLimit = 3@|int z = kUsedLimit@|"
  "struct Planted {}@|int other = 0@|includes text/planted.h, which no tool uses"
  "struct Planted {}@|// Planted, in a comment only|includes text/planted.h, which no tool uses"
  "std::string PlantedText()@|int PlantedTextLength = 0@|includes text/planted.h, which no tool uses")

set(failures 0)
set(number 0)
foreach(case IN LISTS cases)
  math(EXPR number "${number} + 1")
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 declared)
  list(GET parts 1 code)
  list(LENGTH parts count)
  set(expected "")
  if(count GREATER 2)
    list(GET parts 2 expected)
  endif()
  string(REPLACE "@" ";" declared "${declared}")
  string(REPLACE "@" ";" code "${code}")
  set(tree "${BINARY_DIR}/door_use_${number}")
  file(REMOVE_RECURSE "${tree}")
  file(WRITE "${tree}/src/text/planted.h" "#include <string>\nnamespace gbk {\n${declared}\n}\n")
  file(WRITE "${tree}/src/os/os.h" "namespace os {\nint Seam();\n}\n")
  file(WRITE "${tree}/src/plugin/inspect.h" "#include \"text/planted.h\"\n")
  file(WRITE "${tree}/host/tool.cpp"
       "#include \"os/os.h\"\n#include \"plugin/inspect.h\"\nint s = os::Seam();\n${code}\n")
  execute_process(COMMAND "${CMAKE_COMMAND}" "-DSOURCE_DIR=${tree}"
                          -P "${SOURCE_DIR}/cmake/CheckLayers.cmake"
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REGEX REPLACE "[ \n]+" " " said "${out}${err}")
  if(expected STREQUAL "")
    if(NOT result EQUAL 0)
      message(SEND_ERROR "case ${number} (${declared} | ${code}): failed, expected to pass:\n${said}")
      math(EXPR failures "${failures} + 1")
    endif()
  elseif(result EQUAL 0 OR NOT said MATCHES "src/plugin/inspect.h: ${expected}")
    message(SEND_ERROR "case ${number} (${declared} | ${code}): expected \"${expected}\":\n${said}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} case(s) failed")
endif()
message(STATUS "${number} planted trees judged as expected")
