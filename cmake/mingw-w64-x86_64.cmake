# Cross build for 64-bit Windows with MinGW-w64 (the posix thread model, which
# std::thread and std::mutex need), the programs and tests run under Wine.
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SKINWRT_MINGW_PREFIX x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${SKINWRT_MINGW_PREFIX}-gcc-posix ${SKINWRT_MINGW_PREFIX}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${SKINWRT_MINGW_PREFIX}-g++-posix ${SKINWRT_MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${SKINWRT_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${SKINWRT_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The runtime libraries are linked in, so a program runs without DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests (and their discovery) run through Wine, in a prefix of the build tree's own,
# without a display and without Wine's own messages.
find_program(SKINWRT_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(SKINWRT_WINE NAMES wine64 wine)
if(SKINWRT_WINE)
  set(SKINWRT_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix the tests run in")
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
      WINEPREFIX=${SKINWRT_WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= ${SKINWRT_WINE})
  # Programs that open windows get a virtual display of their own for each run.
  find_program(SKINWRT_XVFB_RUN xvfb-run)
  if(SKINWRT_XVFB_RUN)
    set(SKINWRT_DISPLAY_EMULATOR
        ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
        WINEPREFIX=${SKINWRT_WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
        ${SKINWRT_XVFB_RUN} -a ${SKINWRT_WINE})
  endif()
endif()
