file(REMOVE_RECURSE
  "../bin/toolkit_tests.exe"
  "../bin/toolkit_tests.pdb"
  "CMakeFiles/toolkit_tests.dir/toolkit/failing_heap.cpp.obj"
  "CMakeFiles/toolkit_tests.dir/toolkit/failing_heap.cpp.obj.d"
  "CMakeFiles/toolkit_tests.dir/toolkit/format_test.cpp.obj"
  "CMakeFiles/toolkit_tests.dir/toolkit/format_test.cpp.obj.d"
  "CMakeFiles/toolkit_tests.dir/toolkit/ordered_map_test.cpp.obj"
  "CMakeFiles/toolkit_tests.dir/toolkit/ordered_map_test.cpp.obj.d"
  "CMakeFiles/toolkit_tests.dir/toolkit/owned_vector_test.cpp.obj"
  "CMakeFiles/toolkit_tests.dir/toolkit/owned_vector_test.cpp.obj.d"
  "CMakeFiles/toolkit_tests.dir/toolkit/shared_text_test.cpp.obj"
  "CMakeFiles/toolkit_tests.dir/toolkit/shared_text_test.cpp.obj.d"
  "CMakeFiles/toolkit_tests.dir/toolkit/text_conversion_test.cpp.obj"
  "CMakeFiles/toolkit_tests.dir/toolkit/text_conversion_test.cpp.obj.d"
  "libtoolkit_tests.dll.a"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/toolkit_tests.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
