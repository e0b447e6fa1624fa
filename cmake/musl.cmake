# The programs linked against musl, with the system's g++: musl's headers and libc.a in place of
# the system C library's, and only the header-only part of the C++ standard library (no
# libstdc++, no libgcc_eh; exceptions and RTTI off). Debian's musl-dev provides musl; the
# libstdc++ headers are those of the compiler.
#
# Defines console_libc, an interface library that the release executables and their runtime link,
# when musl is there.
# Everything else in the tree (the unit tests, the test tools) stays on the system C library.

set(musl_triple ${CMAKE_LIBRARY_ARCHITECTURE})
if(NOT musl_triple)
  set(musl_triple ${CMAKE_SYSTEM_PROCESSOR}-linux-gnu)
endif()
string(REPLACE "-gnu" "-musl" musl_triple ${musl_triple})
find_path(MUSL_INCLUDE_DIR stdio.h PATHS /usr/include/${musl_triple} /usr/lib/musl/include NO_DEFAULT_PATH)
find_path(MUSL_LIBRARY_DIR libc.a PATHS /usr/lib/${musl_triple} /usr/lib/musl/lib NO_DEFAULT_PATH)
if(NOT MUSL_INCLUDE_DIR OR NOT MUSL_LIBRARY_DIR)
  return()  # the caller falls back to the system C library
endif()

# The compiler's own files: its headers (stddef.h, stdarg.h, ...), libgcc and the static
# executable's constructor start and end.
foreach(file include crtbeginT.o crtend.o libgcc.a)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${file}
                  OUTPUT_VARIABLE gcc_${file} OUTPUT_STRIP_TRAILING_WHITESPACE)
endforeach()

# The libstdc++ header folders, in the compiler's order, without the system C library's.
set(libstdcxx_include_flags)
foreach(dir ${CMAKE_CXX_IMPLICIT_INCLUDE_DIRECTORIES})
  if(dir MATCHES "/c\\+\\+/")
    list(APPEND libstdcxx_include_flags -isystem${dir})
  endif()
endforeach()

# CMake takes repeated options as one, so each -isystem is joined to its folder.
add_library(console_libc INTERFACE)
target_compile_options(console_libc INTERFACE
  -nostdinc "$<$<COMPILE_LANGUAGE:CXX>:${libstdcxx_include_flags}>"
  -isystem${gcc_include} -isystem${MUSL_INCLUDE_DIR}
  # The libstdc++ headers were configured for the system C library and ask for its version;
  # none of the features it gates is used here.
  "$<$<COMPILE_LANGUAGE:CXX>:-D__GLIBC_PREREQ(major,minor)=0;-fno-exceptions;-fno-rtti>")
# Start files before the objects, end files after every library: the order of a static link.
target_link_options(console_libc INTERFACE
  -static -nostartfiles -nodefaultlibs
  ${MUSL_LIBRARY_DIR}/crt1.o ${MUSL_LIBRARY_DIR}/crti.o ${gcc_crtbeginT.o})
target_link_libraries(console_libc INTERFACE
  ${MUSL_LIBRARY_DIR}/libc.a ${gcc_libgcc.a} ${gcc_crtend.o} ${MUSL_LIBRARY_DIR}/crtn.o)
