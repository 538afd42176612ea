# Installation and the Debian package. Included from CMakeLists.txt; the
# Makefile drives it: `make install` (PREFIX, DESTDIR), `make uninstall`,
# `make package` (a .deb by CPack).
#
# Run as a script (cmake -DLOUSA_MANIFEST=... -P packaging.cmake) it removes
# what an installation wrote, as listed in its install manifest (which lists
# the paths without DESTDIR: the same DESTDIR must be given again).

if(CMAKE_SCRIPT_MODE_FILE)
  if(NOT EXISTS "${LOUSA_MANIFEST}")
    message(FATAL_ERROR "Nothing to uninstall: ${LOUSA_MANIFEST} not found (run make install first)")
  endif()
  file(STRINGS "${LOUSA_MANIFEST}" installed)
  foreach(listed IN LISTS installed)
    set(path "$ENV{DESTDIR}${listed}")
    if(EXISTS "${path}" OR IS_SYMLINK "${path}")
      file(REMOVE "${path}")
      message(STATUS "Removed: ${path}")
    endif()
    # the directories that belong to this program alone go too, once empty
    get_filename_component(dir "${path}" DIRECTORY)
    while(dir MATCHES "/doc/lousa(/examples)?$")
      file(GLOB left "${dir}/*")
      if(left OR NOT IS_DIRECTORY "${dir}")
        break()
      endif()
      file(REMOVE_RECURSE "${dir}")  # empty: checked just above
      message(STATUS "Removed: ${dir}")
      get_filename_component(dir "${dir}" DIRECTORY)
    endwhile()
  endforeach()
  return()
endif()

include(GNUInstallDirs)

option(LOUSA_HARDENING "Optimise at -O2 with Debian's hardening (fortified calls, stack protector, stack clash and control-flow protection, full RELRO)" OFF)
option(LOUSA_DEBIAN_PACKAGE "Lay the files out as the Debian package ships them" OFF)

# Hardening changes no screen byte: it adds checks around library calls and
# the stack, and read-only relocations; the arithmetic flags stay as above.
# Every library the program is made of gets it, not only the shell.
if(LOUSA_HARDENING)
  foreach(target IN LISTS LOUSA_LIBRARIES ITEMS lousa)
    target_compile_options(${target} PRIVATE -O2 -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=3 -fstack-protector-strong
                           -fstack-clash-protection -fcf-protection)
  endforeach()
  target_link_options(lousa PRIVATE -Wl,-z,relro -Wl,-z,now)
endif()

# The Windows program carries its icon, its version and description, and a
# manifest, so that Explorer shows what it is (packaging/lousa.rc.in).
if(WIN32)
  enable_language(RC)
  string(REPLACE "." "," LOUSA_VERSION_COMMAS "${LOUSA_VERSION},0")
  string(REPLACE "," "." LOUSA_VERSION_QUAD "${LOUSA_VERSION_COMMAS}")
  set(LOUSA_MANIFEST ${CMAKE_BINARY_DIR}/lousa.manifest)
  configure_file(packaging/lousa.manifest ${LOUSA_MANIFEST} @ONLY)
  configure_file(packaging/lousa.rc.in ${CMAKE_BINARY_DIR}/lousa.rc @ONLY)
  target_sources(lousa PRIVATE ${CMAKE_BINARY_DIR}/lousa.rc)
  set_source_files_properties(${CMAKE_BINARY_DIR}/lousa.rc PROPERTIES
    OBJECT_DEPENDS "${LOUSA_MANIFEST};${CMAKE_SOURCE_DIR}/packaging/lousa.ico")
endif()

set(LOUSA_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/lousa)

# The version is written once, in cmake/lousa.cmake: the manual page and the
# Debian changelog get it here. A package's format asks for a maintainer; the
# project is named there with an address that takes no mail (.invalid).
set(LOUSA_MAINTAINER "Equipe do Lousa <sem-correio@lousa.invalid>")
configure_file(doc/lousa.1 ${CMAKE_BINARY_DIR}/lousa.1 @ONLY)
configure_file(packaging/changelog.Debian.in ${CMAKE_BINARY_DIR}/changelog.Debian @ONLY)

install(TARGETS lousa RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES README.md DESTINATION ${LOUSA_DOCDIR})
install(DIRECTORY examples/ DESTINATION ${LOUSA_DOCDIR}/examples
        FILES_MATCHING PATTERN "*.txt" PATTERN "*.tela")
install(FILES packaging/lousa.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES packaging/lousa.svg DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)

if(LOUSA_DEBIAN_PACKAGE)
  # Debian ships manual pages and changelogs compressed, without a time stamp.
  # The package is native (its version has no Debian revision), so its one
  # changelog is changelog.gz.
  set(lousa_gzipped ${CMAKE_BINARY_DIR}/lousa.1.gz ${CMAKE_BINARY_DIR}/changelog.gz)
  add_custom_command(OUTPUT ${lousa_gzipped}
    COMMAND gzip -9n -c ${CMAKE_BINARY_DIR}/lousa.1 > ${CMAKE_BINARY_DIR}/lousa.1.gz
    COMMAND gzip -9n -c ${CMAKE_BINARY_DIR}/changelog.Debian > ${CMAKE_BINARY_DIR}/changelog.gz
    DEPENDS ${CMAKE_BINARY_DIR}/lousa.1 ${CMAKE_BINARY_DIR}/changelog.Debian
    VERBATIM)
  add_custom_target(lousa_gzipped_docs ALL DEPENDS ${lousa_gzipped})
  install(FILES ${CMAKE_BINARY_DIR}/lousa.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${CMAKE_BINARY_DIR}/changelog.gz packaging/copyright DESTINATION ${LOUSA_DOCDIR})
  install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME lousa)
  # As Debian's own packages: the compiler's name and version are not shipped.
  install(CODE "execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/lousa\" COMMAND_ERROR_IS_FATAL ANY)")
else()
  install(FILES ${CMAKE_BINARY_DIR}/lousa.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES LICENSE DESTINATION ${LOUSA_DOCDIR})  # the Debian package has it in its copyright
endif()

add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DLOUSA_MANIFEST=${CMAKE_BINARY_DIR}/install_manifest.txt -P ${CMAKE_CURRENT_LIST_FILE}
  COMMENT "Removing the installed files listed in install_manifest.txt")

# The manual page and the desktop entry are checked by the tools their
# readers use; a missing tool skips the check (status 77) instead of passing it.
if(LOUSA_TESTS)
  set(lousa_man ${CMAKE_BINARY_DIR}/lousa.1)
  add_test(NAME package.manual_page_lint COMMAND sh -c
    "command -v mandoc >/dev/null || exit 77; mandoc -T lint -W warning \"$1\"" sh ${lousa_man})
  add_test(NAME package.manual_page_whatis COMMAND sh -c
    "command -v lexgrog >/dev/null || exit 77; lexgrog \"$1\" | grep -F '\"lousa - aplicativos de bioestat'" sh ${lousa_man})
  add_test(NAME package.manual_page_renders_without_warnings COMMAND sh -c
    "command -v man >/dev/null || exit 77; w=$(MANWIDTH=80 man --warnings -l \"$1\" 2>&1 >/dev/null); test -z \"$w\" || { echo \"$w\"; exit 1; }" sh ${lousa_man})
  add_test(NAME package.desktop_entry_is_valid COMMAND sh -c
    "command -v desktop-file-validate >/dev/null || exit 77; desktop-file-validate \"$1\"" sh ${CMAKE_SOURCE_DIR}/packaging/lousa.desktop)
  set_tests_properties(package.manual_page_lint package.manual_page_whatis package.manual_page_renders_without_warnings
    package.desktop_entry_is_valid PROPERTIES SKIP_RETURN_CODE 77)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lousa)
set(CPACK_PACKAGE_VERSION ${LOUSA_VERSION})
set(CPACK_PACKAGE_VENDOR "Equipe do Lousa")
set(CPACK_PACKAGE_CONTACT "${LOUSA_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "biostatistics teaching applications in a Portuguese console dialogue")
# CPack puts the summary above this text as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Lousa offers sixteen statistical applications behind one numbered menu:
sample size determination, two-sample and paired t tests, three analyses
of variance, a Z test for proportions, linear, linearized and curvilinear
regressions, and the runs, chi-square, Kolmogorov-Smirnov, Wilcoxon,
Mann-Whitney, Spearman and Kruskal-Wallis tests.
.
The student picks an application, types the data in answer to framed
prompts and reads the statistics as the course material prints them.
The package includes one example session per application.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
