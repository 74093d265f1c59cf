# 32-bit Windows build (the product). Its tests run under the 32-bit Wine
# loader, itself under qemu on a kernel without 32-bit support.
set(HELIODRUM_ARCH x86)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(_triple i686-w64-mingw32)
set(_wine_loader /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
