# End-to-end tests of kariosearch-cli through CTest: map data folders are
# written from the sample gazetteer by mapdata-writer, then each test runs
# the tool once and checks its exit code and its whole stdout.
set(KARIO_CLI_DRIVER ${CMAKE_CURRENT_SOURCE_DIR}/tests/run_cli.cmake)
set(KARIO_CLI_DATA ${CMAKE_CURRENT_BINARY_DIR}/testdata)
set(KARIO_GAZETTEER ${CMAKE_SOURCE_DIR}/tools/gazetteer/places.tsv)
file(MAKE_DIRECTORY ${KARIO_CLI_DATA}/empty)

add_test(NAME cli_write_mapdata
  COMMAND mapdata-writer ${KARIO_GAZETTEER} ${KARIO_CLI_DATA}/map)
set_tests_properties(cli_write_mapdata PROPERTIES FIXTURES_SETUP cli_mapdata)

# kario_cli_test(NAME EXIT ARGS a|b|c [STDOUT text | STDOUT_FILE file | NO_STDOUT]
#                [STDOUT_REGEX re] [STDERR_REGEX re] [KEEP_FILE file])
# Arguments are separated by '|' so that they may hold ';' and spaces.
function(kario_cli_test name exit)
  cmake_parse_arguments(T "NO_STDOUT" "ARGS;STDOUT;STDOUT_FILE;STDOUT_REGEX;STDERR_REGEX;KEEP_FILE" "" ${ARGN})
  set(defs "-DCLI=$<TARGET_FILE:kariosearch-cli>" "-DEXIT=${exit}" "-DARGS_TEXT=${T_ARGS}")
  if(T_NO_STDOUT)
    list(APPEND defs "-DSTDOUT=")
  elseif(DEFINED T_STDOUT)
    # Through a file: a -D value on the command line loses its outer blanks.
    set(expected ${CMAKE_CURRENT_BINARY_DIR}/expected/${name}.txt)
    file(WRITE ${expected} "${T_STDOUT}")
    list(APPEND defs "-DSTDOUT_FILE=${expected}")
  endif()
  foreach(key STDOUT_FILE STDOUT_REGEX STDERR_REGEX KEEP_FILE)
    if(DEFINED T_${key})
      list(APPEND defs "-D${key}=${T_${key}}")
    endif()
  endforeach()
  add_test(NAME cli_${name} COMMAND ${CMAKE_COMMAND} ${defs} -P ${KARIO_CLI_DRIVER})
  set_tests_properties(cli_${name} PROPERTIES FIXTURES_REQUIRED cli_mapdata)
endfunction()

set(TOKYO_STATION 503171492,128439921)

# The tool's wiring, one case or two per command; the rules behind each are
# unit-tested.  厚木市 lies 35 longitude steps and 26 latitude steps from
# Tokyo station: sqrt(35² + 26²) = 43.6 km.
kario_cli_test(search_level_L 0
  ARGS "search|--level|L|--at|${TOKYO_STATION}|--folder|${KARIO_CLI_DATA}/map|厚木"
  STDOUT "  44km,厚木市,[5339.tgx],501706375,127568375,  ")
# Nothing in the first folder: the card folder answers.
kario_cli_test(search_card_folder_retry 0
  ARGS "search|--level|L|--at|${TOKYO_STATION}|--folder|${KARIO_CLI_DATA}/empty|--card-folder|${KARIO_CLI_DATA}/map/|厚木"
  STDOUT "  44km,厚木市,[5339.tgx],501706375,127568375,  ")
# Every place with 川 in the nine L cells, nearest first (equal distances by
# name).  鴨川's latitude offset would have had a newline as its high byte, so
# the writer stored the nearest readable one, 15 s of arc further north.
kario_cli_test(search_nearest_first 0
  ARGS "search|--level|L|--at|${TOKYO_STATION}|--folder|${KARIO_CLI_DATA}/map|川"
  STDOUT_FILE ${CMAKE_CURRENT_SOURCE_DIR}/tests/expected_kawa_L.txt)
# The folder is named as it was given, without a separator of the tool's.
kario_cli_test(search_missing_folder 1
  ARGS "search|--level|L|--at|${TOKYO_STATION}|--folder|${KARIO_CLI_DATA}/no-such-folder|厚木"
  NO_STDOUT STDERR_REGEX "folder not found: [^\\\\]*/no-such-folder\n")
kario_cli_test(search_term_too_long 1
  ARGS "search|--level|L|--at|${TOKYO_STATION}|--folder|${KARIO_CLI_DATA}/map|厚木厚木厚木厚木厚木厚木厚木厚木"
  NO_STDOUT STDERR_REGEX "too long")
foreach(option --help -h)
  kario_cli_test(help${option} 0 ARGS "${option}" STDOUT_REGEX "^usage: kariosearch-cli COMMAND.*read-screen")
endforeach()

# Bad arguments: exit 2, usage on stderr, nothing on stdout.
foreach(case
    "no_command|"
    "unknown_command|locate"
    "search_no_term|search|--level|L|--at|${TOKYO_STATION}|--folder|${KARIO_CLI_DATA}/map"
    "cell_point_overflow|cell|--level|L|--at|503171492,2147483648"
    "convert_one_value|convert|502890120"
    "distance_no_reference|distance|502900000|128100000"
    "qlcode_no_db|qlcode|--at|${TOKYO_STATION}|駅"
    "phone_parse_no_file|phone-parse|--at|${TOKYO_STATION}")
  string(FIND "${case}" "|" bar)
  string(SUBSTRING "${case}" 0 ${bar} name)
  math(EXPR start "${bar} + 1")
  string(SUBSTRING "${case}" ${start} -1 args)
  kario_cli_test(usage_${name} 2 ARGS "${args}" NO_STDOUT STDERR_REGEX "usage: kariosearch-cli")
endforeach()

# The point 139°46'00"E 35°40'50"N.
kario_cli_test(cell_SFine 0 ARGS "cell|--level|SFine|--at|503160000,128450000" STDOUT "53394615.tgx 503184375 128456250")
kario_cli_test(convert_point 0 ARGS "convert|502890120|128482200" STDOUT "502901653 128470591")
kario_cli_test(distance_steps 0 ARGS "distance|--at|503000000,128000000|502900000|128100000" STDOUT "3.6055512754639891")

# QLCode search and the web answer parse over files from their writers.
# (The writers are other tools; they are read after this folder.)
if(EXISTS ${CMAKE_SOURCE_DIR}/tools/qlcode_writer/CMakeLists.txt AND
   EXISTS ${CMAKE_SOURCE_DIR}/tools/answer_writer/CMakeLists.txt)
  file(WRITE ${KARIO_CLI_DATA}/stations.tsv
    "1234\t503171492\t128439921\t東京駅\t駅\n"
    "5678\t504397442\t128439921\t千葉の駅\t駅\n")  # 30 longitude steps east
  file(WRITE ${KARIO_CLI_DATA}/answer.tsv "35.6895\t139.6917\t新宿\n")
  add_test(NAME cli_write_qlcode COMMAND qlcode-writer ${KARIO_CLI_DATA}/stations.tsv ${KARIO_CLI_DATA}/stations.qldb)
  add_test(NAME cli_write_answer COMMAND answer-writer ${KARIO_CLI_DATA}/answer.tsv ${KARIO_CLI_DATA}/answer.html)
  set_tests_properties(cli_write_qlcode cli_write_answer PROPERTIES FIXTURES_SETUP cli_mapdata)

  # Without a selected category the radius is 51 km, with one 11 km.
  kario_cli_test(qlcode_wide 0
    ARGS "qlcode|--db|${KARIO_CLI_DATA}/stations.qldb|--at|${TOKYO_STATION}|駅"
    STDOUT "   0km,東京駅,[1234],503171492,128439921,駅\n  30km,千葉の駅,[5678],504397442,128439921,駅")
  kario_cli_test(qlcode_selected 0
    ARGS "qlcode|--db|${KARIO_CLI_DATA}/stations.qldb|--at|${TOKYO_STATION}|--selected|駅"
    STDOUT "   0km,東京駅,[1234],503171492,128439921,駅")
  # The answer file stays: the parse works on a copy.
  kario_cli_test(phone_parse 0
    ARGS "phone-parse|--at|502901653,128470591|${KARIO_CLI_DATA}/answer.html"
    STDOUT "   0km,新宿, ,502901653,128470591, " KEEP_FILE ${KARIO_CLI_DATA}/answer.html)
  kario_cli_test(phone_parse_missing_file 1
    ARGS "phone-parse|--at|${TOKYO_STATION}|${KARIO_CLI_DATA}/no-such.html"
    NO_STDOUT STDERR_REGEX "cannot read")
endif()
