# Layers of the program's code, lowest first:
#
#   base          text helpers, platform interfaces, message numbers, shared
#                 state, the scope-guard owner (and res/resource.h, the resource ids)
#   presentation  bitmaps, palettes, drawing, locale texts      uses base
#   actions       backup, quick check, launcher                 uses presentation, base
#   ui            main window, tray icon, splash                uses actions and below
#   app           application object, start-up, settings store,
#                 install folder, idle scheduler                uses everything below
#
# Each folder is one library of platform-free code (<folder>/*.cpp, built in
# both configurations) and, in the Win32 build, one more of its Win32 parts
# (<folder>/win32/*.cpp). A library is compiled against an include root that
# holds only its own folder and the folders below it (symbolic links under
# the build tree), so an include of a higher layer fails to build. In the
# Win32 build every layer is shipping code (cmake/TessalyShipping.cmake).
#
#   tessaly_layer(name FOLDERS folder... [DEPENDS layer...] [WIN32_LIBS lib...])
#       makes tessaly_<name> and, in the Win32 build, tessaly_<name>_win32.
#   tessaly_include_root(var name folder...)
#       makes the include root <build>/include-roots/<name> holding the
#       folders, and sets var to its path.

function(tessaly_include_root var name)
  set(root ${CMAKE_BINARY_DIR}/include-roots/${name})
  file(MAKE_DIRECTORY ${root})
  foreach(folder ${ARGN})
    if(NOT EXISTS ${root}/${folder})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    endif()
  endforeach()
  set(${var} ${root} PARENT_SCOPE)
endfunction()

function(tessaly_layer name)
  cmake_parse_arguments(L "" "" "FOLDERS;DEPENDS;WIN32_LIBS" ${ARGN})
  list(GET L_FOLDERS -1 own)
  tessaly_include_root(root ${name} ${L_FOLDERS})

  file(GLOB core_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${own}/*.cpp)
  if(core_sources)
    add_library(tessaly_${name} STATIC ${core_sources})
    set(scope PUBLIC)
  else()
    add_library(tessaly_${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(tessaly_${name} ${scope} ${root})
  if(TESSALY_WIN32 AND core_sources)
    tessaly_shipping_code(tessaly_${name})
  endif()
  foreach(lower ${L_DEPENDS})
    target_link_libraries(tessaly_${name} ${scope} tessaly_${lower})
  endforeach()

  if(TESSALY_WIN32)
    file(GLOB win32_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${own}/win32/*.cpp)
    if(win32_sources)
      add_library(tessaly_${name}_win32 STATIC ${win32_sources})
      tessaly_shipping_code(tessaly_${name}_win32)
      set(scope PUBLIC)
    else()
      add_library(tessaly_${name}_win32 INTERFACE)
      set(scope INTERFACE)
    endif()
    target_link_libraries(tessaly_${name}_win32 ${scope} tessaly_${name} ${L_WIN32_LIBS})
    foreach(lower ${L_DEPENDS})
      target_link_libraries(tessaly_${name}_win32 ${scope} tessaly_${lower}_win32)
    endforeach()
  endif()
endfunction()
