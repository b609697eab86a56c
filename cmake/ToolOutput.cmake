# truv_tool_output(VAR COMMAND...): runs the command and puts its standard output into VAR;
# stops the script, naming the command, when it fails. For the check scripts run with -P.
function(truv_tool_output var)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE output RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "${command}: failed (${status})")
  endif()
  set(${var} "${output}" PARENT_SCOPE)
endfunction()
