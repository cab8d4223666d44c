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
# Every target runs threads through Qt; one flag for all keeps the shared precompiled headers
# valid wherever a library's own flags ask for it.
add_compile_options(-pthread)

function(tessel_apply_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast -Wsuggest-override
        -Wnon-virtual-dtor -Woverloaded-virtual -Wmissing-declarations
        # A precompiled header that does not fit is an error, not a silently slower build.
        -Winvalid-pch)
    if(TESSEL_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

option(TESSEL_PRECOMPILE "Precompile the Qt and standard headers every target includes" ON)

# The headers most sources include; parsing them once per target saves most of a cold build.
set(TESSEL_COMMON_HEADERS <QList> <QObject> <QString> <QImage> <QPainter> <algorithm> <cmath>
    <functional> <memory> <optional> <vector>)
set(TESSEL_WIDGET_HEADERS <QHBoxLayout> <QLabel> <QVBoxLayout> <QWidget>)

# tessel_precompile(TARGET [WIDGETS] [TESTS] [OWN])
# Targets of one kind share one precompiled header, built once by a small owner target with the
# same flags: built for each target, the headers cost a third of a cold build. OWN gives a
# target with flags of its own (the paper arithmetic) a header of its own.
function(tessel_precompile target)
    cmake_parse_arguments(ARG "WIDGETS;TESTS;OWN" "" "" ${ARGN})
    if(NOT TESSEL_PRECOMPILE)
        return()
    endif()
    set(headers ${TESSEL_COMMON_HEADERS})
    set(kind common)
    set(libs Qt6::Gui)
    if(ARG_WIDGETS OR ARG_TESTS)
        list(APPEND headers ${TESSEL_WIDGET_HEADERS})
        set(kind widgets)
        set(libs Qt6::Widgets)
    endif()
    if(ARG_TESTS)
        list(APPEND headers <gtest/gtest.h>)
        set(kind tests)
        list(APPEND libs GTest::gtest)
    endif()
    if(ARG_OWN)
        target_precompile_headers(${target} PRIVATE ${headers})
        return()
    endif()
    set(owner tessel_precompiled_${kind})
    if(NOT TARGET ${owner})
        set(source ${PROJECT_BINARY_DIR}/${owner}.cpp)
        file(CONFIGURE OUTPUT ${source} CONTENT "")
        add_library(${owner} OBJECT ${source})
        target_link_libraries(${owner} PRIVATE ${libs})
        tessel_apply_warnings(${owner})
        if(NOT ARG_TESTS)
            tessel_apply_strict_strings(${owner})
        endif()
        target_precompile_headers(${owner} PRIVATE ${headers})
    endif()
    target_precompile_headers(${target} REUSE_FROM ${owner})
endfunction()

# Every string that reaches the interface or a file says how it is encoded.
function(tessel_apply_strict_strings target)
    target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_URL_CAST_FROM_STRING
        QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
endfunction()

# Every formula of the paper rounds exactly as written: no fused multiply-adds, whatever the
# target. The pixel loops are written for the vectoriser, and the other flags change no
# computed value: sqrt need not set errno, comparisons need not keep FP exception flags, and
# the dynamic cost model lets -O2 vectorise loops of unknown length as -O3 does.
set(TESSEL_PAPER_ARITHMETIC -ffp-contract=off -fno-math-errno -fno-trapping-math
    $<$<CXX_COMPILER_ID:GNU>:-fvect-cost-model=dynamic>)

# tessel_library(NAME SOURCES ... LIBS ... [PAPER_ARITHMETIC])
function(tessel_library name)
    cmake_parse_arguments(ARG "PAPER_ARITHMETIC" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    tessel_apply_warnings(${name})
    tessel_apply_strict_strings(${name})
    if(ARG_PAPER_ARITHMETIC)
        target_compile_options(${name} PRIVATE ${TESSEL_PAPER_ARITHMETIC})
        # These flags change what <cmath> declares: the shared header does not fit.
        tessel_precompile(${name} OWN)
    elseif("Qt6::Widgets" IN_LIST ARG_LIBS)
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
