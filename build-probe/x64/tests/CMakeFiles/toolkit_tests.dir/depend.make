# Empty dependencies file for toolkit_tests.
# This may be replaced when dependencies are built.
