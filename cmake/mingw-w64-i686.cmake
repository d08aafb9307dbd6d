# Cross-builds the 32-bit Windows program with Debian's MinGW-w64 (mingw-w64-i686-dev).
#
# QUILLFEN_THREAD_MODEL picks the compiler's thread model:
#   win32  the program that ships: its runtime imports nothing Windows 95 lacks (the default);
#   posix  the test program: GoogleTest needs std::mutex, which GCC 12's win32 model lacks. Its
#          runtime (winpthreads) imports calls old Windows lacks, so it is never shipped.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 4.0)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(QUILLFEN_THREAD_MODEL win32 CACHE STRING "MinGW-w64 thread model: win32 (shipped) or posix (tests)")
set_property(CACHE QUILLFEN_THREAD_MODEL PROPERTY STRINGS win32 posix)
# try_compile projects read the toolchain again; they must pick the same compiler.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QUILLFEN_THREAD_MODEL)

set(triple i686-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-${QUILLFEN_THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${triple}-g++-${QUILLFEN_THREAD_MODEL})
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_OBJDUMP ${triple}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The oldest Windows the program names: 95 and NT 4.0. The headers then offer only what those
# have; a later call is loaded with GetProcAddress where it is worth having.
set(CMAKE_C_FLAGS_INIT "-D_WIN32_WINNT=0x0400 -DWINVER=0x0400")
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=0x0400 -DWINVER=0x0400")
# Static: the exe needs no DLL beside it and no runtime to install. Subsystem and OS version
# 4.0, so that Windows 95 and NT 4.0 agree to load it.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static -static-libgcc -static-libstdc++ -Wl,--major-subsystem-version,4,--minor-subsystem-version,0,--major-os-version,4,--minor-os-version,0")
# The shipped exe is built for size (MinSizeRel) and stripped.
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL_INIT "-s")
