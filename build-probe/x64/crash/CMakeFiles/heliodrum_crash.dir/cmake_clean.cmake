file(REMOVE_RECURSE
  "CMakeFiles/heliodrum_crash.dir/crash_dump.cpp.obj"
  "CMakeFiles/heliodrum_crash.dir/crash_dump.cpp.obj.d"
  "libheliodrum_crash.a"
  "libheliodrum_crash.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/heliodrum_crash.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
