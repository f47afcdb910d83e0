# One static library per layer folder. Sources are picked up from the folder, so a new
# class is a new .h/.cpp pair and nothing else. A layer without sources yet is skipped.
set(CORVANE_LAYERS "")

function(corvane_layer name)
  file(GLOB _src CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/${name}/*.cpp ${CMAKE_SOURCE_DIR}/${name}/*.h)
  list(FILTER _src INCLUDE REGEX "\\.cpp$")
  if(NOT _src)
    return()
  endif()
  file(GLOB _hdr CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/*.h)
  add_library(corvane_${name} STATIC ${_src} ${_hdr})
  target_include_directories(corvane_${name} PUBLIC ${CMAKE_SOURCE_DIR})
  set(_deps "")
  foreach(dep IN LISTS ARGN)
    if(TARGET ${dep} OR dep MATCHES "^Qt6::")
      list(APPEND _deps ${dep})
    endif()
  endforeach()
  target_link_libraries(corvane_${name} PUBLIC ${_deps})
  target_compile_options(corvane_${name} PRIVATE -Wall -Wextra)
  target_compile_definitions(corvane_${name} PUBLIC QT_NO_KEYWORDS)
  set(CORVANE_LAYERS ${CORVANE_LAYERS} ${name} PARENT_SCOPE)
endfunction()

# A test executable per layer folder under tests/. GUI-free layers get GoogleTest's own
# main; widget layers provide a main that creates the QApplication.
function(corvane_layer_tests name)
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  if(NOT _src OR NOT TARGET corvane_${name})
    return()
  endif()
  add_executable(tests_${name} ${_src})
  target_link_libraries(tests_${name} PRIVATE corvane_${name} corvane_testsupport GTest::gtest Qt6::Test)
  if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/main.cpp)
    target_link_libraries(tests_${name} PRIVATE GTest::gtest_main)
  endif()
  target_include_directories(tests_${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_definitions(tests_${name} PRIVATE
    CORVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}" CORVANE_BINARY_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(tests_${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT ${CORVANE_TEST_TIMEOUT}
    DISCOVERY_TIMEOUT 60)
endfunction()
