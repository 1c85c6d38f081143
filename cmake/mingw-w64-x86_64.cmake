# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (packages g++-mingw-w64-x86-64, binutils-mingw-w64-x86-64).
#     cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_PREFIX_PATH=<Qt for Windows>
# The posix-thread compilers: their C++ library has std::thread and std::mutex, which Qt Test needs, and they are
# the ones the Qt for Windows made by scripts/windows-qt was built with.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORVA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORVA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVA_MINGW_TRIPLE}-windres)

# Libraries and headers come from the mingw-w64 sysroot and the Qt given in CMAKE_PREFIX_PATH; programs that run
# during the build (moc, uic, rcc) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${ORVA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
