# The source folders' layers, top to bottom: the one list that the include
# check (check_layers.cmake), the order the folders are built in and the link
# check of velkaro_library (layers.cmake) all read. A folder not named here
# is refused, so that a new folder must be given its place.
#
#   5 program entries   startup (Velkaro.scr), xhack (the Linux hack), web (the page)
#   4 windows           saver, settings_dialog, preview
#   3 subsystems        effects, music, controls
#   2 settings          the settings variables and file, number text, titles
#   1 common            the foundation
set(velkaro_layer_5 startup xhack web)
set(velkaro_layer_4 saver settings_dialog preview)
set(velkaro_layer_3 effects music controls)
set(velkaro_layer_2 settings)
set(velkaro_layer_1 common)
set(velkaro_layer_count 5)

# The layer number of `folder` in `out`, or "" for a folder of no layer.
function(velkaro_layer_of folder out)
  foreach(level RANGE 1 ${velkaro_layer_count})
    if(folder IN_LIST velkaro_layer_${level})
      set(${out} ${level} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out} "" PARENT_SCOPE)
endfunction()

# Every folder, bottom layer first: an order in which each folder's
# libraries exist before the folders above link them.
function(velkaro_folders_bottom_up out)
  set(folders "")
  foreach(level RANGE 1 ${velkaro_layer_count})
    list(APPEND folders ${velkaro_layer_${level}})
  endforeach()
  set(${out} ${folders} PARENT_SCOPE)
endfunction()
