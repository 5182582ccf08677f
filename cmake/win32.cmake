# Settings of the Win32 build: warnings, static linking, libjpeg, form files and manifests.

add_compile_options(-Wall -Wextra -Wno-cast-function-type -Wno-unused-parameter)
add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600 NOMINMAX STRICT)
add_link_options(-static -static-libgcc -static-libstdc++)
# Programs and libraries side by side, so the test programs and Quistal.exe find Brenlow.dll.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# The native build of the same tree, where the data files (theme skins) are made.
set(VELMORA_NATIVE_BUILD "${CMAKE_SOURCE_DIR}/build/native" CACHE PATH "native build folder")

# libjpeg, built for i686 by scripts/setup
set(VELMORA_JPEG_PREFIX "${CMAKE_SOURCE_DIR}/.cache/libjpeg-i686" CACHE PATH "libjpeg for i686")
if(NOT EXISTS "${VELMORA_JPEG_PREFIX}/lib/libjpeg.a")
  message(FATAL_ERROR "libjpeg for i686 is missing: run scripts/setup")
endif()
add_library(jpeg STATIC IMPORTED GLOBAL)
set_target_properties(jpeg PROPERTIES
  IMPORTED_LOCATION "${VELMORA_JPEG_PREFIX}/lib/libjpeg.a"
  INTERFACE_INCLUDE_DIRECTORIES "${VELMORA_JPEG_PREFIX}/include")

# velmora_forms(<target> <form files...>): each form file becomes an RCDATA resource named by
# the class in its first line ("object Form1: TForm1" gives TFORM1), as the form loader expects.
function(velmora_forms target)
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_forms.rc")
  set(body "")
  foreach(f IN LISTS ARGN)
    get_filename_component(abs "${f}" ABSOLUTE)
    file(STRINGS "${abs}" first LIMIT_COUNT 1 REGEX "^[ \t]*(object|inherited)")
    string(REGEX REPLACE "^[ \t]*(object|inherited)[ \t]+[A-Za-z0-9_]+[ \t]*:[ \t]*([A-Za-z0-9_]+).*$" "\\2" cls "${first}")
    string(TOUPPER "${cls}" res)
    string(APPEND body "${res} RCDATA \"${abs}\"\n")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${abs}")
  endforeach()
  file(GENERATE OUTPUT "${rc}" CONTENT "${body}")
  target_sources(${target} PRIVATE "${rc}")
  set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS "${ARGN}")
endfunction()

# velmora_manifest(<target> <id>): the application manifest that asks for common controls 6
# (resource id 1 for a program, 2 for a library).
function(velmora_manifest target id)
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_manifest.rc")
  file(GENERATE OUTPUT "${rc}" CONTENT "${id} 24 \"${CMAKE_SOURCE_DIR}/cmake/velmora.manifest\"\n")
  target_sources(${target} PRIVATE "${rc}")
endfunction()
