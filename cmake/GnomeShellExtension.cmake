# Tessel's GNOME Shell extension, built for the shell generation it will run in: ES modules
# from GNOME 45, the older imports for 43 and 44. The bus interface it serves is embedded from
# the one description Tessel's tests check against.

set(shell_sources ${PROJECT_SOURCE_DIR}/resources/gnome-shell)
set(TESSEL_SHELL_INTERFACE_XML ${shell_sources}/com.corvane.Tessel.Shell.xml)
set(TESSEL_SHELL_EXTENSION_DIR ${PROJECT_BINARY_DIR}/gnome-shell/tessel@corvane.com)

set(detected_shell 43)
find_program(TESSEL_GNOME_SHELL_PROGRAM gnome-shell)
if(TESSEL_GNOME_SHELL_PROGRAM)
    execute_process(COMMAND ${TESSEL_GNOME_SHELL_PROGRAM} --version
        OUTPUT_VARIABLE shell_version ERROR_QUIET)
    if(shell_version MATCHES "GNOME Shell ([0-9]+)")
        set(detected_shell ${CMAKE_MATCH_1})
    endif()
endif()
set(TESSEL_GNOME_SHELL ${detected_shell} CACHE STRING
    "Major version of the GNOME Shell the extension is for (43 or later)")

file(READ ${TESSEL_SHELL_INTERFACE_XML} TESSEL_SHELL_INTERFACE)
if(TESSEL_GNOME_SHELL VERSION_LESS 45)
    set(TESSEL_SHELL_VERSIONS [["43", "44"]])
else()
    set(TESSEL_SHELL_VERSIONS [["45", "46", "47", "48", "49"]])
endif()
configure_file(${shell_sources}/metadata.json.in ${TESSEL_SHELL_EXTENSION_DIR}/metadata.json
    @ONLY)
configure_file(${shell_sources}/extension.js.in ${TESSEL_SHELL_EXTENSION_DIR}/extension.js @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TESSEL_SHELL_INTERFACE_XML})

if(TESSEL_GNOME_SHELL VERSION_LESS 45)
    file(READ ${TESSEL_SHELL_EXTENSION_DIR}/extension.js script)
    string(REGEX REPLACE "import ([A-Za-z]+) from 'gi://([A-Za-z]+)';" "const \\1 = imports.gi.\\2;"
        script "${script}")
    string(REPLACE "import * as Main from 'resource:///org/gnome/shell/ui/main.js';"
        "const Main = imports.ui.main;" script "${script}")
    string(REPLACE "export default class" "class" script "${script}")
    string(APPEND script "\nfunction init() {\n    return new TesselExtension();\n}\n")
    file(WRITE ${TESSEL_SHELL_EXTENSION_DIR}/extension.js "${script}")
endif()

install(FILES ${TESSEL_SHELL_EXTENSION_DIR}/metadata.json ${TESSEL_SHELL_EXTENSION_DIR}/extension.js
    DESTINATION ${CMAKE_INSTALL_DATADIR}/gnome-shell/extensions/tessel@corvane.com)
install(FILES ${TESSEL_SHELL_INTERFACE_XML} DESTINATION ${CMAKE_INSTALL_DATADIR}/dbus-1/interfaces)
