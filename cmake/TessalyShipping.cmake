# What the shipping files (Tessaly.exe, Pellix.dll) are built with: code for
# the i486, no exceptions, no RTTI, no guarded statics, no unwind tables. Such
# code needs no libstdc++, no unwinder and no thread library, and the
# prebuilt runtime pieces that carry Pentium Pro instructions (libstdc++'s
# string code, the mingwex printf engine) stay out.
#
#   tessaly_shipping_code(target)   compile flags of a shipping library
#   tessaly_shipping_exe(target)    links target without libstdc++ and the
#                                   MinGW start-up code (app/win32/main/
#                                   runtime.cpp gives the entry point)
set(TESSALY_SHIPPING_FLAGS -march=i486 -mtune=i486 -fno-exceptions -fno-rtti
    -fno-threadsafe-statics -fno-asynchronous-unwind-tables -fno-unwind-tables
    -fno-stack-protector -D__USE_MINGW_ANSI_STDIO=0)

function(tessaly_shipping_code target)
  target_compile_options(${target} PRIVATE ${TESSALY_SHIPPING_FLAGS})
endfunction()

function(tessaly_shipping_exe target entry)
  tessaly_shipping_code(${target})
  target_link_options(${target} PRIVATE -nostdlib -nostartfiles -Wl,-e,${entry}
                      -Wl,--enable-stdcall-fixup)
  # The C runtime is MSVCRT.DLL itself (4.20 or later); libgcc only for the
  # few helpers the compiler calls.
  target_link_libraries(${target} PRIVATE user32 gdi32 advapi32 shell32 comctl32 comdlg32
                        kernel32 msvcrt gcc)
endfunction()
