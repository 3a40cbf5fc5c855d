# Read by cpack before it makes a package. The Debian package's library dependencies come from
# dpkg-shlibdeps; without it cpack would make a package that depends on no library at all,
# installs where Qt is missing and then cannot start.
if(CPACK_GENERATOR STREQUAL "DEB" AND CPACK_DEBIAN_PACKAGE_SHLIBDEPS)
  find_program(SHLIBDEPS_EXECUTABLE dpkg-shlibdeps)
  if(NOT SHLIBDEPS_EXECUTABLE OR NOT EXISTS "${SHLIBDEPS_EXECUTABLE}")
    message(FATAL_ERROR "The package's library dependencies cannot be computed: dpkg-shlibdeps "
      "is missing. Install it (apt-get install dpkg-dev), or make the package with "
      "scripts/package.sh, which installs what the package build needs.")
  endif()
endif()
