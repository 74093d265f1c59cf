file(REMOVE_RECURSE
  "../bin/server_tests.exe"
  "../bin/server_tests.pdb"
  "CMakeFiles/server_tests.dir/server/log_channel_test.cpp.obj"
  "CMakeFiles/server_tests.dir/server/log_channel_test.cpp.obj.d"
  "CMakeFiles/server_tests.dir/server/plugin_info_test.cpp.obj"
  "CMakeFiles/server_tests.dir/server/plugin_info_test.cpp.obj.d"
  "libserver_tests.dll.a"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/server_tests.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
