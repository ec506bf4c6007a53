# What "cmake --install" puts where, the way a Linux desktop expects it: the
# program, its menu entry and icons, the AppStream description, the manual
# page, the completion and the boot-time unit. cmake/KorvanePackage.cmake
# makes a Debian package of the same files.

set(KORVANE_APP_ID "org.example.korvane")
set(KORVANE_HOMEPAGE "https://korvane.example.org/" CACHE STRING "The project's web address (ends in /)")
# systemd reads units from /lib on Debian; a prefix of its own keeps them there.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(_unit_dir_default "/lib/systemd/system")
else()
  set(_unit_dir_default "${CMAKE_INSTALL_PREFIX}/lib/systemd/system")
endif()
set(KORVANE_SYSTEMD_UNIT_DIR "${_unit_dir_default}" CACHE PATH "Where the systemd unit is installed")

set(_packaging "${PROJECT_SOURCE_DIR}/packaging")
set(_generated "${CMAKE_BINARY_DIR}/packaging")

install(TARGETS korvane RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

install(FILES "${_packaging}/${KORVANE_APP_ID}.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")

configure_file("${_packaging}/${KORVANE_APP_ID}.metainfo.xml.in" "${_generated}/${KORVANE_APP_ID}.metainfo.xml" @ONLY)
install(FILES "${_generated}/${KORVANE_APP_ID}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

install(FILES "${_packaging}/korvane.bash-completion" DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions"
        RENAME korvane)

# The unit names the installed program.
file(READ "${_packaging}/korvane-pending.service" _unit)
string(FIND "${_unit}" "ExecStart=/usr/local/bin/korvane " _exec_at)
if(_exec_at EQUAL -1)
  message(FATAL_ERROR "packaging/korvane-pending.service no longer starts /usr/local/bin/korvane")
endif()
string(REPLACE "ExecStart=/usr/local/bin/korvane " "ExecStart=${CMAKE_INSTALL_FULL_BINDIR}/korvane " _unit "${_unit}")
file(WRITE "${_generated}/korvane-pending.service" "${_unit}")
install(FILES "${_generated}/korvane-pending.service" DESTINATION "${KORVANE_SYSTEMD_UNIT_DIR}")

# The manual page and the changelog go compressed, as Debian's tools
# would leave them (gzip -n: no time stamp, so the package is reproducible).
find_program(KORVANE_GZIP gzip REQUIRED)
configure_file("${_packaging}/korvane.1.in" "${_generated}/korvane.1" @ONLY)
# The version has no Debian revision: a native package, whose changelog is
# changelog.gz.
configure_file("${_packaging}/debian/changelog.in" "${_generated}/changelog" @ONLY)
set(_compressed)
foreach(_file korvane.1 changelog)
  add_custom_command(
    OUTPUT "${_generated}/${_file}.gz"
    COMMAND "${KORVANE_GZIP}" -9 -n -c "${_generated}/${_file}" > "${_generated}/${_file}.gz"
    DEPENDS "${_generated}/${_file}"
    VERBATIM)
  list(APPEND _compressed "${_generated}/${_file}.gz")
endforeach()

# The icon as drawn, and rendered at the sizes menus and docks ask for.
set(_icon "${PROJECT_SOURCE_DIR}/resources/icons/korvane.svg")
set(KORVANE_ICON_SIZES 16 22 24 32 48 64 128 256)
find_program(KORVANE_RSVG_CONVERT rsvg-convert REQUIRED)
set(_pngs)
foreach(_size IN LISTS KORVANE_ICON_SIZES)
  set(_png "${_generated}/icons/${_size}x${_size}/korvane.png")
  add_custom_command(
    OUTPUT "${_png}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${_generated}/icons/${_size}x${_size}"
    COMMAND "${KORVANE_RSVG_CONVERT}" --width ${_size} --height ${_size} --keep-aspect-ratio --output "${_png}" "${_icon}"
    DEPENDS "${_icon}"
    VERBATIM)
  list(APPEND _pngs "${_png}")
  install(FILES "${_png}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps")
endforeach()
install(FILES "${_icon}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
add_custom_target(korvane_install_files ALL DEPENDS ${_pngs} ${_compressed})

install(FILES "${_generated}/korvane.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${_generated}/changelog.gz" "${_packaging}/debian/copyright"
        DESTINATION "${CMAKE_INSTALL_DOCDIR}")
