# The floors of the source tree and the direction of their includes.
#
# Each top folder is a floor; a folder may include its own floor and the floors below it, never one
# above. Code outside a forms/ folder is the core: it includes no forms/ folder and no Qt header.
# A forms/ folder may include the core of its own floor and lower ones, and the forms of those.
#
# Configure calls kestrion_check_layers(<source root>); `cmake -DKESTRION_LAYERS_ROOT=<dir> -P
# CheckLayers.cmake` runs the same check on another tree.

set(KESTRION_FLOORS platform model lang entry editor reader compiler link monitor diagnostics wizards devviews app)

# <floor>/forms/x.h gives "forms", anything else under a floor "core".
function(_kestrion_layer_kind path out)
  if(path MATCHES "^[^/]+/(.*/)?forms/")
    set(${out} forms PARENT_SCOPE)
  else()
    set(${out} core PARENT_SCOPE)
  endif()
endfunction()

function(kestrion_check_layers root)
  set(violations)
  foreach(floor IN LISTS KESTRION_FLOORS)
    list(FIND KESTRION_FLOORS ${floor} own_level)
    file(GLOB_RECURSE files RELATIVE "${root}" "${root}/${floor}/*.cpp" "${root}/${floor}/*.h")
    foreach(file IN LISTS files)
      _kestrion_layer_kind("${file}" own_kind)
      file(STRINGS "${root}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
      foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" target "${line}")
        if(own_kind STREQUAL "core" AND target MATCHES "^(Q[A-Za-z]|qt)")
          list(APPEND violations "${file} includes ${target}: core code never includes Qt")
          continue()
        endif()
        string(REGEX REPLACE "/.*$" "" target_floor "${target}")
        list(FIND KESTRION_FLOORS "${target_floor}" target_level)
        if(target_level EQUAL -1 OR target STREQUAL target_floor)
          continue()
        endif()
        _kestrion_layer_kind("${target}" target_kind)
        if(target_level GREATER own_level)
          list(APPEND violations "${file} includes ${target}: ${floor} may not include ${target_floor}, a higher floor")
        elseif(own_kind STREQUAL "core" AND target_kind STREQUAL "forms")
          list(APPEND violations "${file} includes ${target}: core code never includes a forms folder")
        endif()
      endforeach()
    endforeach()
  endforeach()
  if(violations)
    list(JOIN violations "\n  " text)
    message(FATAL_ERROR "Includes against the floors of the tree:\n  ${text}")
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND DEFINED KESTRION_LAYERS_ROOT)
  kestrion_check_layers("${KESTRION_LAYERS_ROOT}")
endif()
