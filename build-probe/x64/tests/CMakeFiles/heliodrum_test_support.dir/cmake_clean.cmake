file(REMOVE_RECURSE
  "CMakeFiles/heliodrum_test_support.dir/support/pipe_capture.cpp.obj"
  "CMakeFiles/heliodrum_test_support.dir/support/pipe_capture.cpp.obj.d"
  "libheliodrum_test_support.a"
  "libheliodrum_test_support.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/heliodrum_test_support.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
