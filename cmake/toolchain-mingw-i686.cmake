# Cross build for 32-bit Windows with MinGW-w64, win32 thread model: the
# -posix compilers link winpthread statically, whose imports Windows 95 does
# not have. (The GoogleTest programs are the one exception, see
# TessalyTesting.cmake.)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(TESSALY_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${TESSALY_MINGW_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TESSALY_MINGW_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER ${TESSALY_MINGW_PREFIX}-windres)
set(CMAKE_DLLTOOL ${TESSALY_MINGW_PREFIX}-dlltool)
set(CMAKE_OBJDUMP ${TESSALY_MINGW_PREFIX}-objdump)
set(CMAKE_STRIP ${TESSALY_MINGW_PREFIX}-strip)

set(CMAKE_FIND_ROOT_PATH /usr/${TESSALY_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No runtime DLLs beside the program: libstdc++ and libgcc are linked in.
# Every file says it is for Windows 95 (subsystem and OS version 4.0).
set(TESSALY_WIN95_PE_FLAGS
    "-Wl,--major-subsystem-version,4,--minor-subsystem-version,0,--major-os-version,4,--minor-os-version,0")
# No link time in the files: the linker writes 0 as the time stamp of the PE
# header and of the export directory, so the same sources link to the same
# bytes at any hour (Windows 95 reads neither stamp; only bound imports, which
# the files do not have, compare the header's). The release archive's strip
# sets the header's stamp to the last commit's time (scripts/release.sh).
set(TESSALY_REPRODUCIBLE_LINK_FLAGS "-Wl,--no-insert-timestamp")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static ${TESSALY_WIN95_PE_FLAGS} ${TESSALY_REPRODUCIBLE_LINK_FLAGS}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static ${TESSALY_WIN95_PE_FLAGS} ${TESSALY_REPRODUCIBLE_LINK_FLAGS}")

# add_test(COMMAND <target>) runs through Wine in a throwaway prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
