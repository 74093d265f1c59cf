
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tests/toolkit/failing_heap.cpp" "tests/CMakeFiles/toolkit_tests.dir/toolkit/failing_heap.cpp.obj" "gcc" "tests/CMakeFiles/toolkit_tests.dir/toolkit/failing_heap.cpp.obj.d"
  "/work/main/tests/toolkit/format_test.cpp" "tests/CMakeFiles/toolkit_tests.dir/toolkit/format_test.cpp.obj" "gcc" "tests/CMakeFiles/toolkit_tests.dir/toolkit/format_test.cpp.obj.d"
  "/work/main/tests/toolkit/ordered_map_test.cpp" "tests/CMakeFiles/toolkit_tests.dir/toolkit/ordered_map_test.cpp.obj" "gcc" "tests/CMakeFiles/toolkit_tests.dir/toolkit/ordered_map_test.cpp.obj.d"
  "/work/main/tests/toolkit/owned_vector_test.cpp" "tests/CMakeFiles/toolkit_tests.dir/toolkit/owned_vector_test.cpp.obj" "gcc" "tests/CMakeFiles/toolkit_tests.dir/toolkit/owned_vector_test.cpp.obj.d"
  "/work/main/tests/toolkit/shared_text_test.cpp" "tests/CMakeFiles/toolkit_tests.dir/toolkit/shared_text_test.cpp.obj" "gcc" "tests/CMakeFiles/toolkit_tests.dir/toolkit/shared_text_test.cpp.obj.d"
  "/work/main/tests/toolkit/text_conversion_test.cpp" "tests/CMakeFiles/toolkit_tests.dir/toolkit/text_conversion_test.cpp.obj" "gcc" "tests/CMakeFiles/toolkit_tests.dir/toolkit/text_conversion_test.cpp.obj.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build-probe/x64/toolkit/CMakeFiles/heliodrum_toolkit.dir/DependInfo.cmake"
  "/work/main/build-probe/x64/tests/CMakeFiles/heliodrum_test_support.dir/DependInfo.cmake"
  "/work/main/build-probe/x64/googletest/googletest/CMakeFiles/gtest_main.dir/DependInfo.cmake"
  "/work/main/build-probe/x64/server/CMakeFiles/heliodrum_log.dir/DependInfo.cmake"
  "/work/main/build-probe/x64/googletest/googletest/CMakeFiles/gtest.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
