# The help's platform filter on small pages: what each platform keeps, and the refusals with
# the line they name.  cmake -DSCRIPT=<platform_help.cmake> -DWORK=<folder> -P this file
cmake_minimum_required(VERSION 3.21)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(failures 0)

function(run name platform input result_var)
  file(WRITE "${WORK}/${name}.htm" "${input}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DPLATFORM=${platform} -DSOURCE=${WORK}/${name}.htm
            -DOUTPUT=${WORK}/${name}.${platform}.out -P ${SCRIPT}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${result_var}_rc ${rc} PARENT_SCOPE)
  set(${result_var}_err "${err}" PARENT_SCOPE)
  if(rc EQUAL 0)
    file(READ "${WORK}/${name}.${platform}.out" text)
    set(${result_var}_text "${text}" PARENT_SCOPE)
  endif()
endfunction()

function(report name what)
  message(NOTICE "FAIL ${name}: ${what}")
  math(EXPR n "${failures} + 1")
  set(failures ${n} PARENT_SCOPE)
endfunction()

# The page as each platform must see it.
function(expect_pages name input linux windows)
  foreach(platform linux windows)
    set(expected "${${platform}}")
    run(${name} ${platform} "${input}" r)
    if(NOT r_rc EQUAL 0)
      report(${name} "${platform} refused: ${r_err}")
    elseif(NOT "${r_text}" STREQUAL "${expected}")
      report(${name} "${platform} gave [[${r_text}]], expected [[${expected}]]")
    endif()
  endforeach()
  set(failures ${failures} PARENT_SCOPE)
endfunction()

# Refused on both platforms with "<page>:<line>: error: ..." matching the pattern.
function(expect_refusal name input line pattern)
  foreach(platform linux windows)
    run(${name} ${platform} "${input}" r)
    if(r_rc EQUAL 0)
      report(${name} "${platform} accepted it")
    elseif(NOT r_err MATCHES "${name}\\.htm:${line}: error: [^\n]*${pattern}")
      report(${name} "${platform}: expected line ${line} and \"${pattern}\" in: ${r_err}")
    endif()
  endforeach()
  set(failures ${failures} PARENT_SCOPE)
endfunction()

expect_pages(blocks [=[<p>a</p>
<!--linux-->
<p>~/.config</p>
<!--/linux-->
  <!--windows-->
<p>%APPDATA%</p>
  <!--/windows-->
<p>b</p>
]=] [=[<p>a</p>
<p>~/.config</p>
<p>b</p>
]=] [=[<p>a</p>
<p>%APPDATA%</p>
<p>b</p>
]=])

# Inside a line the markers go and the text around them stays as it was.
expect_pages(inline [=[<td><!--linux--><kbd>Ctrl+Q</kbd><!--/linux--></td> in <!-- linux -->a shell<!-- /linux --><!--windows-->cmd.exe<!--/windows-->.
]=] [=[<td><kbd>Ctrl+Q</kbd></td> in a shell.
]=] [=[<td></td> in cmd.exe.
]=])

# Ordinary comments, entities with semicolons, brackets and backslashes pass unchanged; a
# comment inside a passage goes with it.
expect_pages(verbatim [=[<!-- one text for all -->a&hellip; [x];y C:\Users\name
<!--windows--><!-- the viewer -->hh<!--/windows-->
]=] [=[<!-- one text for all -->a&hellip; [x];y C:\Users\name
]=] [=[<!-- one text for all -->a&hellip; [x];y C:\Users\name
<!-- the viewer -->hh
]=])

expect_pages(last_line_without_break "a\n<!--linux-->\nb\n<!--/linux-->" "a\nb\n" "a\n")
# A passage that fills its lines, markers inside them, goes with its lines.
expect_pages(whole_lines "a\n  <!--linux--><p>b\nc</p><!--/linux-->\nd\n" "a\n  <p>b\nc</p>\nd\n"
             "a\nd\n")

expect_refusal(unknown "a\n\n<!--mac-->x<!--/mac-->\n" 3 "unknown marker <!--mac-->")
expect_refusal(capitalised "a\n<!--Linux-->x<!--/Linux-->\n" 2 "unknown marker")
expect_refusal(nested "a\n<!--linux-->\nb\n<!--windows-->c<!--/windows-->\n<!--/linux-->\n" 4
               "opened at line 2: passages do not nest")
expect_refusal(same_nested "<!--linux-->a\n<!--linux-->b<!--/linux--><!--/linux-->\n" 2
               "do not nest")
expect_refusal(unclosed "a\nb\n<!--windows-->\nc\n" 3 "never closed")
expect_refusal(stray_close "a\n<!--/linux-->\n" 2 "never opened")
expect_refusal(crossed_close "a\n<!--linux-->\nb\n<!--/windows-->\n" 4
               "closes the <!--linux--> passage opened at line 2")
expect_refusal(open_comment "a\n<!-- linux\nb\n" 2 "never closed with -->")
# A line counted after a comment of several lines and after a marker's own line.
expect_refusal(counted "<!-- a\nb -->\n<!--linux-->\nc\n<!--/linux-->\n<!--bsd-->\n" 6 "unknown")

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} case(s) failed")
endif()
