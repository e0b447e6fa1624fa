# Run by cpack once it has made the packages: brings the debug symbols package to the form
# Debian gives it. Its md5sums name the files from the package's root, the .debug files are
# plain data (0644), and its documentation is the main package's, by a symbolic link.
foreach(package ${CPACK_PACKAGE_FILES})
  if(NOT package MATCHES "-dbgsym_[^/]*\\.ddeb$")
    continue()
  endif()
  set(root ${CPACK_TOPLEVEL_DIRECTORY}/dbgsym-root)
  file(REMOVE_RECURSE ${root})
  execute_process(COMMAND dpkg-deb -R ${package} ${root} COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB_RECURSE debug_files RELATIVE ${root} ${root}/usr/lib/debug/*)
  set(sums "")
  foreach(file ${debug_files})
    file(CHMOD ${root}/${file} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    file(MD5 ${root}/${file} sum)
    string(APPEND sums "${sum}  ${file}\n")
  endforeach()
  file(WRITE ${root}/DEBIAN/md5sums "${sums}")
  file(MAKE_DIRECTORY ${root}/usr/share/doc)
  file(CREATE_LINK ${CPACK_PACKAGE_NAME} ${root}/usr/share/doc/${CPACK_PACKAGE_NAME}-dbgsym SYMBOLIC)
  execute_process(COMMAND dpkg-deb --root-owner-group --build ${root} ${package}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${root})
endforeach()
