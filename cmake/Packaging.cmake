# The Debian package: `cpack -G DEB` in a build tree writes
# songbinder_<version>_<arch>.deb with what `cmake --install` puts under
# /usr. Its dependencies come from dpkg-shlibdeps (Debian package dpkg-dev).
set(CPACK_PACKAGE_NAME songbinder)
set(CPACK_PACKAGE_VENDOR "The Songbinder developers")
set(CPACK_PACKAGE_CONTACT "The Songbinder developers <developers@songbinder.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for .m3u playlists")
# The long description below the summary; CPack indents it and marks the
# empty line as Debian wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Songbinder builds and edits playlists in the plain-text .m3u form. Browse
drives, folders and audio files, add selected files, whole folder trees or
files dropped from a file manager, remove entries, and save the sorted list.

A playlist can be tied to a root folder: its entries are then stored
relative to it, so the playlist moves together with the music.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# German and French file dialogs and questions.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_GENERATOR DEB)
include(CPack)
