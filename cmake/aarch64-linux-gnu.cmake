# Cross-compiles for 64-bit Arm Debian (Raspberry Pi OS 64-bit and the like) with Debian's
# cross toolchain and the arm64 libraries of a multiarch host:
#   apt-get install crossbuild-essential-arm64 libsfml-dev:arm64 libgtest-dev:arm64 ...
#   cmake -S . -B build-arm64 -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake
# With binfmt_misc absent, an arm64 binary runs only when started through qemu explicitly;
# ctest and the test discovery start the test binaries that way.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

find_program(QUELVANE_QEMU_AARCH64 qemu-aarch64-static)
if(QUELVANE_QEMU_AARCH64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUELVANE_QEMU_AARCH64})
endif()

# Libraries and headers for arm64 only, from the multiarch folders; programs from the host.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# cpack's Debian generator would otherwise name the build machine's architecture; its library
# dependencies need DEB_HOST_ARCH=arm64 in dpkg-shlibdeps' environment as well.
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
