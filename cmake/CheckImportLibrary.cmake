# truv_check_import_library(ROOT READOBJ NM POINTER_BITS): lib/truvApp.def and lib/truvApp.lib
# agree with include/truvApp.h: for the header's decorated name and ordinal of each function
# (the branch for POINTER_BITS), the definition file exports that name at that ordinal, and
# the import library has a member naming truvApp.dll that imports the name (the function and
# its __imp_ pointer) for the DLL's machine, with the ordinal as its hint.
include(${CMAKE_CURRENT_LIST_DIR}/ToolOutput.cmake)

# header_define(VAR TEXT MACRO): the value of "#define MACRO value" in TEXT, quotes removed.
function(header_define var text macro)
  if(NOT text MATCHES "#define ${macro} \"?([^\"\n]+)\"?\n")
    message(FATAL_ERROR "include/truvApp.h defines no ${macro}")
  endif()
  set(${var} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

# le16(VAR HEX AT): the 16-bit little-endian number at hex digit AT of HEX.
function(le16 var hex at)
  string(SUBSTRING "${hex}" ${at} 4 field)
  string(SUBSTRING "${field}" 2 2 high)
  string(SUBSTRING "${field}" 0 2 low)
  math(EXPR value "0x${high}${low}")
  set(${var} ${value} PARENT_SCOPE)
endfunction()

# import_member(PREFIX HEX NAME DLL): the machine (PREFIX_machine) and hint (PREFIX_hint) of the
# short import member whose symbol is NAME. Its 20-byte header holds the machine at byte 6 and
# the hint at byte 16, both 16 bits; the symbol's name and the DLL's name follow, each
# NUL-terminated.
function(import_member prefix hex name dll)
  string(HEX "${name}" name_hex)
  string(HEX "${dll}" dll_hex)
  string(FIND "${hex}" "${name_hex}00${dll_hex}00" at)
  if(at LESS 40)
    message(FATAL_ERROR "no import member for ${name}")
  endif()
  math(EXPR machine_at "${at} - 40 + 12")
  math(EXPR hint_at "${at} - 40 + 32")
  le16(machine "${hex}" ${machine_at})
  le16(hint "${hex}" ${hint_at})
  set(${prefix}_machine ${machine} PARENT_SCOPE)
  set(${prefix}_hint ${hint} PARENT_SCOPE)
endfunction()

function(truv_check_import_library root readobj nm pointer_bits)
  file(READ ${root}/include/truvApp.h header)
  if(pointer_bits EQUAL 64)  # the header's _WIN64 branch comes first
    string(REGEX REPLACE "#else.*" "" header_branch "${header}")
    math(EXPR machine 0x8664)  # IMAGE_FILE_MACHINE_AMD64
  else()
    math(EXPR machine 0x14C)   # IMAGE_FILE_MACHINE_I386
    string(REGEX REPLACE "#if defined\\(_WIN64\\).*#else" "" header_branch "${header}")
  endif()
  header_define(dll "${header}" TRUVAPP_DLL_NAME)
  file(READ ${root}/lib/truvApp.def definitions)
  truv_tool_output(members ${readobj} ${root}/lib/truvApp.lib)
  truv_tool_output(symbols ${nm} ${root}/lib/truvApp.lib)
  file(READ ${root}/lib/truvApp.lib library HEX)
  # "File: truvApp.dll", or "File: <library>(truvApp.dll)": each member's name.
  string(REGEX MATCHALL "File: [^\n]*" member_names "${members}")
  list(TRANSFORM member_names REPLACE "^File: (.*[(])?([^()]+)[)]?$" "\\2")
  list(REMOVE_DUPLICATES member_names)
  if(NOT member_names STREQUAL dll OR NOT definitions MATCHES "LIBRARY ${dll}\n")
    message(FATAL_ERROR "truvApp.lib members or truvApp.def name ${member_names}, not ${dll}")
  endif()
  foreach(function INIT RUN)
    header_define(name "${header_branch}" TRUVAPP_${function}_NAME)
    header_define(ordinal "${header}" TRUVAPP_${function}_ORDINAL)
    string(REGEX REPLACE "([?@$])" "[\\1]" pattern "${name}")
    if(NOT definitions MATCHES "\n +${pattern} @${ordinal}\n")
      message(FATAL_ERROR "truvApp.def does not export ${name} @${ordinal}:\n${definitions}")
    endif()
    if(NOT members MATCHES "Symbol: __imp_${pattern}\n *Symbol: ${pattern}\n"
       OR NOT symbols MATCHES " T ${pattern}\n")
      message(FATAL_ERROR "truvApp.lib does not import ${name}:\n${members}\n${symbols}")
    endif()
    import_member(member "${library}" "${name}" "${dll}")
    if(NOT member_hint EQUAL ordinal OR NOT member_machine EQUAL machine)
      message(FATAL_ERROR "truvApp.lib imports ${name} with hint ${member_hint}, machine "
                          "${member_machine}, not ${ordinal}, ${machine}")
    endif()
  endforeach()
  message(STATUS "${root}/lib: truvApp.def and truvApp.lib agree with include/truvApp.h")
endfunction()
