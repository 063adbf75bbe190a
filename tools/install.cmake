# Installation and the Debian package. `cmake --install` lays korvex out as a
# Linux tool (GNUInstallDirs, so CMAKE_INSTALL_PREFIX and DESTDIR apply), and
# `cpack -G DEB` packs the same layout.
include(GNUInstallDirs)

# The installed program finds the bundled data through this path relative to
# its own folder.
file(RELATIVE_PATH KORVEX_DATA_FROM_BINDIR ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/korvex)
set_property(SOURCE app/bundled_data.cpp APPEND PROPERTY
             COMPILE_DEFINITIONS KORVEX_DATA_FROM_BINDIR="${KORVEX_DATA_FROM_BINDIR}")

# The Windows program runs from a folder of its own, which its release
# archive holds.
if(WIN32)
  include(tools/dist.cmake)
  return()
endif()

# Installing never builds first, so packaging does not build the tests; the
# test that packages korvex runs after the build.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

# The package's maintainer, also named in its changelog.
set(KORVEX_PACKAGE_CONTACT "korvex project <korvex@localhost>" CACHE STRING
    "Maintainer of the Debian package: name <address>")
# The changelog's date follows SOURCE_DATE_EPOCH when that is set.
string(TIMESTAMP KORVEX_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(tools/debian/changelog.in changelog @ONLY)

# Debian installs manual pages and changelogs compressed, without a time stamp.
set(KORVEX_COMPRESSED_DOCS)
foreach(document docs/korvex.1 docs/korvex-results.1 ${CMAKE_CURRENT_BINARY_DIR}/changelog)
  get_filename_component(name ${document} NAME)
  set(compressed ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND gzip -9nc ${document} > ${compressed}
    DEPENDS ${document} WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} VERBATIM)
  list(APPEND KORVEX_COMPRESSED_DOCS ${compressed})
endforeach()
add_custom_target(korvex_docs ALL DEPENDS ${KORVEX_COMPRESSED_DOCS})

install(TARGETS korvex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES fasm_1.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/korvex)
install(DIRECTORY Images DESTINATION ${CMAKE_INSTALL_DATADIR}/korvex FILES_MATCHING PATTERN "*.tga")
# --suite looks for bench/suite/<language> as the images are looked for.
install(DIRECTORY bench/suite DESTINATION ${CMAKE_INSTALL_DATADIR}/korvex/bench)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/korvex.1.gz ${CMAKE_CURRENT_BINARY_DIR}/korvex-results.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES README.md ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The manual's pages, where the README's links lead.
install(DIRECTORY docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs FILES_MATCHING PATTERN "*.md")
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)

# korvex-results lives beside the bundled data, a private module of this
# package as Debian keeps them, so that any prefix works without touching
# Python's own paths: the command in bin is a link to its script, and Python
# looks for modules in the folder of the script a link leads to.
set(KORVEX_RESULTS_SOURCE ${PROJECT_SOURCE_DIR}/tools/korvex-results-package)
install(PROGRAMS ${KORVEX_RESULTS_SOURCE}/korvex-results DESTINATION ${CMAKE_INSTALL_DATADIR}/korvex)
install(DIRECTORY ${KORVEX_RESULTS_SOURCE}/korvex_results DESTINATION ${CMAKE_INSTALL_DATADIR}/korvex
        FILES_MATCHING PATTERN "*.py" PATTERN "*.schema.json" PATTERN "__pycache__" EXCLUDE)
file(CREATE_LINK ${KORVEX_DATA_FROM_BINDIR}/korvex-results ${CMAKE_CURRENT_BINARY_DIR}/korvex-results
     SYMBOLIC)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/korvex-results DESTINATION ${CMAKE_INSTALL_BINDIR})

set(CPACK_PACKAGE_NAME korvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${KORVEX_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "benchmark of OpenGL assembly fragment programs")
set(CPACK_PACKAGE_DESCRIPTION
  "korvex measures how fast a graphics processor runs fragment programs written\n"
  "in the OpenGL assembly languages (ARB_fragment_program, NV_fragment_program,\n"
  "NV_fragment_program2). It draws a quad with the program under test many times\n"
  "into a floating-point off-screen target and prints instruction, pixel, flop\n"
  "and texel rates. It renders headless through EGL, or through GLX on an X\n"
  "display.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The C and C++ runtimes come from the linked libraries; the GL library
# (libOpenGL.so.0, else libGL.so.1), EGL and, for GLX, libX11 are opened at
# run time, and Mesa is the driver where no vendor driver is installed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# korvex-results needs jsonschema, numpy and scipy, and matplotlib for charts
# only.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libopengl0 | libgl1, libegl1, libegl-mesa0, libgl1-mesa-dri, \
python3, python3-numpy, python3-scipy, python3-jsonschema")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "python3-matplotlib")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libgl1, libx11-6")
include(CPack)
