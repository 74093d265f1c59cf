file(REMOVE_RECURSE
  "CMakeFiles/heliodrum_toolkit.dir/format.cpp.obj"
  "CMakeFiles/heliodrum_toolkit.dir/format.cpp.obj.d"
  "CMakeFiles/heliodrum_toolkit.dir/heap.cpp.obj"
  "CMakeFiles/heliodrum_toolkit.dir/heap.cpp.obj.d"
  "CMakeFiles/heliodrum_toolkit.dir/text_conversion.cpp.obj"
  "CMakeFiles/heliodrum_toolkit.dir/text_conversion.cpp.obj.d"
  "libheliodrum_toolkit.a"
  "libheliodrum_toolkit.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/heliodrum_toolkit.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
