# What an installed Tessel brings besides the program and its desktop files — the manual page,
# the bash completion, the copyright file and changelog — and the Debian package of it all.

include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/DebianCopyright.cmake)

set(TESSEL_PACKAGE_MAINTAINER "Corvane <tessel@corvane.com>" CACHE STRING
    "Maintainer of the Debian package, as Name <address>")

set(package_sources ${PROJECT_SOURCE_DIR}/resources/package)
set(package_build ${PROJECT_BINARY_DIR}/package-files)
set(TESSEL_MAN_PAGE ${package_build}/tessel.1)
set(TESSEL_COMPLETION ${PROJECT_SOURCE_DIR}/resources/shell/tessel.bash)

# The changelog dates the release in the form of an e-mail header.
execute_process(COMMAND date -u -R -d ${TESSEL_RELEASE_DATE}
    OUTPUT_VARIABLE TESSEL_RELEASE_STAMP OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
configure_file(${PROJECT_SOURCE_DIR}/resources/man/tessel.1.in ${TESSEL_MAN_PAGE} @ONLY)
configure_file(${package_sources}/changelog.in ${package_build}/changelog @ONLY)
tessel_debian_copyright(${package_sources}/copyright.in ${package_build}/copyright)

# Debian wants manual pages and changelogs at gzip's best, without a name or time stamp.
set(compressed ${TESSEL_MAN_PAGE}.gz ${package_build}/changelog.gz)
foreach(file IN LISTS compressed)
    string(REGEX REPLACE "\\.gz$" "" plain ${file})
    add_custom_command(OUTPUT ${file} COMMAND gzip -9nkf ${plain} DEPENDS ${plain} VERBATIM)
endforeach()
add_custom_target(tessel_docs ALL DEPENDS ${compressed})

set(docdir ${CMAKE_INSTALL_DATADIR}/doc/tessel)
install(FILES ${TESSEL_MAN_PAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${TESSEL_COMPLETION}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tessel)
install(FILES ${package_build}/copyright ${package_build}/changelog.gz DESTINATION ${docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessel)
set(CPACK_PACKAGE_VENDOR Corvane)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "translucent paper texture over every screen")
set(CPACK_PACKAGE_DESCRIPTION [[
Tessel lays a faint, translucent sheet of simulated paper over every screen,
so text and pictures underneath take on a quiet paper texture and tint. Each
paper is synthesised from a small recipe; twelve are built in, and more can be
made in its Studio.

A Day paper and a Night paper each have a weight that sets how strongly they
show. Paper can follow a schedule, stay off in chosen applications, and be
switched or snoozed from the panel, with global shortcuts, from the command
line or over D-Bus.

Tessel needs an X11 session with a compositing manager, or a Wayland compositor that offers
the layer shell (KDE Plasma, sway and other wlroots compositors); on GNOME it runs through
XWayland with the GNOME Shell extension it brings, which the user turns on with
"gnome-extensions enable tessel@corvane.com".]])
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TESSEL_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so the libraries' own dependencies cannot name them: the SVG icon
# engine and a theme for the icons Tessel asks for by name.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, adwaita-icon-theme")
# On X11 paper shows only while a compositing manager runs; on Wayland Qt's own windows need
# its Wayland plugin; WebP pictures of the user's own need Qt's extra image formats.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "picom, qt6-wayland, qt6-image-formats-plugins")
set(CPACK_STRIP_FILES ON)
include(CPack)
