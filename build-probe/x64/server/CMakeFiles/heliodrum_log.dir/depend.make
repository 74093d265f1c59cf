# Empty dependencies file for heliodrum_log.
# This may be replaced when dependencies are built.
