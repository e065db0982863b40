# Shared part of the two mingw-w64 toolchain files. TIVEN_TRIPLE is set by the caller.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER   ${TIVEN_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TIVEN_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${TIVEN_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TIVEN_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Every program and DLL carries its own runtime so it runs alone.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
# Tests run under Wine through a wrapper that refuses to run without a private prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
