# vx_program(<target> <output name> <sources...>): a program of the portable layout, linked
# so that it needs nothing but glibc and the X11 client libraries.
function(vx_program target output)
  add_executable(${target} ${ARGN})
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${output}
    RUNTIME_OUTPUT_DIRECTORY ${VX_DIST_DIR}/bin)
  target_link_libraries(${target} PRIVATE vx_warnings)
  if(NOT VX_SANITIZE AND NOT VX_FUZZ)
    target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections)
    target_link_options(${target} PRIVATE -static-libstdc++ -Wl,--as-needed -Wl,--gc-sections
                        -Wl,--exclude-libs,ALL -Wl,--wrap=hypot)
    # Cairo's hypot bound to its old symbol version and an arc4random of our own keep the
    # glibc floor at 2.34.
    target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/core/platform/hypot_compat.c
                   ${CMAKE_SOURCE_DIR}/core/platform/arc4random_compat.c)
    if(CMAKE_BUILD_TYPE STREQUAL "Release")
      add_custom_command(TARGET ${target} POST_BUILD COMMAND ${CMAKE_STRIP} $<TARGET_FILE:${target}>)
    endif()
  endif()
endfunction()

# The folders the builder expects one level above its program folder.
foreach(folder projects graphics output egraphics doc)
  file(MAKE_DIRECTORY ${VX_DIST_DIR}/${folder})
endforeach()
