# One place for the language level, warnings and sanitizers; tests/ registers the tests.

option(TESSEL_WERROR "Treat warnings as errors" OFF)
option(TESSEL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(TESSEL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

option(TESSEL_BUILD_FUZZERS "Build the libFuzzer targets in fuzz/ (needs clang++)" OFF)

if(TESSEL_BUILD_FUZZERS)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "TESSEL_BUILD_FUZZERS needs clang++: -DCMAKE_CXX_COMPILER=clang++")
    endif()
    # Every library is instrumented for coverage; only the fuzz targets take libFuzzer's main.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

add_compile_definitions(QT_DISABLE_DEPRECATED_UP_TO=0x060400 QT_NO_KEYWORDS)

function(tessel_apply_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast -Wsuggest-override
        -Wnon-virtual-dtor -Woverloaded-virtual -Wmissing-declarations)
    if(TESSEL_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

option(TESSEL_PRECOMPILE "Precompile the Qt and standard headers every target includes" ON)

# The headers most sources include; parsing them once per target saves most of a cold build.
set(TESSEL_COMMON_HEADERS <QList> <QObject> <QString> <QImage> <QPainter> <algorithm> <cmath>
    <functional> <memory> <optional> <vector>)
set(TESSEL_WIDGET_HEADERS <QHBoxLayout> <QLabel> <QVBoxLayout> <QWidget>)

# tessel_precompile(TARGET [WIDGETS] [HEADERS ...])
function(tessel_precompile target)
    cmake_parse_arguments(ARG "WIDGETS" "" "HEADERS" ${ARGN})
    if(NOT TESSEL_PRECOMPILE)
        return()
    endif()
    set(headers ${TESSEL_COMMON_HEADERS} ${ARG_HEADERS})
    if(ARG_WIDGETS)
        list(APPEND headers ${TESSEL_WIDGET_HEADERS})
    endif()
    target_precompile_headers(${target} PRIVATE ${headers})
endfunction()

# Every string that reaches the interface or a file says how it is encoded.
function(tessel_apply_strict_strings target)
    target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_URL_CAST_FROM_STRING
        QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
endfunction()

# tessel_library(NAME SOURCES ... LIBS ...)
function(tessel_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    tessel_apply_warnings(${name})
    tessel_apply_strict_strings(${name})
    if("Qt6::Widgets" IN_LIST ARG_LIBS)
        tessel_precompile(${name} WIDGETS)
    else()
        tessel_precompile(${name})
    endif()
endfunction()

# tessel_fuzzer(NAME SOURCES ... LIBS ...)
function(tessel_fuzzer name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    tessel_apply_warnings(${name})
endfunction()
