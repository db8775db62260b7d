include(GoogleTest)

# nimba_add_test(<name> [THREADED] SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable, its cases registered with CTest one by one. THREADED tests
# exercise more than one thread and also run under ThreadSanitizer (label "threads").
function(nimba_add_test name)
    cmake_parse_arguments(ARG "THREADED" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main Threads::Threads)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${NIMBA_TEST_DIR})
    # Test discovery splits a list-valued ENVIRONMENT property and keeps only its first entry,
    # so the variables are set by running each test through `cmake -E env` instead.
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
        "${CMAKE_COMMAND};-E;env;QT_QPA_PLATFORM=offscreen;NIMBA_SOURCE_DIR=${CMAKE_SOURCE_DIR};NIMBA_BIN_DIR=${NIMBA_BIN_DIR};NIMBA_DEMO_DIR=${NIMBA_DEMO_DIR}")
    if(ARG_THREADED)
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS threads)
        set_property(GLOBAL APPEND PROPERTY NIMBA_THREADED_TESTS ${name})
    else()
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
    endif()
endfunction()
