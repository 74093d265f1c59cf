# Empty dependencies file for heliodrum_crash.
# This may be replaced when dependencies are built.
