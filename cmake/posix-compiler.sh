#!/bin/sh
# Compiler and linker launcher of the GoogleTest programs: runs the -posix
# twin of the -win32 MinGW compiler it is handed. GoogleTest needs std::mutex,
# which the win32 thread model of GCC 12 lacks; nothing that ships is built
# this way.
compiler=$1
shift
exec "${compiler%-win32}-posix" "$@"
