# Runs NAME.jsonl, then NAME.2.jsonl as a second program start, through the Windows driver
# and compares the joined output with NAME.expected, in which the driver's folder reads <bin>\
# and the user's profile folder <profile>. The settings file must be in the profile folder
# after the first part, with Windows line ends. Under Wine, WINE and WINEPREFIX are given.
#
#   cmake -DDRIVER=<exe> -DSCENARIO=<dir/NAME> [-DWINE=<wine64> -DWINEPREFIX=<dir>] -P run_driver.cmake

foreach(var DRIVER SCENARIO)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} not given")
  endif()
endforeach()

set(bs "\\")
get_filename_component(bin "${DRIVER}" DIRECTORY)
if(DEFINED WINE)
  # Wine shows the Unix root as drive Z: and keeps the user's profile in its prefix.
  set(run /usr/bin/env WINEPREFIX=${WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
          ${WINE} ${DRIVER})
  string(REPLACE "/" "${bs}" bin_text "Z:${bin}${bs}")
  if(NOT EXISTS "${WINEPREFIX}/drive_c/users")
    # A fresh prefix: the first start builds it and then knows the user.
    execute_process(COMMAND /usr/bin/env WINEPREFIX=${WINEPREFIX} WINEDEBUG=-all
                            WINEDLLOVERRIDES=mscoree,mshtml= ${WINE} wineboot --init
                    OUTPUT_QUIET ERROR_QUIET TIMEOUT 120)
  endif()
  file(GLOB users RELATIVE "${WINEPREFIX}/drive_c/users" "${WINEPREFIX}/drive_c/users/*")
  list(REMOVE_ITEM users Public)
  list(LENGTH users count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "cannot tell the Wine user among '${users}'")
  endif()
  set(profile "${WINEPREFIX}/drive_c/users/${users}")
  set(profile_text "C:${bs}users${bs}${users}")
else()
  set(run ${DRIVER})
  file(TO_NATIVE_PATH "${bin}/" bin_text)
  set(profile_text "$ENV{USERPROFILE}")
  file(TO_CMAKE_PATH "${profile_text}" profile)
endif()
set(settings "${profile}/Brevik/Zephlane/Zephlane.ini")
file(REMOVE "${settings}")

set(actual "")
set(part 1)
set(input "${SCENARIO}.jsonl")
while(EXISTS "${input}")
  execute_process(COMMAND ${run} INPUT_FILE "${input}" OUTPUT_VARIABLE out ERROR_VARIABLE err
                  RESULT_VARIABLE rc TIMEOUT 120)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "driver exited with ${rc} on ${input}\n${err}")
  endif()
  string(APPEND actual "${out}")
  if(part EQUAL 1)
    if(NOT EXISTS "${settings}")
      message(FATAL_ERROR "no settings file at ${settings} after the confirmed close")
    endif()
    # Read as hex: a text read would drop the carriage returns this checks for.
    file(READ "${settings}" text HEX)
    string(HEX "\r\nedAnodeV=3000\r\n" line)
    string(FIND "${text}" "${line}" at)
    if(at EQUAL -1)
      file(READ "${settings}" text)
      message(FATAL_ERROR "no CRLF line edAnodeV=3000 in ${settings}:\n${text}")
    endif()
  endif()
  math(EXPR part "${part} + 1")
  set(input "${SCENARIO}.${part}.jsonl")
endwhile()

# Paths are JSON strings: each backslash is written twice.
string(REPLACE "${bs}" "${bs}${bs}" bin_json "${bin_text}")
string(REPLACE "${bs}" "${bs}${bs}" profile_json "${profile_text}")
string(REPLACE "\r\n" "\n" actual "${actual}")
string(REPLACE "${bin_json}" "<bin>${bs}${bs}" actual "${actual}")
string(REPLACE "${profile_json}" "<profile>" actual "${actual}")

file(WRITE "${bin}/close_restart.actual" "${actual}")
file(READ "${SCENARIO}.expected" expected)
if(NOT actual STREQUAL expected)
  execute_process(COMMAND diff -u "${SCENARIO}.expected" "${bin}/close_restart.actual"
                  OUTPUT_VARIABLE diff)
  message(FATAL_ERROR "output differs from ${SCENARIO}.expected:\n${diff}")
endif()
file(REMOVE "${settings}" "${bin}/close_restart.actual")
