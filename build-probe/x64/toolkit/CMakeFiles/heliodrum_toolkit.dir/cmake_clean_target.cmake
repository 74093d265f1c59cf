file(REMOVE_RECURSE
  "libheliodrum_toolkit.a"
)
