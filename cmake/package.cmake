# What is installed, and the packages made of it with cpack: on Linux a Debian package and its
# debug symbols package (cpack -G DEB), on Windows a zip (cpack -G ZIP).

set(CPACK_PACKAGE_NAME console-programs)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Console team <team@console.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "numspell, birthspan and textpass: small console programs")
set(CPACK_PACKAGE_DESCRIPTION "numspell writes the French name of a number from 0 to 99, birthspan
reports whose birthday comes earliest and latest in the year, and textpass
writes a line back unchanged.")

if(WIN32)
  # The three programs, the README as text and the licence, in one folder.
  set(CONSOLE_PROGRAM_DESTINATION .)
  install(FILES README.md DESTINATION . RENAME README.txt)
  install(FILES LICENSE DESTINATION . RENAME LICENSE.txt)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_SYSTEM_NAME win64)
  else()
    set(CPACK_SYSTEM_NAME win32)
  endif()
  set(CPACK_GENERATOR ZIP)
else()
  set(CONSOLE_PROGRAM_DESTINATION bin)

  # Man pages and the changelog compressed as Debian wants them: at most, with no time stamp.
  set(compressed)
  foreach(file man/numspell.1 man/birthspan.1 man/textpass.1 packaging/changelog)
    get_filename_component(name ${file} NAME)
    set(gz ${PROJECT_BINARY_DIR}/compressed/${name}.gz)
    add_custom_command(OUTPUT ${gz}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/compressed
                       COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/${file} > ${gz}
                       DEPENDS ${file} VERBATIM)
    list(APPEND compressed ${gz})
  endforeach()
  add_custom_target(compressed_docs ALL DEPENDS ${compressed})
  list(FILTER compressed INCLUDE REGEX "\\.1\\.gz$")
  install(FILES ${compressed} DESTINATION share/man/man1)
  install(FILES packaging/copyright ${PROJECT_BINARY_DIR}/compressed/changelog.gz
          DESTINATION share/doc/console-programs)
  install(FILES packaging/lintian-overrides DESTINATION share/lintian/overrides RENAME console-programs)

  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The programs are stripped; their debug information goes into console-programs-dbgsym, where
  # addr2line finds it by build ID.
  set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
  set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/dbgsym.cmake)
endif()
include(CPack)
