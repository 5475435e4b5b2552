# Cross-compiling for Windows x64 with Debian's mingw-w64 (POSIX thread model, so that the C++
# runtime's threads and mutexes work; the runtime is linked statically into every DLL).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(NIRA_MINGW_TRIPLET x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${NIRA_MINGW_TRIPLET}-gcc-posix ${NIRA_MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${NIRA_MINGW_TRIPLET}-g++-posix ${NIRA_MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${NIRA_MINGW_TRIPLET}-windres REQUIRED)
find_program(NIRA_OBJDUMP NAMES ${NIRA_MINGW_TRIPLET}-objdump REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${NIRA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests run under Wine when it is there.
find_program(NIRA_WINE NAMES wine64 wine)
if(NIRA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${NIRA_WINE})
endif()
