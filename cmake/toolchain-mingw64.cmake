# Cross-builds the Windows programs with Debian's mingw-w64 (x86_64, posix
# threads: the default win32 thread model has no std::thread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TRACKER_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TRACKER_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TRACKER_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TRACKER_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TRACKER_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The programs carry the GCC runtime (libgcc, libstdc++, winpthread) inside,
# so tracker-cli.exe runs without DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
