# What an installed Tessel brings besides the program and its desktop files: the manual page
# and the bash completion.

include(GNUInstallDirs)

set(package_build ${PROJECT_BINARY_DIR}/package-files)
set(TESSEL_MAN_PAGE ${package_build}/tessel.1)
set(TESSEL_COMPLETION ${PROJECT_SOURCE_DIR}/resources/shell/tessel.bash)

configure_file(${PROJECT_SOURCE_DIR}/resources/man/tessel.1.in ${TESSEL_MAN_PAGE} @ONLY)

# Debian wants manual pages and changelogs at gzip's best, without a name or time stamp.
set(compressed ${TESSEL_MAN_PAGE}.gz)
foreach(file IN LISTS compressed)
    string(REGEX REPLACE "\\.gz$" "" plain ${file})
    add_custom_command(OUTPUT ${file} COMMAND gzip -9nkf ${plain} DEPENDS ${plain} VERBATIM)
endforeach()
add_custom_target(tessel_docs ALL DEPENDS ${compressed})

install(FILES ${TESSEL_MAN_PAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${TESSEL_COMPLETION}
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tessel)
