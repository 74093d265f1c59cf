# CMake generated Testfile for 
# Source directory: /work/main/tests
# Build directory: /work/main/build-probe/x64/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
add_test([=[x64.toolkit_tests]=] "/usr/lib/wine/wine64" "/work/main/build-probe/x64/bin/toolkit_tests.exe" "--gtest_brief=1")
set_tests_properties([=[x64.toolkit_tests]=] PROPERTIES  WORKING_DIRECTORY "/work/main/build-probe/x64/bin" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;22;add_test;/work/main/tests/CMakeLists.txt;26;heliodrum_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[x64.server_tests]=] "/usr/lib/wine/wine64" "/work/main/build-probe/x64/bin/server_tests.exe" "--gtest_brief=1")
set_tests_properties([=[x64.server_tests]=] PROPERTIES  WORKING_DIRECTORY "/work/main/build-probe/x64/bin" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;22;add_test;/work/main/tests/CMakeLists.txt;30;heliodrum_test;/work/main/tests/CMakeLists.txt;0;")
subdirs("../googletest")
