# The Debian package, made with CPack from this build:
#   cmake --build build --target package    (or: cd build && cpack)
# writes build/zoreks_<version>_<arch>.deb. It is not part of the default build.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zoreks)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The package names the project, not a person. The address is in the reserved
# example.org domain: nobody reads it, but the Maintainer field needs one.
set(CPACK_PACKAGE_CONTACT "Зорекс project <zoreks@example.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

# The libraries the programs link are found by dpkg-shlibdeps. What they load
# at run time without linking it is named here:
# - qt6-qpa-plugins holds Qt's xcb platform plugin, without which the window
#   cannot open on an X display;
# - the window's font is Times New Roman, which fontconfig replaces with its
#   metric twin Liberation Serif from fonts-liberation2;
# - qt6-translations-l10n gives Qt's own dialog buttons their Russian texts;
# - xdg-utils opens the help documents with the desktop's viewer.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, qt6-translations-l10n, xdg-utils")

# The synopsis, then the long description in English and in Russian.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"magnetic field of a finite solenoid, a physics teaching program
Zoreks computes the magnetic field of a finite single-layer solenoid and
draws it: the field on the axis, Hz(z), in closed form, or the field lines
in a plane through the axis, traced with the Biot-Savart law. The window and
its help documents are in Russian and in English. The command-line tool
zoreks-render writes the same pictures as PNG, SVG or PDF files, or their
numbers as CSV tables.
.
Зорекс — учебная программа по физике. Она рассчитывает магнитное поле
однослойного соленоида конечной длины и рисует его: поле на оси Hz(z) по
точной формуле или линии напряженности в плоскости, проходящей через ось.
Программа командной строки zoreks-render записывает те же рисунки в файлы
PNG, SVG и PDF, а их числа — в таблицы CSV.")

# Debian keeps a package's copyright and changelog in /usr/share/doc/<package>.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
zoreks_install_configured(${CMAKE_CURRENT_LIST_DIR}/changelog ${CMAKE_INSTALL_DOCDIR} GZIP)

include(CPack)
