# Every library of ours is linked from its static archive, so that a copy of the viewer runs
# on a desktop with nothing installed; only glibc and the X11 client libraries stay shared.
find_package(PkgConfig REQUIRED)
pkg_check_modules(CAIRO REQUIRED cairo)      # headers only; the archives are picked below
pkg_check_modules(FREETYPE REQUIRED freetype2)
pkg_check_modules(MINIZIP REQUIRED minizip)

# vx_static_target(<target> <archive names...>): an interface target over static archives,
# listed users before providers.
function(vx_static_target target)
  add_library(${target} INTERFACE)
  foreach(name ${ARGN})
    find_library(VX_LIB_${name} NAMES lib${name}.a REQUIRED)
    target_link_libraries(${target} INTERFACE ${VX_LIB_${name}})
  endforeach()
endfunction()

vx_static_target(vx_dep_fltk fltk_images fltk)
vx_static_target(vx_dep_cairo cairo pixman-1 png16)
vx_static_target(vx_dep_base minizip jpeg md sodium uuid z fribidi)
target_include_directories(vx_dep_cairo INTERFACE ${CAIRO_INCLUDE_DIRS} ${FREETYPE_INCLUDE_DIRS})
target_include_directories(vx_dep_base INTERFACE ${MINIZIP_INCLUDE_DIRS})

# Shared at run time: fonts for the window text, the X11 client libraries, glibc.
add_library(vx_dep_system INTERFACE)
target_link_libraries(vx_dep_system INTERFACE
  Xft fontconfig freetype Xrender Xcursor Xfixes Xinerama Xext xcb-shm xcb-render xcb X11
  pthread dl m)
