# Compile settings for the suite's own targets (not for GoogleTest).
option(TIVEN_WERROR "Treat warnings as errors" OFF)
# Each test program's sources compiled as one file: the GoogleTest, Windows and support headers
# are read once per program instead of once per source, which nearly halves the compile time of
# the programs with many sources. The sources of one program share one unnamed namespace and every
# file-scope `using` then: names must not clash. CI builds so (tools/build.sh); local builds
# compile file by file, so an edit recompiles one source.
option(TIVEN_UNITY_TESTS "Compile each test program's sources as one" OFF)

add_library(tiven_defaults INTERFACE)
target_compile_definitions(tiven_defaults INTERFACE
    UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)
target_compile_options(tiven_defaults INTERFACE -Wall -Wextra
    $<$<BOOL:${TIVEN_WERROR}>:-Werror>)
target_compile_features(tiven_defaults INTERFACE cxx_std_17)

# tiven_program(name SOURCES ... LIBS ... [CONSOLE] [NARROW] [OWN_ENTRY]) : a program.
# A windowed program starts in the framework's entry point, which runs the program's one
# CWinApp object (framework/AppEntry.cpp): wWinMain with the wide command line, or with NARROW
# WinMain with the command line in the system code page (linked without -municode). CONSOLE
# programs (wmain) and OWN_ENTRY programs (their own wWinMain) write their entry themselves.
function(tiven_program name)
    cmake_parse_arguments(P "CONSOLE;NARROW;OWN_ENTRY" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${P_SOURCES})
    target_link_libraries(${name} PRIVATE tiven_defaults ${P_LIBS})
    if(NOT P_CONSOLE AND NOT P_OWN_ENTRY)
        target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/framework/AppEntry.cpp)
        target_link_libraries(${name} PRIVATE tiven_framework)
    endif()
    if(P_NARROW)
        target_compile_definitions(${name} PRIVATE TIVEN_NARROW_ENTRY)
    else()
        target_link_options(${name} PRIVATE -municode)
    endif()
    if(NOT P_CONSOLE)
        target_link_options(${name} PRIVATE -mwindows)
    endif()
endfunction()

# tiven_test(name SOURCES ... LIBS ... [LOCK resource...] [STANDINS] [EMULATOR program]) : a
# GoogleTest program run under Wine. EMULATOR replaces tools/wine-run as the program that runs it
# (tools/wine-fresh-run: each test in a fresh prefix of its own). LOCK serialises tests that share
# state outside their own process (the prefix
# registry, the stand-in drivers, the display). STANDINS: the tests use the stand-in drivers;
# they link the stand-in client, building them also builds rilo.sys, meka.sys and standin-ctl
# (tools/test.sh starts the stand-ins when rilo.sys is in the bin folder), and they hold the
# lock "standin".
function(tiven_test name)
    cmake_parse_arguments(T "STANDINS" "EMULATOR" "SOURCES;LIBS;LOCK;PROPERTIES" ${ARGN})
    add_executable(${name} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/UnbufferedOutput.cpp)
    target_link_libraries(${name} PRIVATE tiven_defaults tiven_testsupport GTest::gmock GTest::gtest_main ${T_LIBS})
    if(TIVEN_UNITY_TESTS)
        set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 0)
    endif()
    if(T_STANDINS)
        target_link_libraries(${name} PRIVATE tiven_standin_client)
        add_dependencies(${name} rilo_sys meka_sys standin-ctl)
        list(APPEND T_LOCK standin)
    endif()
    if(T_EMULATOR)
        set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR ${T_EMULATOR})
    endif()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
        PROPERTIES TIMEOUT 120 ${T_PROPERTIES})
    if(T_LOCK)
        # A list handed to gtest_discover_tests' PROPERTIES reaches CTest split up (only its first
        # element would hold), so the locks are set on the discovered tests by an include script.
        tiven_lock_tests(${name} "\${${name}_TESTS}" "if(DEFINED ${name}_TESTS)" ${T_LOCK})
    endif()
endfunction()

# tiven_lock_tests(key tests condition locks...): an include script, run when CTest starts, that
# gives the tests (a CTest expression) the locks when `condition` holds. Where the harness gave
# CTest several shards (prefixes, each with its own display, stand-ins, registry and tray;
# TIVEN_SHARDS), a locked test takes a whole shard instead (resource "shard", one slot each), so
# such tests run one per shard.
function(tiven_lock_tests key tests condition)
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${key}_locks.cmake)
    file(WRITE ${script}
        "${condition}\n"
        "  if(\"\$ENV{TIVEN_SHARDS}\" GREATER 1)\n"
        "    set_tests_properties(${tests} PROPERTIES RESOURCE_GROUPS shard:1)\n"
        "  else()\n"
        "    set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK \"${ARGN}\")\n"
        "  endif()\n"
        "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()

# tiven_cpl_def(in out): configures a Control Panel applet's .def file from `in` into `out`, with
# @CPLAPPLET_ALIAS@ set: CPlApplet is exported by its plain name, and on i686 the stdcall symbol
# is CPlApplet@16.
function(tiven_cpl_def in out)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(CPLAPPLET_ALIAS " = CPlApplet@16")
    else()
        set(CPLAPPLET_ALIAS "")
    endif()
    configure_file(${in} ${out} @ONLY)
endfunction()
