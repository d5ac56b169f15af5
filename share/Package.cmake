# SPDX-License-Identifier: MIT
# The Debian package, made by CPack's DEB generator (scripts/package). It
# holds whatever the install rules install, under /usr whatever prefix the
# build was configured with. Its dependencies come from dpkg-shlibdeps, so it
# installs with apt-get on a fresh Debian machine.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrin)
set(CPACK_PACKAGE_VENDOR "The Kestrin developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${KESTRIN_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KESTRIN_MAINTAINER}")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for the star map of an invented setting")
set(CPACK_PACKAGE_DESCRIPTION [[
Kestrin opens a plain-text planet data file and draws every planet as a
small circle in the colour of the faction that holds it, with its name,
on black, with a faction legend, light-year circles and a truce line.
It measures distances with the mouse, zooms, scrolls, centres on a planet
by name, and prints or previews the map in black on white.
.
The package holds the viewer, kestrin-render (which draws the same map
into a picture without a display), an invented sample map and its readme.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The desktop entry's Path= is written at install time from the prefix;
# with DESTDIR the prefix seen then is /usr, not the staging folder.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# No Homepage field until the project has an address.
if(KESTRIN_HOMEPAGE)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KESTRIN_HOMEPAGE}")
endif()
# The map asks for "Arial"; Liberation Sans has its metrics.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation2)

include(CPack)
