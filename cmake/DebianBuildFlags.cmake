# The Debian package is compiled and linked with the distribution's hardening flags, as
# dpkg-buildflags reports them (stack protector, fortified C library calls, read-only
# relocations, immediate binding). The build type keeps choosing the optimisation and debug
# information; _FORTIFY_SOURCE needs an optimising build type.
option(ZEPHLANE_DPKG_BUILDFLAGS "Compile and link with dpkg-buildflags' hardening flags" OFF)
if(NOT ZEPHLANE_DPKG_BUILDFLAGS)
  return()
endif()

find_program(ZEPHLANE_DPKG_BUILDFLAGS_PROGRAM dpkg-buildflags REQUIRED)
set(ZEPHLANE_HARDENING_FLAGS)
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${ZEPHLANE_DPKG_BUILDFLAGS_PROGRAM} --get ${kind}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  # -ffile-prefix-map serves reproducible builds, not hardening, and would leave a debugger
  # of this (also the developers') build without the source paths.
  list(FILTER flags EXCLUDE REGEX "^-(g|O.*|ffile-prefix-map=.*)$")
  if(kind STREQUAL "LDFLAGS")
    add_link_options(${flags})
  else()
    add_compile_options(${flags})
  endif()
  list(APPEND ZEPHLANE_HARDENING_FLAGS ${flags})
endforeach()
message(STATUS "Hardening flags from dpkg-buildflags: ${ZEPHLANE_HARDENING_FLAGS}")
