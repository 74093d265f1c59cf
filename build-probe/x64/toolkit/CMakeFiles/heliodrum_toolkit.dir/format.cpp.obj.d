toolkit/CMakeFiles/heliodrum_toolkit.dir/format.cpp.obj: \
 /work/main/toolkit/format.cpp /work/main/toolkit/format.h \
 /usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/c++/cstdint \
 /usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/c++/x86_64-w64-mingw32/bits/c++config.h \
 /usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/c++/x86_64-w64-mingw32/bits/os_defines.h \
 /usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/c++/x86_64-w64-mingw32/bits/cpu_defines.h \
 /usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/c++/pstl/pstl_config.h \
 /usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/stdint.h \
 /usr/share/mingw-w64/include/stdint.h \
 /usr/share/mingw-w64/include/crtdefs.h \
 /usr/share/mingw-w64/include/corecrt.h \
 /usr/share/mingw-w64/include/_mingw.h \
 /usr/share/mingw-w64/include/_mingw_mac.h \
 /usr/share/mingw-w64/include/_mingw_secapi.h \
 /usr/share/mingw-w64/include/vadefs.h \
 /usr/share/mingw-w64/include/sdks/_mingw_ddk.h \
 /usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/stddef.h \
 /usr/share/mingw-w64/include/stddef.h /work/main/toolkit/shared_text.h \
 /usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/c++/cstring \
 /usr/share/mingw-w64/include/string.h \
 /usr/share/mingw-w64/include/sec_api/string_s.h \
 /work/main/toolkit/heap.h \
 /usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/c++/cstddef
