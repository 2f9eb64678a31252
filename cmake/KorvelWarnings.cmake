function(korvel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
endfunction()

# Adds a Qt Test executable and registers it with CTest, headless.
function(korvel_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  korvel_warnings(${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests-bin)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KORVEL_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data;KORVEL_BUILD_DIR=${CMAKE_BINARY_DIR}"
    TIMEOUT 300)
endfunction()

# Builds a test database from the schema and the CSV files of the given folders
# into ${CMAKE_BINARY_DIR}/fixtures/<name>/korvel3.sqlite (target fixture_<name>).
# Tests copy it into a temporary folder (tests/support/FixtureDatabase.h).
function(korvel_fixture_database name)
  cmake_parse_arguments(F "" "" "DIRS" ${ARGN})
  set(out ${CMAKE_BINARY_DIR}/fixtures/${name}/korvel3.sqlite)
  set(deps)
  foreach(dir ${F_DIRS})
    file(GLOB csvs CONFIGURE_DEPENDS ${dir}/*.csv)
    list(APPEND deps ${csvs})
  endforeach()
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/fixtures/${name}
    COMMAND korvel3-dbbuild ${CMAKE_SOURCE_DIR}/data/schema.sql ${out} ${F_DIRS}
    DEPENDS korvel3-dbbuild ${CMAKE_SOURCE_DIR}/data/schema.sql ${deps}
    VERBATIM)
  add_custom_target(fixture_${name} ALL DEPENDS ${out})
endfunction()
