# Install rules and the Debian package (cpack -G DEB). Included at the end of the
# top-level CMakeLists.txt, once every target is known.
include(GNUInstallDirs)

cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH _kestrowRoot)

if(TARGET kestrow)
  install(TARGETS kestrow RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
else()
  message(STATUS "kestrow is not built (KESTROW_BUILD_UI=OFF): the package holds kestrow-ask and the manual pages only")
endif()

# kestrow-ask looks for kestrow in its own directory first, so both go to the same one.
install(PROGRAMS "${_kestrowRoot}/tools/kestrow-ask" DESTINATION ${CMAKE_INSTALL_BINDIR})

# Manual pages and the changelog, compressed as Debian wants them: gzip -9 -n (no
# name, no time stamp, so the package is reproducible).
find_program(KESTROW_GZIP gzip REQUIRED)
function(kestrow_gzip source output)
  add_custom_command(
    OUTPUT "${output}"
    COMMAND sh -c "\"$1\" -9 -n -c \"$2\" >\"$3\"" sh "${KESTROW_GZIP}" "${source}" "${output}"
    DEPENDS "${source}"
    COMMENT "Compressing ${source}"
    VERBATIM)
endfunction()

file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/man" "${CMAKE_BINARY_DIR}/doc")
set(_kestrowManPages)
foreach(_page IN ITEMS kestrow.1 kestrow-ask.1)
  kestrow_gzip("${_kestrowRoot}/docs/man/${_page}" "${CMAKE_BINARY_DIR}/man/${_page}.gz")
  list(APPEND _kestrowManPages "${CMAKE_BINARY_DIR}/man/${_page}.gz")
endforeach()
install(FILES ${_kestrowManPages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(KESTROW_PACKAGE_MAINTAINER "Kestrow developers <kestrow@localhost>" CACHE STRING
  "Maintainer field of the Debian package (lintian wants a routable mail address)")

# Debian wants a changelog in every package; ours names the version being packaged.
# The date honours SOURCE_DATE_EPOCH, for reproducible packages.
string(TIMESTAMP _kestrowDate "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(CONFIGURE OUTPUT "${CMAKE_BINARY_DIR}/doc/changelog" CONTENT
"kestrow (${CMAKE_PROJECT_VERSION}) unstable; urgency=medium

  * Release ${CMAKE_PROJECT_VERSION}.

 -- ${KESTROW_PACKAGE_MAINTAINER}  ${_kestrowDate}
")
kestrow_gzip("${CMAKE_BINARY_DIR}/doc/changelog" "${CMAKE_BINARY_DIR}/doc/changelog.gz")
install(FILES "${CMAKE_BINARY_DIR}/doc/changelog.gz" DESTINATION ${CMAKE_INSTALL_DOCDIR})
# Debian wants the licence as share/doc/kestrow/copyright; it comes from LICENSE once
# the project has one.
if(EXISTS "${_kestrowRoot}/LICENSE")
  install(FILES "${_kestrowRoot}/LICENSE" DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)
endif()
add_custom_target(kestrow_package_docs ALL DEPENDS ${_kestrowManPages} "${CMAKE_BINARY_DIR}/doc/changelog.gz")

# The Debian package -------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrow)
set(CPACK_PACKAGE_VERSION "${CMAKE_PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Kestrow developers")
set(CPACK_PACKAGE_CONTACT "${KESTROW_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "printer selection pop-up for installers")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "A small desktop window, titled Orvane Setup, that an installer starts to let\n"
  "the user choose which printers to install. The installer writes the printer\n"
  "names to a file in /tmp and waits for a done flag; the window writes the\n"
  "sorted selection, then the flag, on OK, and only the flag on Cancel.\n"
  "\n"
  "kestrow-ask does all of that for a shell script: names in on standard input,\n"
  "the chosen names out on standard output, the outcome in its exit status.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# 0755 directories whatever the builder's umask; lintian checks them.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # kestrow_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The packages kestrow links against come from dpkg-shlibdeps, never from a list kept
# by hand. kestrow-ask needs only Essential packages (coreutils, findutils, grep, sed,
# libc-bin, mount, util-linux), which Debian forbids listing.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Recommended: Qt's Wayland platform plugin (without it, on a Wayland desktop the window goes
# through XWayland), and Qt's own texts (what Qt itself shows or reads out) in the user's
# language; the window's own catalogues are in the package; bubblewrap, with which kestrow-ask gives
# the window of an ordinary user a /tmp of its own (root needs only util-linux's unshare).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n, bubblewrap")
# Japanese, Chinese and Korean show as boxes without a CJK font; Debian's language tasks bring one.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The build machine's own architecture (amd64 on the x86-64 machines we ship for).
find_program(KESTROW_DPKG dpkg)
if(KESTROW_DPKG)
  execute_process(COMMAND "${KESTROW_DPKG}" --print-architecture
    OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
if(NOT CPACK_DEBIAN_PACKAGE_ARCHITECTURE)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
endif()

# `cpack --config CPackSourceConfig.cmake` must not sweep up build trees.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "/\\\\.cache/")

include(CPack)
