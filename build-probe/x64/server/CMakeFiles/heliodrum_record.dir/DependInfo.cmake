
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/server/plugin_info.cpp" "server/CMakeFiles/heliodrum_record.dir/plugin_info.cpp.obj" "gcc" "server/CMakeFiles/heliodrum_record.dir/plugin_info.cpp.obj.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build-probe/x64/server/CMakeFiles/heliodrum_log.dir/DependInfo.cmake"
  "/work/main/build-probe/x64/toolkit/CMakeFiles/heliodrum_toolkit.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
