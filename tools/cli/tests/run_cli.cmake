# Runs the command-line tool once and checks what it did, for CTest:
#   cmake -DCLI=<program> [-DEMULATOR=<runner>] -DARGS_TEXT=<a|b|c> -DEXIT=<code>
#         [-DSTDOUT=<exact text, lines joined by \n>] [-DSTDOUT_FILE=<file>]
#         [-DSTDOUT_REGEX=<regex>] [-DSTDERR_REGEX=<regex>] [-DKEEP_FILE=<file that must still exist>]
#         -P run_cli.cmake
# STDOUT and STDOUT_FILE compare the whole output (a final newline ignored).
# Every check prints what it saw when it fails.
string(REPLACE "|" ";" ARGS "${ARGS_TEXT}")
execute_process(
  COMMAND ${EMULATOR} ${CLI} ${ARGS}
  RESULT_VARIABLE rc
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)

set(failed FALSE)
if(NOT rc STREQUAL EXIT)
  message(SEND_ERROR "exit code ${rc}, expected ${EXIT}; stderr: ${err}")
  set(failed TRUE)
endif()

string(REGEX REPLACE "\n$" "" out_trimmed "${out}")
if(DEFINED STDOUT_FILE)
  file(READ "${STDOUT_FILE}" STDOUT)
  string(REGEX REPLACE "\n$" "" STDOUT "${STDOUT}")
endif()
if(DEFINED STDOUT OR DEFINED STDOUT_FILE)
  if(NOT out_trimmed STREQUAL STDOUT)
    message(SEND_ERROR "stdout was:\n[${out}]\nexpected:\n[${STDOUT}]")
    set(failed TRUE)
  endif()
endif()
if(DEFINED STDOUT_REGEX AND NOT out MATCHES "${STDOUT_REGEX}")
  message(SEND_ERROR "stdout was:\n[${out}]\nexpected to match: ${STDOUT_REGEX}")
  set(failed TRUE)
endif()
if(DEFINED STDERR_REGEX AND NOT err MATCHES "${STDERR_REGEX}")
  message(SEND_ERROR "stderr was:\n[${err}]\nexpected to match: ${STDERR_REGEX}")
  set(failed TRUE)
endif()
if(DEFINED KEEP_FILE AND NOT EXISTS "${KEEP_FILE}")
  message(SEND_ERROR "${KEEP_FILE} is gone")
  set(failed TRUE)
endif()
if(NOT failed)
  message(STATUS "ok: exit ${rc}, stdout [${out_trimmed}]")
endif()
