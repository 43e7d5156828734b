# `cpack -G DEB` in a build folder makes tremvale_<version>_amd64.deb: the programs in /usr/bin,
# the desktop entry, the metainfo and the icons under /usr/share, dependencies from
# dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME tremvale)
set(CPACK_PACKAGE_VENDOR Kestrin)
set(CPACK_PACKAGE_CONTACT "Kestrin <ks@kestrin.cn>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Elastic design response spectra after GB 50011")
set(CPACK_PACKAGE_DESCRIPTION
    "Tremvale builds elastic design acceleration response spectra after the Chinese seismic\n\
design code GB 50011 (2010 and 2001 editions), shows them on a chart, in a data table and\n\
a check list, and exports them as CSV files and pictures. tremvale-cli makes the same\n\
spectra for scripts and analysis programs.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.kestrin.cn/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The offscreen and desktop platform plugins are loaded at run time, so no linker sees them.
# The CSV filter of the save dialog has Chinese characters, which need a CJK font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-wqy-microhei")
include(CPack)
