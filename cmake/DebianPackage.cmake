# `cpack -G DEB` in the build folder makes vexlo_VERSION_ARCH.deb from the install rules.
set(CPACK_PACKAGE_NAME vexlo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vexlo developers")
set(CPACK_PACKAGE_CONTACT "Vexlo developers <dev@vexlo.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "keyboard calculator with consumption tax and Japanese era years")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vexlo.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Japanese text needs a CJK font, Qt's own dialogs its translations; the libraries come from
# shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, qt6-translations-l10n")
# Native Wayland; without it the window runs through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
# The first line of the control file's description is the summary above.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Vexlo works like a hand-held electronic calculator driven from the numeric
keypad: a one-line display strip with a menu bar, worked from the keyboard,
the menus and the mouse. It offers the four operations with percent, a memory
register, consumption tax at 10 % and at the reduced rate of 8 %, conversion
between Japanese era years and Western years, unit conversion, and copy and
paste of the display, with Japanese and English menus.
.
vexlo-keys runs the same calculator without a window: it types a key script
and prints the display, for scripts, automation and accessibility.")
include(CPack)
