# `cpack -G DEB` in the build folder: the whole install as one package for /usr, its
# dependencies read from the shared libraries the programs link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nimba-r380x)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT
    "NIMBA R380X utility maintainers <maintainers@users.noreply.c-seed-498cddf4.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "settings utility of the NIMBA R380X gaming mouse")
set(CPACK_PACKAGE_DESCRIPTION
    "Sets up the NIMBA R380X wireless gaming mouse over its USB cable, its 2.4 GHz\n"
    "receiver or Bluetooth LE: DPI stages, report rate, lighting, power and sensor\n"
    "options, button functions and recorded macros, kept as named profiles. The\n"
    "program lives in the tray, shows the battery and warns when it runs low.\n"
    "nimba-mousectl does the same from the command line. A udev rule gives the user\n"
    "at the seat the mouse, so nothing runs as root.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Chinese, Japanese and Korean translations need a font with their scripts.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-noto-cjk)
# The program folder's own libraries are found through the run path, not as system libraries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
set(CPACK_STRIP_FILES ON)
# Our own maintainer scripts apply the udev rule at once; they also keep CPack from adding
# ldconfig calls, which the libraries of the program folder (off the linker's path) never need.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/postinst
    ${CMAKE_CURRENT_SOURCE_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
