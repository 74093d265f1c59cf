# Shared by the two MinGW-w64 cross builds; the including file sets
# HELIODRUM_ARCH, _triple, CMAKE_SYSTEM_PROCESSOR and _wine_loader first.
# The -posix compilers are needed: GoogleTest uses std::mutex, which the -win32
# thread model lacks.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests run under the matching Wine loader.
set(CMAKE_CROSSCOMPILING_EMULATOR ${_wine_loader})
