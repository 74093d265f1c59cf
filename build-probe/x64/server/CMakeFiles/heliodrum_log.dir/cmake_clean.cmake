file(REMOVE_RECURSE
  "CMakeFiles/heliodrum_log.dir/log_channel.cpp.obj"
  "CMakeFiles/heliodrum_log.dir/log_channel.cpp.obj.d"
  "CMakeFiles/heliodrum_log.dir/process_handles.cpp.obj"
  "CMakeFiles/heliodrum_log.dir/process_handles.cpp.obj.d"
  "libheliodrum_log.a"
  "libheliodrum_log.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/heliodrum_log.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
