# Empty dependencies file for heliodrum_test_support.
# This may be replaced when dependencies are built.
