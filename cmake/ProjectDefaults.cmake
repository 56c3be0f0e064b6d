# Compiler settings every target of the project shares.

if(TRACKER_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  # GCC's flow analysis misreads the instrumented std::regex and std::function
  # code as possibly uninitialised; the plain build keeps the warning. Clang
  # knows no such warning and would refuse the flag.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-Wno-maybe-uninitialized)
  endif()
  add_link_options(-fsanitize=address,undefined)
elseif(TRACKER_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT TRACKER_SANITIZE STREQUAL "")
  message(FATAL_ERROR "TRACKER_SANITIZE must be empty, 'address' or 'thread'")
endif()

# With TRACKER_FUZZ (clang only) everything is built with the coverage libFuzzer
# steers by; the fuzz targets themselves link libFuzzer (tests/fuzz). Without
# comparison hints (trace-cmp): the targets put their input together from the
# shapes the code expects, and the hints took a third to a half of their time
# (a hint for every loop test of the frame finder and the settings lookups)
# for no more coverage in runs from an empty corpus. Nor for the standard
# library's own functions (cmake/fuzz-coverage-ignore.txt says why).
option(TRACKER_FUZZ "Build the fuzz targets as libFuzzer programs (clang)" OFF)
if(TRACKER_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link -fno-sanitize-coverage=trace-cmp
    -fsanitize-coverage-ignorelist=${PROJECT_SOURCE_DIR}/cmake/fuzz-coverage-ignore.txt)
endif()

# Warnings are errors in the project's own scripts and CI (TRACKER_WERROR, set by
# scripts/build.sh); a user's build of any type only shows them, so a newer or
# older compiler's new warning never stops it.
option(TRACKER_WERROR "Treat compiler warnings as errors" OFF)
function(tracker_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  # GCC 12 at -O3 reports overlapping copies inside std::string's own
  # concatenation that cannot happen (its bug 105329); the warning is off there.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE $<$<CONFIG:Release>:-Wno-restrict>)
  endif()
  if(TRACKER_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A core library: standard C++ only, headers included as "folder/file.h".
function(tracker_core_library target)
  add_library(${target} STATIC ${ARGN})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  tracker_defaults(${target})
endfunction()

# Test programs of a ThreadSanitizer build carry the suppressions for Qt.
function(tracker_test_defaults target)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  tracker_defaults(${target})
  if(TRACKER_SANITIZE STREQUAL "thread")
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/tsan_suppressions.cpp)
  endif()
endfunction()

# What every test runs with: offscreen widgets, and a data folder of the
# build's own, so that no test records into the user's history.
set(TRACKER_TEST_ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen;XDG_DATA_HOME=${CMAKE_BINARY_DIR}/test-data")

# A GoogleTest executable registered with CTest.
function(tracker_test target)
  add_executable(${target} ${ARGN})
  tracker_test_defaults(${target})
  target_link_libraries(${target} PRIVATE GTest::gtest GTest::gtest_main GTest::gmock)
  # A cross-built test lists its cases when CTest runs, under the emulator.
  if(CMAKE_CROSSCOMPILING)
    set(discovery PRE_TEST)
  else()
    set(discovery POST_BUILD)
  endif()
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 DISCOVERY_MODE ${discovery}
    PROPERTIES ENVIRONMENT "${TRACKER_TEST_ENVIRONMENT}")
endfunction()

# Adds each listed sub-folder that already has a CMakeLists.txt.
# TRACKER_SKIP_FOLDERS (a list of paths relative to the project root) leaves
# folders out of a development build.
set(TRACKER_SKIP_FOLDERS "" CACHE STRING "Folders to leave out of the build")
function(tracker_add_folders)
  file(RELATIVE_PATH here ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  foreach(dir ${ARGN})
    if("${here}/${dir}" IN_LIST TRACKER_SKIP_FOLDERS)
      continue()
    endif()
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()

include(GoogleTest)

# Qt's DLLs for Windows use the shared GCC runtime (shipped beside them); the
# programs of the calling folder share it with them instead of carrying a
# second, static copy (the toolchain links the other programs statically).
macro(tracker_shared_gcc_runtime)
  if(MINGW)
    string(REPLACE "-static" "" CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS}")
  endif()
endmacro()
