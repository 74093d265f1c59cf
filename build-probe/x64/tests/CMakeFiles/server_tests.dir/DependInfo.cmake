
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tests/server/log_channel_test.cpp" "tests/CMakeFiles/server_tests.dir/server/log_channel_test.cpp.obj" "gcc" "tests/CMakeFiles/server_tests.dir/server/log_channel_test.cpp.obj.d"
  "/work/main/tests/server/plugin_info_test.cpp" "tests/CMakeFiles/server_tests.dir/server/plugin_info_test.cpp.obj" "gcc" "tests/CMakeFiles/server_tests.dir/server/plugin_info_test.cpp.obj.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build-probe/x64/server/CMakeFiles/heliodrum_record.dir/DependInfo.cmake"
  "/work/main/build-probe/x64/tests/CMakeFiles/heliodrum_test_support.dir/DependInfo.cmake"
  "/work/main/build-probe/x64/googletest/googletest/CMakeFiles/gtest_main.dir/DependInfo.cmake"
  "/work/main/build-probe/x64/server/CMakeFiles/heliodrum_log.dir/DependInfo.cmake"
  "/work/main/build-probe/x64/toolkit/CMakeFiles/heliodrum_toolkit.dir/DependInfo.cmake"
  "/work/main/build-probe/x64/googletest/googletest/CMakeFiles/gtest.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
