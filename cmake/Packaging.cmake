# The Debian package of the Linux build, made by CPack:  cd build && cpack -G DEB
# (scripts/release.sh makes it with the Windows download; scripts/ci/package.sh checks it).
#
# The package holds whatever the build installs under /usr, so a program that brings its own
# install rules (bin/, share/man/man1/) lands in it with nothing to change here. Debian wants
# manual pages and changelogs gzipped: PackageCompress.cmake does that to whatever is installed
# there, just before the package is made, so install rules stay plain.
#
# lintian (scripts/ci/package.sh runs it with --pedantic --display-info) finds no error and no
# warning; a warning that is ever accepted is named and explained here, or the step fails. Its
# notes, left as they are:
# - binary-has-unneeded-section .comment: CPack strips as `install -s` does, keeping the
#   compiler's one-line .comment;
# - hardening-no-bindnow, hardening-no-fortify-functions: the program is built with the flags
#   the tests run with, not with Debian's dpkg-buildflags;
# - spelling-error-in-binary anually: a false alarm, inside the word "manually".

include(GNUInstallDirs)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillfen)
set(CPACK_PACKAGE_VERSION ${QUILLFEN_RELEASE_VERSION})
set(CPACK_PACKAGE_VENDOR Corvalen)
set(CPACK_PACKAGE_CONTACT "Quillfen developers <quillfen@corvalen.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "finds and saves the files old Windows Update and Office Update left behind")
# The long description below the summary; CPack indents it and marks its empty lines as
# Debian's control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quillfen looks for the files that old versions of Windows Update and Office
Update left on a Windows installation: the Windows Update inventories and log
and the Office Update folder, on this computer, on an old system disk, or in
one folder. It copies every file that qualifies, never moving or changing it,
into a folder named CVL_SAVE, with a README.TXT asking to send the folder to
the Corvalen project.

On Linux it shows the machine as Windows would: drive letters for the mounted
Windows file systems (or a table given in the environment), paths without
regard to case, hidden and read-only files, and the registry of the Windows
on drive C:, read from its own registry files with libhivex (Windows NT 4.0
to Server 2003) or libcreg (Windows 95, 98 and Me).")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://corvalen.org/)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)

# The libraries come from what the programs link (dpkg-shlibdeps; Qt's platform and image
# plug-ins are part of libqt6gui6; libhivex0 and libcreg1 from the registry reader in
# /usr/libexec/quillfen). The fonts are read by file name at run time: the windows'
# MS Sans Serif (fonts-wine) and Liberation Sans in place of Arial. xdg-open opens the save
# folder; without it everything else works.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)

# Programs without their debugging sections; files and folders owned by root, mode 644 and
# 755 whatever the umask of the build.
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageCompress.cmake)

# The copyright file in Debian's machine-readable form, its licence text taken from LICENSE
# (Debian calls the MIT licence "Expat"): a paragraph's lines indented by one blank, an empty
# line written " .".
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
if(NOT license MATCHES "Copyright \\(c\\) ([^\n]+)")
  message(FATAL_ERROR "LICENSE names no copyright holder")
endif()
set(QUILLFEN_COPYRIGHT ${CMAKE_MATCH_1})
string(FIND "${license}" "Permission is hereby granted" start)
string(SUBSTRING "${license}" ${start} -1 license)
string(STRIP "${license}" license)
string(REPLACE "\n\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " QUILLFEN_LICENSE_TEXT " ${license}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${CMAKE_BINARY_DIR}/packaging/copyright @ONLY)

set(doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_PACKAGE_NAME})
install(FILES ${CMAKE_BINARY_DIR}/packaging/copyright ${PROJECT_SOURCE_DIR}/packaging/changelog
        DESTINATION ${doc_dir})

include(CPack)
