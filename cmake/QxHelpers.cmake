# qx_library(NAME DIR [DEPS ...]): a static library of every .cpp directly in DIR.
# Sources are globbed so that a new file in a folder needs no edit here.
function(qx_library name dir)
  file(GLOB _src CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT _src)
    # A folder without sources yet still provides its include path and dependencies.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
    return()
  endif()
  add_library(${name} STATIC ${_src})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()

# qx_test_suite(NAME DIR [DEPS ...]): one GoogleTest executable of every .cpp in DIR.
function(qx_test_suite name dir)
  file(GLOB _src CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT _src)
    return()
  endif()
  add_executable(${name} ${_src})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gmock GTest::gtest_main Threads::Threads)
  # The test file gets PROPERTIES only after several list expansions (the discovery command line
  # and the script behind it), each taking one backslash off an escaped ';'. ENVIRONMENT is a list,
  # so its separators carry enough backslashes to arrive as one value; with plain ';' only the
  # first variable would be set.
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen\\\\\\\\\\\\\\\\;LC_ALL=C\\\\\\\\\\\\\\\\;QX_TEST_BIN_DIR=${CMAKE_BINARY_DIR}/bin"
               TIMEOUT 300)
endfunction()

# qx_embed_text(TARGET FILE SYMBOL): compiles the text of FILE (relative to the calling folder)
# into TARGET as `extern const std::string_view SYMBOL;`, declared in the generated header
# "SYMBOL.h". Used for window descriptions, which the program keeps as readable files.
function(qx_embed_text target file symbol)
  set(_in ${CMAKE_CURRENT_SOURCE_DIR}/${file})
  set(_dir ${CMAKE_CURRENT_BINARY_DIR}/embedded/${target})
  add_custom_command(
    OUTPUT ${_dir}/${symbol}.cpp ${_dir}/${symbol}.h
    COMMAND ${CMAKE_COMMAND} -DIN=${_in} -DOUT_DIR=${_dir} -DSYMBOL=${symbol} -P ${PROJECT_SOURCE_DIR}/cmake/EmbedText.cmake
    DEPENDS ${_in} ${PROJECT_SOURCE_DIR}/cmake/EmbedText.cmake
    VERBATIM)
  target_sources(${target} PRIVATE ${_dir}/${symbol}.cpp)
  target_include_directories(${target} PRIVATE ${_dir})
endfunction()
