# Writes the Debian copyright file, taking the font's licence and the paintings' credits from
# the files beside them so that neither is written twice.

# A licence text as a field's continuation: each line indented, empty lines as " .".
function(tessel_as_continuation text out)
    string(STRIP "${text}" text)
    string(REPLACE "\n" "\n " text " ${text}")
    # Twice, because one blank line's match uses up the newline that starts the next.
    foreach(pass 1 2)
        string(REGEX REPLACE "\n[ \t]*\n" "\n .\n" text "${text}")
    endforeach()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# One line per painting: its Met object number, artist, title and date.
function(tessel_painting_credits art_json out)
    file(READ ${art_json} art)
    string(JSON count LENGTH "${art}")
    math(EXPR last "${count} - 1")
    set(lines "")
    foreach(i RANGE ${last})
        string(JSON id GET "${art}" ${i} id)
        set(credit "")
        # Some works have no known artist.
        foreach(field artist title date)
            string(JSON value GET "${art}" ${i} ${field})
            if(NOT value STREQUAL "")
                string(APPEND credit ", ${value}")
            endif()
        endforeach()
        string(SUBSTRING "${credit}" 2 -1 credit)
        string(APPEND lines "\n ${id}: ${credit}")
    endforeach()
    string(STRIP "${lines}" lines)
    set(${out} " ${lines}" PARENT_SCOPE)
endfunction()

function(tessel_debian_copyright template output)
    set(resources ${PROJECT_SOURCE_DIR}/resources)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
        ${resources}/fonts/OFL.txt ${resources}/art/art.json)
    file(READ ${resources}/fonts/OFL.txt ofl)
    tessel_as_continuation("${ofl}" TESSEL_OFL)
    tessel_painting_credits(${resources}/art/art.json TESSEL_PAINTINGS)
    configure_file(${template} ${output} @ONLY)
endfunction()
