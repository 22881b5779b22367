# `make deb`: a Debian package of the installed layout under /usr. Its library
# dependencies are worked out by dpkg-shlibdeps from what the program links
# (libavif and libjxl among them, dav1d through libavif's own); the Japanese
# font the windows are drawn with is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ruvo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The maintainer is the team, under the identity its commits carry.
set(CPACK_PACKAGE_CONTACT "Seed f1ed2f22 maintainers <maintainers@users.noreply.c-seed-f1ed2f22.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "comic book viewer with a Japanese user interface")
set(CPACK_PACKAGE_DESCRIPTION [[
Ruvo shows the BMP, JPEG, GIF, ICO, WMF and EMF images of a folder as the
pages of a book, one page at a time or as two-page spreads read from right
to left, with a bookshelf of thumbnails that remembers each book and its page.
Comic archives (ZIP, RAR, 7z, tar) are books too, their pages also PNG, WebP,
AVIF and JPEG XL images.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-japanese-gothic, qt6-translations-l10n, qt6-image-formats-plugins")
# Qt's Wayland platform, for a Wayland session; without it the program runs through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
