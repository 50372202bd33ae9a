# velkaro_library(FOLDER [SOURCES ...] [BELOW folder ...])
#   velkaro_<FOLDER>: the folder's portable sources, linking the libraries of
#   the folders BELOW it that it uses.
# velkaro_win32_library(FOLDER [SOURCES ...] [BELOW folder ...] [SYSTEM lib ...])
#   velkaro_<FOLDER>_win32: its Windows sources, linking its portable library
#   (where it has one), the Windows libraries of the folders BELOW and the
#   system libraries it calls.

# Warnings for our own code only (not for GoogleTest): every library and
# program of ours links this.
add_library(velkaro_warnings INTERFACE)
target_compile_options(velkaro_warnings INTERFACE -Wall -Wextra -Wshadow)
if(VELKARO_WINDOWS)
  # Handles and pointers are 64 bits wide in the x86_64 build and 32 in the
  # i686 one: a cast between a pointer and an integer of another width is an
  # error in both, not a warning that one of them would hide.
  target_compile_options(velkaro_warnings INTERFACE -Werror=int-to-pointer-cast
    $<$<COMPILE_LANGUAGE:C>:-Werror=pointer-to-int-cast>)
  target_compile_definitions(velkaro_warnings INTERFACE
    WIN32_LEAN_AND_MEAN NOMINMAX STRICT _WIN32_WINNT=0x0501 WINVER=0x0501)
endif()
target_include_directories(velkaro_warnings INTERFACE ${PROJECT_SOURCE_DIR}/src)

include(${CMAKE_CURRENT_LIST_DIR}/layer_list.cmake)

# Stops the configuration when `folder` names a folder to link that is not in
# a lower layer.
function(velkaro_check_links_down folder)
  velkaro_layer_of(${folder} level)
  foreach(below ${ARGN})
    velkaro_layer_of(${below} below_level)
    if(below_level STREQUAL "" OR NOT below_level LESS level)
      message(FATAL_ERROR "velkaro_${folder} links ${below}, which is not below ${folder}")
    endif()
  endforeach()
endfunction()

# The layer check runs before anything of ours compiles.
add_custom_target(velkaro_layer_check
  COMMAND ${CMAKE_COMMAND} -DVELKARO_SOURCE_DIR=${PROJECT_SOURCE_DIR}/src
          -P ${PROJECT_SOURCE_DIR}/cmake/check_layers.cmake
  COMMENT "Checking that every include points down the layers"
  VERBATIM)

function(velkaro_library folder)
  cmake_parse_arguments(arg "" "" "SOURCES;BELOW" ${ARGN})
  velkaro_check_links_down(${folder} ${arg_BELOW})
  add_library(velkaro_${folder} STATIC ${arg_SOURCES})
  target_link_libraries(velkaro_${folder} PUBLIC velkaro_warnings)
  foreach(below ${arg_BELOW})
    target_link_libraries(velkaro_${folder} PUBLIC velkaro_${below})
  endforeach()
  add_dependencies(velkaro_${folder} velkaro_layer_check)
endfunction()

function(velkaro_win32_library folder)
  cmake_parse_arguments(arg "" "" "SOURCES;BELOW;SYSTEM" ${ARGN})
  velkaro_check_links_down(${folder} ${arg_BELOW})
  add_library(velkaro_${folder}_win32 STATIC ${arg_SOURCES})
  target_link_libraries(velkaro_${folder}_win32 PUBLIC velkaro_warnings ${arg_SYSTEM})
  if(TARGET velkaro_${folder})
    target_link_libraries(velkaro_${folder}_win32 PUBLIC velkaro_${folder})
  endif()
  foreach(below ${arg_BELOW})
    if(TARGET velkaro_${below}_win32)
      target_link_libraries(velkaro_${folder}_win32 PUBLIC velkaro_${below}_win32)
    else()
      target_link_libraries(velkaro_${folder}_win32 PUBLIC velkaro_${below})
    endif()
  endforeach()
  add_dependencies(velkaro_${folder}_win32 velkaro_layer_check)
endfunction()
