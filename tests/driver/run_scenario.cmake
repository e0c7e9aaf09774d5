# Runs one driver scenario: NAME.jsonl (then NAME.2.jsonl, NAME.3.jsonl, ... as later program
# starts in the same HOME) through the driver and compares the joined output with
# NAME.expected. Before part N, NAME.N.pre may name one step: "readonly" makes the settings
# file read-only. In the output the driver's folder reads <bin>/ and the HOME folder <home>.
#
#   cmake -DDRIVER=<exe> -DSCENARIO=<dir/NAME> -DWORK=<scratch dir> -P run_scenario.cmake

foreach(var DRIVER SCENARIO WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} not given")
  endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
set(home "${WORK}/home")
file(MAKE_DIRECTORY "${home}")
set(settings "${home}/.config/Brevik/Zephlane/Zephlane.ini")

set(actual "")
set(part 1)
set(input "${SCENARIO}.jsonl")
while(EXISTS "${input}")
  if(EXISTS "${SCENARIO}.${part}.pre")
    file(READ "${SCENARIO}.${part}.pre" step)
    string(STRIP "${step}" step)
    if(step STREQUAL "readonly")
      file(CHMOD "${settings}" PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
    else()
      message(FATAL_ERROR "unknown step '${step}' in ${SCENARIO}.${part}.pre")
    endif()
  endif()
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env --unset=XDG_CONFIG_HOME "HOME=${home}" "${DRIVER}"
    INPUT_FILE "${input}"
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err
    RESULT_VARIABLE rc
    TIMEOUT 60)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "driver exited with ${rc} on ${input}\n${err}")
  endif()
  string(APPEND actual "${out}")
  math(EXPR part "${part} + 1")
  set(input "${SCENARIO}.${part}.jsonl")
endwhile()

get_filename_component(bin "${DRIVER}" DIRECTORY)
string(REPLACE "${bin}/" "<bin>/" actual "${actual}")
string(REPLACE "${home}" "<home>" actual "${actual}")

file(WRITE "${WORK}/actual" "${actual}")
file(READ "${SCENARIO}.expected" expected)
if(NOT actual STREQUAL expected)
  execute_process(COMMAND diff -u "${SCENARIO}.expected" "${WORK}/actual"
                  OUTPUT_VARIABLE diff)
  message(FATAL_ERROR "output differs from ${SCENARIO}.expected:\n${diff}")
endif()
# Leave nothing behind; the folder may hold a read-only file.
if(EXISTS "${settings}")
  file(CHMOD "${settings}" PERMISSIONS OWNER_READ OWNER_WRITE)
endif()
file(REMOVE_RECURSE "${WORK}")
