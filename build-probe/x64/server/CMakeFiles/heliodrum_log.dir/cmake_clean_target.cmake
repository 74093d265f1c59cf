file(REMOVE_RECURSE
  "libheliodrum_log.a"
)
