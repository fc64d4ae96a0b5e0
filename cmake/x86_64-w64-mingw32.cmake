# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (the posix thread model, which
# std::thread needs), and runs the built programs under Wine.
#
#   QUELVANE_WINDOWS_DEPS   the prefix holding the static SFML, FreeType and GoogleTest that
#                           scripts/windows.sh builds; searched like mingw's own folder
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUELVANE_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${QUELVANE_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows' x64 calling convention keeps the stack aligned to 16 bytes only, and GCC does not
# realign it for the 32-byte AVX values it spills there with aligned moves: such a move faults
# whenever the slot is not 32-byte aligned. The assembler writes every aligned vector move as its
# unaligned form, which runs as fast on aligned data.
set(CMAKE_C_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")
set(CMAKE_CXX_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")
# No libstdc++, libgcc or winpthread DLLs beside the program: it imports Windows' own DLLs only.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
