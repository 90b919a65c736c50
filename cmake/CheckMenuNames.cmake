# Every item name the core enables, hides or checks must be an item the window has: a row of a menu
# table, a button of the window's button tables, or one of the recent-file items the window makes
# itself. A name that is none of these would be a silent no-op (the window finds no item of that
# name).
#
# The items are the store of lang/MenuState.h. The main window's core (app/) and every other core
# file that calls menuItem or enableControls name items in it, in one of three ways, which this
# check reads:
#   menuItem("Name")                                     a literal in the call
#   constexpr const char* kSomethingItems[] = {"A", "B"}  an array whose name ends in Items
#   enableControls({"A", "B"}, on)                       the monitor's groups of buttons and items
# Rows are the menu-table entries {kItem|kMenu|MenuRowKind::Item|MenuRowKind::Menu, "Name", ...};
# buttons the rows {"btnName", ...} or {"spbtnName", ...} of the window's forms and of the core's
# ...ButtonRow tables; the recent-file items are the names of kRecentFileItemNames.
#
# Configure calls kestrion_check_menu_names(<source root>); `cmake -DKESTRION_MENU_ROOT=<dir> -P
# CheckMenuNames.cmake` runs the same check on another tree.

cmake_policy(SET CMP0057 NEW)  # if(IN_LIST), also when run as a script

function(kestrion_check_menu_names root)
  file(GLOB_RECURSE sources RELATIVE "${root}" "${root}/*.cpp" "${root}/*.h")
  list(FILTER sources EXCLUDE REGEX "^(tests|bench|fuzz|build[^/]*)/")
  # The monitor sets the "Write mode" check mark of the editor's insert mode, which the window does
  # not make yet.
  set(known WriteMode1)
  set(used)
  foreach(file IN LISTS sources)
    file(READ "${root}/${file}" text)
    string(REGEX MATCHALL "{[ \t\n]*(kItem|kMenu|MenuRowKind::Item|MenuRowKind::Menu)[ \t\n]*,[ \t\n]*\"[A-Za-z0-9_]+\""
           rows "${text}")
    if(file MATCHES "/forms/" OR text MATCHES "ButtonRow k")
      string(REGEX MATCHALL "{[ \t\n]*\"(sp)?btn[A-Za-z0-9_]+\"" buttons "${text}")
      list(APPEND rows ${buttons})
    endif()
    foreach(row IN LISTS rows)
      string(REGEX REPLACE "^.*\"([A-Za-z0-9_]+)\"$" "\\1" name "${row}")
      list(APPEND known "${name}")
    endforeach()
    string(REGEX MATCHALL "kRecentFileItemNames[^=;]*=[^;]*;" made "${text}")
    string(REGEX MATCHALL "\"[A-Za-z0-9_]+\"" made "${made}")
    string(REPLACE "\"" "" made "${made}")
    list(APPEND known ${made})

    if(file MATCHES "/forms/" OR NOT (file MATCHES "^app/" OR text MATCHES "(menuItem|enableControls)\\("))
      continue()
    endif()
    string(REGEX MATCHALL "menuItem\\([ \t\n]*\"[A-Za-z0-9_]+\"" calls "${text}")
    string(REGEX MATCHALL "k[A-Za-z0-9_]*Items[^=;(]*=[^;]*;" arrays "${text}")
    string(REGEX MATCHALL "enableControls\\([ \t\n]*{[^}]*}" groups "${text}")
    string(REGEX MATCHALL "\"[A-Za-z0-9_]+\"" names "${calls};${arrays};${groups}")
    foreach(name IN LISTS names)
      string(REPLACE "\"" "" name "${name}")
      list(APPEND used "${name}|${file}")
    endforeach()
  endforeach()
  set(unknown)
  foreach(entry IN LISTS used)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 name)
    list(GET parts 1 file)
    if(NOT name IN_LIST known)
      list(APPEND unknown "${file} names the menu item ${name}, which no menu table holds")
    endif()
  endforeach()
  if(unknown)
    list(REMOVE_DUPLICATES unknown)
    list(JOIN unknown "\n  " text)
    message(FATAL_ERROR "Menu items that do not exist:\n  ${text}")
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND DEFINED KESTRION_MENU_ROOT)
  kestrion_check_menu_names("${KESTRION_MENU_ROOT}")
endif()
