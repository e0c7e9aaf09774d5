# Writes the AppStream metadata with the screenshot's file name and its pixel size, read from
# the PNG's header, so the metadata always describes the screenshot of this build.
#   cmake -DPNG=<screenshot.png> -DTEMPLATE=<metainfo.xml.in> -DOUTPUT=<metainfo.xml>
#         -DPROJECT_VERSION=<version> -P metainfo.cmake
cmake_minimum_required(VERSION 3.25)

# A PNG starts with its 8-byte signature and the IHDR chunk: length, "IHDR", width, height.
file(READ "${PNG}" header LIMIT 24 HEX)
if(NOT header MATCHES "^89504e470d0a1a0a0000000d49484452")
  message(FATAL_ERROR "${PNG} is not a PNG file")
endif()
string(SUBSTRING "${header}" 32 8 width_hex)
string(SUBSTRING "${header}" 40 8 height_hex)
math(EXPR ZEPHLANE_SCREENSHOT_WIDTH "0x${width_hex}")
math(EXPR ZEPHLANE_SCREENSHOT_HEIGHT "0x${height_hex}")
get_filename_component(ZEPHLANE_SCREENSHOT_NAME "${PNG}" NAME)
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
