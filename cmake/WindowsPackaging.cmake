# The Windows artefacts in the build folder: Zephlane-<version>-win64.zip (the program, the
# command-line calculator beside it, the HTML help as written for Windows, the two PDFs, a
# readme) and the NSIS installer Zephlane-<version>-win64-setup.exe, both from one staged folder
# laid out as an installation.
set(ZEPHLANE_PACKAGE_NAME Zephlane-${PROJECT_VERSION}-win64)
set(stage_root ${CMAKE_BINARY_DIR}/package)
set(stage ${stage_root}/${ZEPHLANE_PACKAGE_NAME})
set(installer_dir ${PROJECT_SOURCE_DIR}/src/win32ui/installer)
set(zip ${CMAKE_BINARY_DIR}/${ZEPHLANE_PACKAGE_NAME}.zip)
set(setup ${CMAKE_BINARY_DIR}/${ZEPHLANE_PACKAGE_NAME}-setup.exe)

if(NOT TARGET zephlane_pdfs)
  message(STATUS "Windows packages: no PDFs (give ZEPHLANE_PDF_DIR); zip and installer not built")
  return()
endif()

add_custom_command(OUTPUT ${stage}/Zephlane.exe
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/WebHelp/Content
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${ZEPHLANE_WEBHELP_WINDOWS} ${stage}/WebHelp/Content
  COMMAND ${CMAKE_COMMAND} -E copy ${ZEPHLANE_DOCS_OUT}/ZephlaneHelp.pdf
          ${ZEPHLANE_DOCS_OUT}/ZephlaneTheory.pdf ${installer_dir}/README.txt ${stage}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:zephlane_win32> ${stage}/Zephlane.exe
  COMMAND ${CMAKE_STRIP} ${stage}/Zephlane.exe
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:zephlane-calc> ${stage}/zephlane-calc.exe
  COMMAND ${CMAKE_STRIP} ${stage}/zephlane-calc.exe
  DEPENDS zephlane_win32 zephlane-calc zephlane_pdfs ${ZEPHLANE_WEBHELP_WINDOWS_FILES}
          ${installer_dir}/README.txt
          ${ZEPHLANE_DOCS_OUT}/ZephlaneHelp.pdf ${ZEPHLANE_DOCS_OUT}/ZephlaneTheory.pdf
  COMMENT "Staging the Windows installation"
  VERBATIM)

add_custom_command(OUTPUT ${zip}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${zip}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${ZEPHLANE_PACKAGE_NAME}
  WORKING_DIRECTORY ${stage_root}
  DEPENDS ${stage}/Zephlane.exe
  COMMENT "Packing ${ZEPHLANE_PACKAGE_NAME}.zip"
  VERBATIM)
set(package_outputs ${zip})

find_program(ZEPHLANE_MAKENSIS makensis)
if(ZEPHLANE_MAKENSIS)
  add_custom_command(OUTPUT ${setup}
    COMMAND ${ZEPHLANE_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DSTAGE=${stage}
            -DOUTFILE=${setup} -DICON=${PROJECT_SOURCE_DIR}/src/win32ui/zephlane.ico
            ${installer_dir}/zephlane.nsi
    DEPENDS ${stage}/Zephlane.exe ${installer_dir}/zephlane.nsi
    COMMENT "Making the installer ${ZEPHLANE_PACKAGE_NAME}-setup.exe"
    VERBATIM)
  list(APPEND package_outputs ${setup})
  set(ZEPHLANE_SETUP ${setup} CACHE INTERNAL "The installer, when makensis is at hand")
else()
  unset(ZEPHLANE_SETUP CACHE)
  message(WARNING "makensis (Debian package nsis) not found: no installer")
endif()
add_custom_target(zephlane_windows_packages ALL DEPENDS ${package_outputs})
add_dependencies(zephlane_windows_packages zephlane_webhelp)
