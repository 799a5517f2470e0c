# The Debian package of the whole configurator, made by CPack from the installed tree:
# scripts/package.sh builds it from the release build into <build>/package. It holds the
# components Runtime (programs, private library, data, documentation) and UdevDebian (the udev
# rule where Debian 12 keeps them), not the headers. Its dependencies on libraries are computed
# by dpkg-shlibdeps from the programs and the library.

set(Z9RT_PACKAGE_MAINTAINER "Z9RT team <team@z9rt.invalid>" CACHE STRING
    "Maintainer of the Debian package: name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${Z9RT_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Runtime UdevDebian)
# The build carries debugging information; the package does not.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_NAME ${Z9RT_PACKAGE_NAME})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${Z9RT_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${Z9RT_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The device library is private to the package's programs: no shlibs file for others.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The window starts in Chinese and needs a font with its glyphs; Help opens the user guide in
# the desktop's browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-wqy-microhei, xdg-utils")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configurator of Z9RT programmable keyboards")
# The extended description; CPack puts the summary line above it and indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Configures the keyboards Z9RT(PRSM)Ble, Z9RT(S)Ble, Z9RT(S) and Z9RT(PRSM)
over USB: give each of the 82 keys a single key, a combination, a macro, a
repeated emulation or a multimedia, mouse, keyboard function or power action
on three layers, give every key its backlight colour, keep configurations in
profile files, read the key press counters and update the firmware.

The package holds the windowed program (in Chinese or English), the
command-line tool z9rtctl, which does the same jobs in scripts and edits
profiles, and a udev rule that lets the user at the seat use the keyboards
without root. A built-in simulated keyboard runs everything without
hardware.")

include(CPack)
