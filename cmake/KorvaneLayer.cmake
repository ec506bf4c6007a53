# One static library per layer, made of every source file in its folder, so a
# new file needs no edit here.
function(korvane_layer name dir)
  file(GLOB _sources CONFIGURE_DEPENDS "${dir}/*.cpp" "${dir}/*.h")
  add_library(${name} STATIC ${_sources})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
endfunction()

# One test executable per layer, every test file in its folder; tests are
# listed when they run, so building never starts the program (or Wine).
function(korvane_layer_tests name dir)
  file(GLOB _sources CONFIGURE_DEPENDS "${dir}/*.cpp" "${dir}/*.h")
  if(NOT _sources)
    return()
  endif()
  add_executable(${name} ${_sources} ${ARGN})
  target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/src" "${PROJECT_SOURCE_DIR}/tests")
  target_compile_definitions(${name} PRIVATE KORVANE_FIXTURES_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
