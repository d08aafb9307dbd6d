# Run by CPack once the build is installed into its staging folder, before the package is made
# (CPACK_PRE_BUILD_SCRIPTS): gzips what Debian keeps gzipped, every manual page and every
# changelog, whichever program installed it. gzip -9n stores neither name nor time, so the
# bytes depend on the text alone.
set(usr "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(NOT IS_DIRECTORY "${usr}")
  message(FATAL_ERROR "no staging folder at ${usr}")
endif()
file(GLOB_RECURSE pages LIST_DIRECTORIES false "${usr}/share/man/*")
file(GLOB changelogs LIST_DIRECTORIES false "${usr}/share/doc/*/changelog*")
foreach(file IN LISTS pages changelogs)
  if(file MATCHES "\\.gz$")
    continue()
  endif()
  # A link to a page would point at a name that is gone once its target is gzipped.
  if(IS_SYMLINK "${file}")
    message(FATAL_ERROR "a manual page installed as a link is not handled: ${file}")
  endif()
  execute_process(COMMAND gzip -9nf "${file}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
