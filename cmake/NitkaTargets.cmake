# Warnings for the project's own targets only; third-party headers stay quiet.
function(nitka_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
endfunction()

# One GoogleTest executable, linked to the maze library and the shared test fakes.
function(nitka_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE nitka_test_support GTest::gtest_main ${ARG_LIBS})
    nitka_warnings(${name})
    # Parameterised cases are named by their labels, not by a dump of their bytes.
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES PROPERTIES LABELS unit)
endfunction()
