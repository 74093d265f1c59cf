file(REMOVE_RECURSE
  "CMakeFiles/heliodrum_record.dir/plugin_info.cpp.obj"
  "CMakeFiles/heliodrum_record.dir/plugin_info.cpp.obj.d"
  "libheliodrum_record.a"
  "libheliodrum_record.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/heliodrum_record.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
