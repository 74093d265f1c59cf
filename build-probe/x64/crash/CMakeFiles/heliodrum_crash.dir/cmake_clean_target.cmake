file(REMOVE_RECURSE
  "libheliodrum_crash.a"
)
