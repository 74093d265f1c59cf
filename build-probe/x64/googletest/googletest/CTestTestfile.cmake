# CMake generated Testfile for 
# Source directory: /usr/src/googletest/googletest
# Build directory: /work/main/build-probe/x64/googletest/googletest
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
