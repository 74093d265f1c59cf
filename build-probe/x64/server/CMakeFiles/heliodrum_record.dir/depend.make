# Empty dependencies file for heliodrum_record.
# This may be replaced when dependencies are built.
