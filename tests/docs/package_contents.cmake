# Builds the Debian package into a temporary folder and checks what it installs: the program
# with its documents in one folder, the command on the PATH, the desktop entry and the icon,
# and the Qt runtime among its dependencies. When the package carries the headless driver, the
# unpacked tree is started and must open the documents lying beside it. Where the tools are
# given, lintian, desktop-file-validate and appstreamcli must find nothing to complain about.
#   cmake -DCPACK_CONFIG=<CPackConfig.cmake> -DWORK=<temp dir>
#         [-DLINTIAN=<lintian>] [-DDESKTOP_FILE_VALIDATE=<...>] [-DAPPSTREAMCLI=<...>]
#         -P package_contents.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND cpack -G DEB --config "${CPACK_CONFIG}" -B "${WORK}/out"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack failed (${rc}):\n${out}\n${err}")
endif()
file(GLOB debs "${WORK}/out/*.deb")
list(LENGTH debs n)
if(NOT n EQUAL 1)
  message(FATAL_ERROR "expected one .deb, found: ${debs}")
endif()

execute_process(COMMAND dpkg-deb -c "${debs}" OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -c failed")
endif()
set(failures 0)
foreach(expected
    "./usr/lib/zephlane/zephlane"
    "./usr/bin/zephlane -> ../lib/zephlane/zephlane"
    "./usr/lib/zephlane/ZephlaneHelp.pdf"
    "./usr/lib/zephlane/ZephlaneTheory.pdf"
    "./usr/lib/zephlane/WebHelp/Content/Introduction.htm"
    "./usr/lib/zephlane/WebHelp/Content/zephlane.css"
    "./usr/share/applications/zephlane.desktop"
    "./usr/share/icons/hicolor/scalable/apps/zephlane.svg"
    "./usr/share/icons/hicolor/48x48/apps/zephlane.png"
    "./usr/share/icons/hicolor/256x256/apps/zephlane.png"
    "./usr/bin/zephlane-calc"
    "./usr/share/man/man1/zephlane-calc.1.gz"
    "./usr/share/metainfo/invalid.zephlane.Zephlane.metainfo.xml"
    "./usr/share/man/man1/zephlane.1.gz"
    "./usr/share/doc/zephlane/copyright"
    "./usr/share/doc/zephlane/changelog.gz")
  string(FIND "${listing}" "${expected}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "missing from the package: ${expected}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()
if(NOT listing MATCHES "rwxr-xr-x[^\n]* \\./usr/lib/zephlane/zephlane\n")
  message(SEND_ERROR "the program is not installed executable")
  math(EXPR failures "${failures} + 1")
endif()

execute_process(COMMAND dpkg-deb -f "${debs}" Depends Recommends Maintainer Architecture
                OUTPUT_VARIABLE fields)
if(NOT fields MATCHES "libqt6widgets6" OR NOT fields MATCHES "libqt6svg6"
   OR NOT fields MATCHES "Recommends: xdg-utils" OR NOT fields MATCHES "Maintainer: [^\n]+")
  message(SEND_ERROR "package fields lack the Qt runtime, xdg-utils or a maintainer:\n${fields}")
  math(EXPR failures "${failures} + 1")
endif()
foreach(recommended "www-browser | x-www-browser" "pdf-viewer" "qt6-wayland")
  string(FIND "${fields}" "${recommended}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "Recommends lacks ${recommended}:\n${fields}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()
string(REGEX MATCHALL "libqt6svg6" svg_mentions "${fields}")
list(LENGTH svg_mentions svg_count)
if(NOT svg_count EQUAL 1)
  message(SEND_ERROR "libqt6svg6 named ${svg_count} times:\n${fields}")
  math(EXPR failures "${failures} + 1")
endif()
# A URL in the metadata must lead somewhere a software centre can reach; none may point at a
# placeholder host.
execute_process(COMMAND dpkg-deb -f "${debs}" Homepage OUTPUT_VARIABLE homepage)
if(homepage MATCHES "\\.invalid")
  message(SEND_ERROR "the package's homepage is a placeholder: ${homepage}")
  math(EXPR failures "${failures} + 1")
endif()

# Debian policy, as lintian reads it: an error or a warning that the package does not override
# with a reason fails the test. Informational tags are shown, not counted.
if(LINTIAN)
  execute_process(COMMAND "${LINTIAN}" --fail-on error,warning --info "${debs}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(SEND_ERROR "lintian (${rc}):\n${out}\n${err}")
    math(EXPR failures "${failures} + 1")
  elseif(NOT out STREQUAL "")
    message(STATUS "lintian, for information:\n${out}")
  endif()
endif()

# Relocatability: unpack anywhere and let the program's own logic find its documents.
execute_process(COMMAND dpkg-deb -x "${debs}" "${WORK}/root" RESULT_VARIABLE rc)

# The help in the package is the one written for Linux: its settings page names the XDG folder
# and nothing of Windows, and no platform marker is left in it.
set(packaged_help "${WORK}/root/usr/lib/zephlane/WebHelp/Content")
file(READ "${packaged_help}/Settings.htm" settings_page)
if(NOT settings_page MATCHES "~/\\.config/Brevik" OR settings_page MATCHES "USERPROFILE")
  message(SEND_ERROR "the packaged help is not the Linux help")
  math(EXPR failures "${failures} + 1")
endif()
file(GLOB packaged_pages "${packaged_help}/*.htm")
foreach(page IN LISTS packaged_pages)
  file(READ "${page}" text)
  if(text MATCHES "<!--/?(linux|windows)-->")
    message(SEND_ERROR "a platform marker is left in ${page}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()

# The desktop entry and the AppStream metadata as the desktop's tools read them; any message,
# a warning included, fails.
if(DESKTOP_FILE_VALIDATE)
  execute_process(
    COMMAND "${DESKTOP_FILE_VALIDATE}" "${WORK}/root/usr/share/applications/zephlane.desktop"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
    message(SEND_ERROR "desktop-file-validate (${rc}):\n${out}${err}")
    math(EXPR failures "${failures} + 1")
  endif()
endif()
if(APPSTREAMCLI)
  execute_process(
    COMMAND "${APPSTREAMCLI}" validate --no-net --pedantic --no-color
            "${WORK}/root/usr/share/metainfo/invalid.zephlane.Zephlane.metainfo.xml"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT out MATCHES "Validation was successful")
    message(SEND_ERROR "appstreamcli validate (${rc}):\n${out}${err}")
    math(EXPR failures "${failures} + 1")
  endif()
endif()

# The installed command answers without a display.
set(program "${WORK}/root/usr/lib/zephlane/zephlane")
if(EXISTS "${program}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                          --unset=QT_QPA_PLATFORM "${program}" --version
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out)
  if(NOT rc EQUAL 0 OR NOT out MATCHES "^Zephlane [0-9.]+\n$")
    message(SEND_ERROR "the unpacked program's --version (${rc}): ${out}")
    math(EXPR failures "${failures} + 1")
  endif()
endif()
set(driver "${WORK}/root/usr/lib/zephlane/zephlane-driver")
if(rc EQUAL 0 AND EXISTS "${driver}")
  file(MAKE_DIRECTORY "${WORK}/home")
  set(ENV{HOME} "${WORK}/home")
  unset(ENV{XDG_CONFIG_HOME})
  file(WRITE "${WORK}/requests.jsonl"
       "[\"create\"]\n[\"click\",\"bHelpHtm\"]\n[\"click\",\"bHempPdf\"]\n[\"click\",\"bTheory\"]\n")
  execute_process(COMMAND "${driver}" INPUT_FILE "${WORK}/requests.jsonl"
                  OUTPUT_VARIABLE replies RESULT_VARIABLE rc)
  string(REGEX MATCHALL "\"path\" *: *\"[^\"]+\"" opened "${replies}")
  list(LENGTH opened n)
  if(NOT rc EQUAL 0 OR NOT n EQUAL 3)
    message(SEND_ERROR "the unpacked driver did not open three documents:\n${replies}")
    math(EXPR failures "${failures} + 1")
  endif()
  foreach(item IN LISTS opened)
    string(REGEX REPLACE "^\"path\" *: *\"(.*)\"$" "\\1" path "${item}")
    if(NOT EXISTS "${path}" OR NOT path MATCHES "^${WORK}/root/usr/lib/zephlane/")
      message(SEND_ERROR "document not found beside the unpacked program: ${path}")
      math(EXPR failures "${failures} + 1")
    endif()
  endforeach()
endif()

# The command-line calculator runs from the unpacked tree on its own.
set(calc "${WORK}/root/usr/bin/zephlane-calc")
if(EXISTS "${calc}")
  execute_process(COMMAND "${calc}" --version OUTPUT_VARIABLE version RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT version MATCHES "^zephlane-calc [0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+\n$")
    message(SEND_ERROR "the unpacked zephlane-calc did not report its version: ${version}")
    math(EXPR failures "${failures} + 1")
  endif()
endif()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} package checks failed")
endif()
file(REMOVE_RECURSE "${WORK}")
