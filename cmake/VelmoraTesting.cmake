# velmora_add_test(<name> SOURCES ... [LIBS ...] [DISPLAY|XORG|OWN_DISPLAY] [DEMO] [LABELS ...])
# velmora_add_test(<name> COMMAND ... [DISPLAY|XORG|OWN_DISPLAY] [DEMO] [LABELS ...])
#
# Builds a QtTest executable (or takes the given command, a script) and
# registers it with CTest.  Tests run on the offscreen platform unless
# DISPLAY or XORG is given; DISPLAY tests run on the virtual X server started
# by the `xvnc` fixture, XORG tests on the real Xorg server with the dummy
# video driver of the `xorg` fixture (two heads); OWN_DISPLAY tests start an
# X server of their own.  Labels say what a test needs: `unit` (offscreen, no
# X server; the sanitizer pass runs these), `display`
# (an X server), `xorg` (the Xorg one), `demo` (the demo content server of
# the `demo_server` fixture, which DEMO tests require).  Every test gets its own
# XDG_CONFIG_HOME so that nothing touches the real user's settings.
# The leak checker does not track the dynamic TLS of libraries loaded at run
# time: with this toolchain it reads it wrongly and crashes at exit.  Static
# TLS is still scanned, so Qt's per-thread data is not taken for a leak.
set(VELMORA_TEST_DISPLAY ":87" CACHE STRING "X display number the test X server uses")
set(VELMORA_XORG_DISPLAY ":85" CACHE STRING "X display number the test Xorg server uses")
set(VELMORA_DEMO_PORT "18741" CACHE STRING "Loopback port of the demo server during tests")

# The web engine's sandbox refuses to start as root; only then do the tests
# switch it off.  The program itself never does.
execute_process(COMMAND id -u OUTPUT_VARIABLE velmora_uid OUTPUT_STRIP_TRAILING_WHITESPACE)
if(velmora_uid STREQUAL "0")
    set(VELMORA_TESTS_AS_ROOT ON)
endif()

function(velmora_add_test name)
    cmake_parse_arguments(T "DISPLAY;XORG;OWN_DISPLAY;DEMO" "" "SOURCES;LIBS;LABELS;COMMAND" ${ARGN})
    if(T_COMMAND)
        add_test(NAME ${name} COMMAND ${T_COMMAND})
    else()
        add_executable(${name} ${T_SOURCES})
        target_link_libraries(${name} PRIVATE Qt6::Test velmora_test_support ${T_LIBS})
        add_test(NAME ${name} COMMAND ${name})
    endif()
    set(env
        "XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-home/${name}"
        "VELMORA_BUILD_BIN=${CMAKE_BINARY_DIR}/bin"
        "VELMORA_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
        "VELMORA_CONTENT_SERVER=127.0.0.1:${VELMORA_DEMO_PORT}"
        "VELMORA_WEB_SITE=127.0.0.1:${VELMORA_DEMO_PORT}"
        "QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu --disable-background-networking --disable-component-update"
        "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0:intercept_tls_get_addr=0"
        "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
    if(VELMORA_TESTS_AS_ROOT)
        list(APPEND env "QTWEBENGINE_DISABLE_SANDBOX=1")
    endif()
    set(fixtures "")
    set(labels ${T_LABELS})
    if(T_DISPLAY)
        list(APPEND env "DISPLAY=${VELMORA_TEST_DISPLAY}" "QT_QPA_PLATFORM=xcb")
        list(APPEND fixtures xvnc)
        list(APPEND labels display)
    elseif(T_XORG)
        list(APPEND env "DISPLAY=${VELMORA_XORG_DISPLAY}" "QT_QPA_PLATFORM=xcb")
        list(APPEND fixtures xorg)
        list(APPEND labels display xorg)
    elseif(T_OWN_DISPLAY)
        list(APPEND labels display)
    else()
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
        list(APPEND labels unit)
    endif()
    if(T_DEMO)
        if(NOT T_COMMAND)
            add_dependencies(${name} demo_content)
        endif()
        list(APPEND fixtures demo_server)
        list(APPEND labels demo)
    endif()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" LABELS "${labels}" TIMEOUT 300)
    if(fixtures)
        set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${fixtures}")
    endif()
    if(T_DISPLAY)
        # One X server serves every display test: windows of two tests at
        # once would steal each other's pointer and focus.
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK x_display)
    elseif(T_XORG)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK xorg_display)
    endif()
endfunction()

# Runs the DISPLAY test `name` a second time, as <name>_xorg, on the Xorg
# server with the dummy driver: what holds on Xvnc must hold on a real
# server's RandR too.
function(velmora_also_on_xorg name)
    get_test_property(${name} ENVIRONMENT env)
    list(TRANSFORM env REPLACE "^DISPLAY=.*" "DISPLAY=${VELMORA_XORG_DISPLAY}")
    add_test(NAME ${name}_xorg COMMAND ${name})
    set_tests_properties(${name}_xorg PROPERTIES ENVIRONMENT "${env}" LABELS "display;xorg"
                         TIMEOUT 300 FIXTURES_REQUIRED xorg RESOURCE_LOCK xorg_display)
endfunction()
