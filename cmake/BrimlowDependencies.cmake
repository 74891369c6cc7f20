# System libraries, all from Debian packages (scripts/install-deps.sh).
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)

# Toolkit: drawing, text, image decoding and the X11 window system.
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
pkg_check_modules(PANGOCAIRO REQUIRED IMPORTED_TARGET pangocairo)
# pango's fontconfig font map: told to reload when the toolkit registers a private font file.
pkg_check_modules(PANGOFT2 REQUIRED IMPORTED_TARGET pangoft2)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
pkg_check_modules(STB REQUIRED IMPORTED_TARGET stb)
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11 xext xi xtst)

# Program: storage, devices, sound, network, archives, keyboard layouts, D-Bus.
pkg_check_modules(SQLITE3 REQUIRED IMPORTED_TARGET sqlite3)
pkg_check_modules(HIDAPI REQUIRED IMPORTED_TARGET hidapi-hidraw)
pkg_check_modules(UDEV REQUIRED IMPORTED_TARGET libudev)
pkg_check_modules(PULSE REQUIRED IMPORTED_TARGET libpulse)
pkg_check_modules(CURL REQUIRED IMPORTED_TARGET libcurl)
pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET minizip zlib)
pkg_check_modules(XKBCOMMON REQUIRED IMPORTED_TARGET xkbcommon)
pkg_check_modules(GIO REQUIRED IMPORTED_TARGET gio-2.0)
