# CMake generated Testfile for 
# Source directory: /work/main
# Build directory: /work/main/build-probe/x64
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
subdirs("toolkit")
subdirs("server")
subdirs("probe")
subdirs("crash")
subdirs("badge")
subdirs("host")
subdirs("tests")
