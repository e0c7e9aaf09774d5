# Each PDF manual speaks of its own platform's program: the Linux one of its shortcut Ctrl+Q and
# the manual pages, the Windows one of the command prompt and the profile folder, and neither of
# the other's. Run with -DPDFTOTEXT=... -DLINUX_PDF=... -DWINDOWS_PDF=...
function(manual_text pdf out)
  execute_process(COMMAND ${PDFTOTEXT} ${pdf} - OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${pdf}: pdftotext failed (${rc})")
  endif()
  # Lines broken inside a phrase are joined, so that a phrase is found wherever it wraps.
  string(REGEX REPLACE "[ \t\r\n]+" " " text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(expect pdf text phrase wanted)
  string(FIND "${text}" "${phrase}" at)
  if(wanted AND at EQUAL -1)
    message(SEND_ERROR "${pdf}: \"${phrase}\" is missing")
  elseif(NOT wanted AND NOT at EQUAL -1)
    message(SEND_ERROR "${pdf}: \"${phrase}\" belongs to the other platform's manual")
  endif()
endfunction()

manual_text(${LINUX_PDF} linux)
manual_text(${WINDOWS_PDF} windows)
foreach(phrase "Ctrl+Q" "man zephlane-calc")
  expect(${LINUX_PDF} "${linux}" "${phrase}" TRUE)
  expect(${WINDOWS_PDF} "${windows}" "${phrase}" FALSE)
endforeach()
foreach(phrase "command prompt" "%USERPROFILE%")
  expect(${WINDOWS_PDF} "${windows}" "${phrase}" TRUE)
  expect(${LINUX_PDF} "${linux}" "${phrase}" FALSE)
endforeach()
