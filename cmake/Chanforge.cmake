# Shared build helpers. Sources are globbed so that work on different folders
# never touches the same build file.

# cf_add_library(<name> [DEPS <targets...>])
# Builds every .cpp below the current folder into library <name>; a folder
# with headers only becomes an interface library.
function(cf_add_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  set(has_cpp FALSE)
  foreach(s IN LISTS srcs)
    if(s MATCHES "\\.cpp$")
      set(has_cpp TRUE)
    endif()
  endforeach()
  if(has_cpp)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

set(CF_TEST_ENV
    "QT_QPA_PLATFORM=offscreen"
    "QT_FONT_DPI=96"
    "CHANFORGE_TESTDATA=${PROJECT_SOURCE_DIR}/tests/testdata"
    "CHANFORGE_SOURCE=${PROJECT_SOURCE_DIR}")

# cf_add_test(<binary> SOURCES <files...> LIBS <targets...> [QT] [ENV <k=v...>]
#             [PROPERTIES <ctest properties...>])
# One GoogleTest binary; each test case becomes its own CTest entry so that
# ctest -j runs them in parallel. QT gives the binary a main that creates the
# QApplication (headless through the offscreen platform).
function(cf_add_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS;ENV;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} cf_qt_test_main GTest::gtest GTest::gmock)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
  endif()
  set(env ${CF_TEST_ENV} "CHANFORGE_CONFIG=${CMAKE_CURRENT_BINARY_DIR}/${name}-config.ini" ${ARG_ENV})
  # gtest_discover_tests flattens a list-valued ENVIRONMENT property, so the
  # environment travels through the launcher instead (it also covers discovery).
  set_property(TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env ${env})
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    DISCOVERY_MODE PRE_TEST
    PROPERTIES TIMEOUT 300 ${ARG_PROPERTIES})
endfunction()

# cf_add_bench(<binary> SOURCES <files...> LIBS <targets...>)
function(cf_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark_main)
endfunction()

# cf_add_fuzzer(<binary> SOURCES <files...> LIBS <targets...>)
function(cf_add_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()

# Adds every subfolder of the current folder that has its own CMakeLists.txt.
function(cf_add_subfolders)
  file(GLOB children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child}
       AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
