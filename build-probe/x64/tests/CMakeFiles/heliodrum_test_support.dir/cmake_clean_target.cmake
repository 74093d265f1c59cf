file(REMOVE_RECURSE
  "libheliodrum_test_support.a"
)
