# Empty compiler generated dependencies file for heliodrum_crash.
# This may be replaced when dependencies are built.
