# Empty compiler generated dependencies file for heliodrum_toolkit.
# This may be replaced when dependencies are built.
