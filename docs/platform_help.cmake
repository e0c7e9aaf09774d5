# Writes one platform's help from the shared pages. The pages hold one text for every platform;
# a passage only one platform has stands between a marker pair of HTML comments:
#
#   <!--linux-->the settings lie in ~/.config/...<!--/linux-->
#   <!--windows-->the settings lie in %USERPROFILE%\...<!--/windows-->
#
# The passage is kept for its platform and left out of the other's; the markers themselves never
# reach a page. A marker alone on its line takes the line with it, so that a page keeps the
# shape of its source. Passages do not nest, and a marker that is unknown, unclosed or closed
# out of turn stops the build with the file and the line. Other comments pass unchanged.
#
#   cmake -DPLATFORM=linux|windows -DSOURCE=<folder or page> -DOUTPUT=<folder or page> -P ...
#
# With a folder every .htm page is filtered and every other file copied; a page is written only
# when its text changes, so that what is built from the help is not made again for nothing.

cmake_minimum_required(VERSION 3.21)

set(known_platforms linux windows)
if(NOT PLATFORM IN_LIST known_platforms)
  message(FATAL_ERROR "PLATFORM must be one of: ${known_platforms} (not \"${PLATFORM}\")")
endif()
if(NOT SOURCE OR NOT OUTPUT)
  message(FATAL_ERROR "SOURCE and OUTPUT are both needed")
endif()
get_filename_component(SOURCE "${SOURCE}" ABSOLUTE)
get_filename_component(OUTPUT "${OUTPUT}" ABSOLUTE)

# The number of line breaks in text.
function(count_lines text out)
  string(REGEX MATCHALL "\n" breaks "${text}")
  list(LENGTH breaks n)
  set(${out} ${n} PARENT_SCOPE)
endfunction()

# A compiler-style line that editors and build logs link to the place, then the stop.
function(fail file line)
  string(CONCAT what ${ARGN})
  message(NOTICE "${file}:${line}: error: ${what}")
  message(FATAL_ERROR "The help's platform markers are wrong")
endfunction()

# The text of source as the platform sees it, into the variable out.
function(filter_page source out)
  file(READ "${source}" rest)
  set(result "")
  set(line 1)
  set(line_start TRUE)  # whether what was consumed so far ends a line
  set(open "")          # the platform of the passage we are in, if any
  set(open_line 0)
  set(keep TRUE)
  while(TRUE)
    string(FIND "${rest}" "<!--" at)
    if(at EQUAL -1)
      if(keep)
        string(APPEND result "${rest}")
      endif()
      break()
    endif()
    string(SUBSTRING "${rest}" 0 ${at} before)
    math(EXPR body_at "${at} + 4")
    string(SUBSTRING "${rest}" ${body_at} -1 after)
    count_lines("${before}" n)
    math(EXPR here "${line} + ${n}")
    string(FIND "${after}" "-->" end)
    if(end EQUAL -1)
      fail("${source}" ${here} "a comment is never closed with -->")
    endif()
    string(SUBSTRING "${after}" 0 ${end} body)
    math(EXPR tail_at "${end} + 3")
    string(SUBSTRING "${after}" ${tail_at} -1 tail)

    # A marker is a comment of one word, a closing one with a slash before it.
    if(NOT body MATCHES "^[ \t]*(/?)([A-Za-z][A-Za-z0-9_-]*)[ \t]*$")
      if(keep)
        string(APPEND result "${before}<!--${body}-->")
      endif()
      count_lines("${body}" m)
      math(EXPR line "${here} + ${m}")
      set(line_start FALSE)
      set(rest "${tail}")
      continue()
    endif()
    set(closing "${CMAKE_MATCH_1}")
    set(name "${CMAKE_MATCH_2}")
    if(NOT name IN_LIST known_platforms)
      fail("${source}" ${here}
           "unknown marker <!--${closing}${name}-->: the platforms are ${known_platforms}")
    endif()

    # Alone on its line: the line goes, its break included.
    set(own_line FALSE)
    string(FIND "${before}" "\n" last_break REVERSE)
    if(last_break EQUAL -1)
      set(indent "${before}")
      set(at_start ${line_start})
    else()
      math(EXPR indent_at "${last_break} + 1")
      string(SUBSTRING "${before}" ${indent_at} -1 indent)
      set(at_start TRUE)
    endif()
    if(at_start AND indent MATCHES "^[ \t]*$" AND tail MATCHES "^[ \t]*(\r?\n|$)")
      set(own_line TRUE)
      string(LENGTH "${before}" before_length)
      string(LENGTH "${indent}" indent_length)
      math(EXPR kept "${before_length} - ${indent_length}")
      string(SUBSTRING "${before}" 0 ${kept} before)
      string(LENGTH "${CMAKE_MATCH_0}" eol_length)
      string(SUBSTRING "${tail}" ${eol_length} -1 tail)
    endif()
    if(keep)
      string(APPEND result "${before}")
    endif()
    set(begins_line FALSE)
    if(at_start AND indent MATCHES "^[ \t]*$")
      set(begins_line TRUE)
    endif()

    if(closing)
      if(open STREQUAL "")
        fail("${source}" ${here} "<!--/${name}--> closes a passage that was never opened")
      endif()
      if(NOT open STREQUAL name)
        fail("${source}" ${here}
             "<!--/${name}--> closes the <!--${open}--> passage opened at line ${open_line}")
      endif()
      # A left-out passage that filled its lines from the start of the first to the end of
      # the last takes those lines with it.
      if(NOT keep AND open_cut GREATER_EQUAL 0 AND NOT own_line
         AND tail MATCHES "^[ \t]*(\r?\n|$)")
        string(SUBSTRING "${result}" 0 ${open_cut} result)
        string(LENGTH "${CMAKE_MATCH_0}" eol_length)
        string(SUBSTRING "${tail}" ${eol_length} -1 tail)
        set(own_line TRUE)
      endif()
      set(open "")
      set(keep TRUE)
    else()
      if(NOT open STREQUAL "")
        fail("${source}" ${here} "<!--${name}--> inside the <!--${open}--> passage opened at "
                                 "line ${open_line}: passages do not nest")
      endif()
      set(open "${name}")
      set(open_line ${here})
      # Where the passage's first line begins in the result, when nothing but blanks stood
      # before it on that line.
      set(open_cut -1)
      if(begins_line)
        string(LENGTH "${result}" open_cut)
        if(NOT own_line)
          string(LENGTH "${indent}" indent_length)
          math(EXPR open_cut "${open_cut} - ${indent_length}")
        endif()
      endif()
      if(name STREQUAL PLATFORM)
        set(keep TRUE)
      else()
        set(keep FALSE)
      endif()
    endif()

    if(own_line)
      math(EXPR line "${here} + 1")
      set(line_start TRUE)
    else()
      set(line ${here})
      set(line_start FALSE)
    endif()
    set(rest "${tail}")
  endwhile()
  if(NOT open STREQUAL "")
    fail("${source}" ${open_line} "the <!--${open}--> passage is never closed")
  endif()
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

function(write_if_changed path text)
  if(EXISTS "${path}")
    file(READ "${path}" old)
    if(old STREQUAL text)
      return()
    endif()
  endif()
  file(WRITE "${path}" "${text}")
endfunction()

if(IS_DIRECTORY "${SOURCE}")
  file(MAKE_DIRECTORY "${OUTPUT}")
  file(GLOB sources LIST_DIRECTORIES false RELATIVE "${SOURCE}" "${SOURCE}/*")
  foreach(name IN LISTS sources)
    if(name MATCHES "\\.htm$")
      filter_page("${SOURCE}/${name}" text)
      write_if_changed("${OUTPUT}/${name}" "${text}")
    else()
      file(COPY_FILE "${SOURCE}/${name}" "${OUTPUT}/${name}" ONLY_IF_DIFFERENT)
    endif()
  endforeach()
  # A page removed from the sources leaves the platform's set too.
  file(GLOB outputs LIST_DIRECTORIES false RELATIVE "${OUTPUT}" "${OUTPUT}/*")
  foreach(name IN LISTS outputs)
    if(NOT name IN_LIST sources)
      file(REMOVE "${OUTPUT}/${name}")
    endif()
  endforeach()
else()
  filter_page("${SOURCE}" text)
  write_if_changed("${OUTPUT}" "${text}")
endif()
