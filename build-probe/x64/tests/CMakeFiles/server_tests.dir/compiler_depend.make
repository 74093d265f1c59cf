# Empty compiler generated dependencies file for server_tests.
# This may be replaced when dependencies are built.
