# The floors of the source tree and the direction of their includes.
#
# Each top folder is a floor; a folder may include its own floor and the floors below it, never one
# above. Code outside a forms/ folder is the core: it includes no forms/ folder and no Qt header.
# A forms/ folder may include the core of its own floor and lower ones, and the forms of those.
#
# An include names its file from the source root ("model/core/ByteImage.h") or, within one folder,
# by its bare name; a ".." in it would walk round the check and is refused. Every folder of the tree
# that holds sources is a floor (tests, bench, fuzz and the build folders aside).
#
# A floor split by subject keeps the same rule inside it: its sub-folders are sub-floors, lowest
# first in kSubFloors of model/core/Floors.h ("<floor>:<sub>,<sub>,..."; sub-folders joined by "|"
# share a sub-floor), and a sub-floor includes only its own sub-floor and those below it. The floor's
# own files (those in the floor's folder itself: its menu rows, a state or a seam that gathers the
# sub-floors) stand above the order: they may include any sub-floor, and no sub-floor includes
# them, so that a low sub-floor never reaches a higher one through them. The floor's forms/ folder
# may include every sub-floor and the floor's own files. A sub-folder of such a floor that the
# order does not name is refused, as a folder that is no floor is.
#
# Configure calls kestrion_check_layers(<source root>); `cmake -DKESTRION_LAYERS_ROOT=<dir> -P
# CheckLayers.cmake` runs the same check on another tree.

cmake_policy(SET CMP0057 NEW)  # if(IN_LIST), also when run as a script

# The floors, lowest first, are listed once, in model/core/Floors.h, which the state registry
# compiles too.
set(_kestrion_floors_header "${CMAKE_CURRENT_LIST_DIR}/../model/core/Floors.h")
file(READ "${_kestrion_floors_header}" _kestrion_floors_text)
string(REGEX MATCH "kFloors\\[\\][^{]*{([^}]*)}" _kestrion_floors_list "${_kestrion_floors_text}")
string(REGEX MATCHALL "\"[a-z]+\"" _kestrion_floors_list "${CMAKE_MATCH_1}")
string(REPLACE "\"" "" KESTRION_FLOORS "${_kestrion_floors_list}")
list(LENGTH KESTRION_FLOORS _kestrion_floor_count)
if(_kestrion_floor_count LESS 2)
  message(FATAL_ERROR "No floor list (kFloors) found in ${_kestrion_floors_header}")
endif()
set(KESTRION_NOT_FLOORS tests bench fuzz cmake data docs)
# The sub-floors (kSubFloors) are listed there as well, with what each holds.
string(REGEX MATCH "kSubFloors\\[\\][^{]*{([^}]*)}" _kestrion_sub_floors_list "${_kestrion_floors_text}")
string(REGEX MATCHALL "\"[^\"]+\"" _kestrion_sub_floors_list "${CMAKE_MATCH_1}")
string(REPLACE "\"" "" KESTRION_SUB_FLOORS "${_kestrion_sub_floors_list}")
if(NOT KESTRION_SUB_FLOORS)
  message(FATAL_ERROR "No sub-floor list (kSubFloors) found in ${_kestrion_floors_header}")
endif()

# The sub-floor of a path under a floor with an order: its rank (0 lowest) in ${out}, -1 for the
# floor's own files, -2 for its forms, "" for a sub-folder the order does not name. Unset when the
# floor has no order.
function(_kestrion_sub_floor path out)
  unset(${out} PARENT_SCOPE)
  string(REGEX MATCH "^([^/]+)/(.*)$" _ "${path}")
  set(floor "${CMAKE_MATCH_1}")
  set(rest "${CMAKE_MATCH_2}")
  foreach(entry IN LISTS KESTRION_SUB_FLOORS)
    string(REGEX MATCH "^([^:]+):(.*)$" _ "${entry}")
    if(NOT CMAKE_MATCH_1 STREQUAL floor)
      continue()
    endif()
    string(REPLACE "," ";" ranks "${CMAKE_MATCH_2}")
    if(NOT rest MATCHES "/")
      set(${out} -1 PARENT_SCOPE)
      return()
    endif()
    string(REGEX REPLACE "/.*$" "" sub "${rest}")
    if(sub STREQUAL "forms")
      set(${out} -2 PARENT_SCOPE)
      return()
    endif()
    set(rank 0)
    foreach(members IN LISTS ranks)
      string(REPLACE "|" ";" members "${members}")
      if(sub IN_LIST members)
        set(${out} ${rank} PARENT_SCOPE)
        return()
      endif()
      math(EXPR rank "${rank} + 1")
    endforeach()
    set(${out} "" PARENT_SCOPE)
    return()
  endforeach()
endfunction()

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
  file(GLOB children LIST_DIRECTORIES true RELATIVE "${root}" "${root}/*")
  foreach(folder IN LISTS children)
    if(NOT IS_DIRECTORY "${root}/${folder}" OR folder MATCHES "^(build|\\.)" OR folder IN_LIST KESTRION_NOT_FLOORS
       OR folder IN_LIST KESTRION_FLOORS)
      continue()
    endif()
    file(GLOB_RECURSE sources "${root}/${folder}/*.cpp" "${root}/${folder}/*.h")
    if(sources)
      list(APPEND violations "${folder}/ holds sources but is no floor of model/core/Floors.h")
    endif()
  endforeach()
  foreach(floor IN LISTS KESTRION_FLOORS)
    list(FIND KESTRION_FLOORS ${floor} own_level)
    file(GLOB_RECURSE files RELATIVE "${root}" "${root}/${floor}/*.cpp" "${root}/${floor}/*.h")
    foreach(file IN LISTS files)
      _kestrion_layer_kind("${file}" own_kind)
      _kestrion_sub_floor("${file}" own_sub)
      if(DEFINED own_sub AND own_sub STREQUAL "")
        string(REGEX MATCH "^[^/]+/[^/]+" sub_folder "${file}")
        list(APPEND violations "${sub_folder}/ holds sources but is no sub-floor of ${floor} in cmake/CheckLayers.cmake")
        continue()
      endif()
      file(STRINGS "${root}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
      foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" target "${line}")
        if(target MATCHES "(^|/)\\.\\.(/|$)")
          list(APPEND violations "${file} includes ${target}: an include never climbs with ..")
          continue()
        endif()
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
        elseif(target_level EQUAL own_level AND DEFINED own_sub AND own_sub GREATER_EQUAL 0)
          _kestrion_sub_floor("${target}" target_sub)
          string(REGEX MATCH "^[^/]+/[^/]+" own_folder "${file}")
          string(REGEX MATCH "^[^/]+/[^/]+" target_folder "${target}")
          if(target_sub STREQUAL "-1")
            list(APPEND violations
                 "${file} includes ${target}: ${own_folder} may not include the files of ${floor}/ itself, which stand above its sub-floors")
          elseif(target_sub STREQUAL "" OR target_sub GREATER own_sub)
            list(APPEND violations
                 "${file} includes ${target}: ${own_folder} may not include ${target_folder}, a higher sub-floor")
          endif()
        endif()
      endforeach()
    endforeach()
  endforeach()
  if(violations)
    list(JOIN violations "\n  " text)
    message(FATAL_ERROR "Against the floors of the tree:\n  ${text}")
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND DEFINED KESTRION_LAYERS_ROOT)
  kestrion_check_layers("${KESTRION_LAYERS_ROOT}")
endif()
