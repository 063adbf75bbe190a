# The release archive of the Windows program: `cmake --build <dir> --target
# korvex_dist` (tools/build-windows.sh builds it) packs
# korvex-VERSION-windows-ARCH.zip at the build folder's top. It holds one
# folder of that name with the stripped korvex.exe (static runtime, nothing
# beside it needed), Images/, fasm_1.txt, and the README as README.txt,
# the manual's pages in docs/ (where the README's links lead) and LICENSE
# with CR LF line ends, which every Windows editor shows as lines.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(KORVEX_WINDOWS_ARCH x86)
else()
  set(KORVEX_WINDOWS_ARCH x64)
endif()

set(KORVEX_DIST_TEXTS ${CMAKE_CURRENT_BINARY_DIR}/dist-texts)
file(GLOB KORVEX_MANUAL_PAGES RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS docs/*.md)
set(KORVEX_DIST_TEXT_PAIRS README.md:README.txt LICENSE:LICENSE)
foreach(page ${KORVEX_MANUAL_PAGES})
  list(APPEND KORVEX_DIST_TEXT_PAIRS ${page}:${page})
endforeach()
foreach(text ${KORVEX_DIST_TEXT_PAIRS})
  string(REPLACE ":" ";" names ${text})
  list(GET names 0 source)
  list(GET names 1 target)
  file(READ ${source} content)
  string(REPLACE "\r\n" "\n" content "${content}")
  string(REPLACE "\n" "\r\n" content "${content}")
  file(WRITE ${KORVEX_DIST_TEXTS}/${target} "${content}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endforeach()

# CPack installs through the preinstall target, which would otherwise build
# every target first (the Windows tests and tools too); korvex_dist needs
# korvex alone.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(TARGETS korvex RUNTIME DESTINATION .)
install(FILES fasm_1.txt ${KORVEX_DIST_TEXTS}/README.txt ${KORVEX_DIST_TEXTS}/LICENSE DESTINATION .)
install(DIRECTORY ${KORVEX_DIST_TEXTS}/docs DESTINATION .)
install(DIRECTORY Images DESTINATION . FILES_MATCHING PATTERN "*.tga")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME korvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(KORVEX_ARCHIVE_NAME korvex-${PROJECT_VERSION}-windows-${KORVEX_WINDOWS_ARCH})
set(CPACK_PACKAGE_FILE_NAME ${KORVEX_ARCHIVE_NAME})
set(CPACK_STRIP_FILES ON)
include(CPack)

add_custom_target(korvex_dist
  COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake -B ${CMAKE_BINARY_DIR}
  DEPENDS korvex
  COMMENT "Packing ${KORVEX_ARCHIVE_NAME}.zip"
  VERBATIM)
