file(REMOVE_RECURSE
  "libheliodrum_record.a"
)
