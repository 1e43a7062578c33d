# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers (package
# g++-mingw-w64-x86-64; the -posix ones, whose C++ runtime has std::thread):
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The programs and the DLL carry the C and C++ runtimes and winpthreads inside
# (static runtime): they need no MinGW DLL beside them. Tests run under Wine
# (wine64), found by the project's CMakeLists.txt.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(STEAMCALC_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${STEAMCALC_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${STEAMCALC_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${STEAMCALC_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${STEAMCALC_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
