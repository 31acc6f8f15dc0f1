# The Debian package: `cpack -G DEB` in a configured and built build folder (scripts/package).
# The libraries it links are found by dpkg-shlibdeps; what it loads at run time without linking
# it (Qt's image plugins, GStreamer's elements) is named here.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME arvo)
set(CPACK_PACKAGE_VENDOR "The Arvo developers")
set(ARVO_PACKAGE_MAINTAINER "The Arvo developers <arvo@users.noreply.github.com>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${ARVO_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "live picture and snapshots from a USB document camera")
# The summary becomes the first line of the package's description; this is the rest.
set(CPACK_PACKAGE_DESCRIPTION "Arvo shows the live picture of a document camera, a camera on a stand that
looks down at a page, in a window or on the whole screen, with zoom, mirroring,
exposure and the camera's image adjustments. Snapshots are saved as numbered
JPEG photos with EXIF metadata into a photo library, which a review mode
browses. Any USB video camera works.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/arvo/arvo")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# TIFF on the clipboard, and the elements of a recording: H.264 (x264enc), AAC (avenc_aac), the
# MP4 muxer and the conversions.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-image-formats-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-plugins-ugly, gstreamer1.0-libav")
# Wayland without XWayland, the microphone's sound in recordings, and Qt's own texts (the buttons
# of standard dialogs) in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, gstreamer1.0-pulseaudio, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The udev rule goes to udev's own folder, outside the prefix.
set(CPACK_WARN_ON_ABSOLUTE_INSTALL_DESTINATION OFF)
include(CPack)
