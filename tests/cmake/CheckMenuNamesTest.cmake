# Runs the menu-name check on small trees: a name the core passes that no table holds must stop it,
# naming the file and the name; known names must pass.
#   cmake -DCHECK_SCRIPT=<cmake/CheckMenuNames.cmake> -DWORK_DIR=<scratch folder> -P CheckMenuNamesTest.cmake

set(rows "constexpr MenuRow kRows[] = {\n    {kMenu, \"FileMenu\", \"&File\", \"\", 10},\n    {kItem, \"Save1\", \"&Save\", \"FileMenu\", 40, Save1Click},\n};\n")
set(linkRows "    {MenuRowKind::Item, \"SetRTC1\", \"Set RTC\", \"PlcMenu\", 70, SetRTC1Click},\n")
set(recent "constexpr const char* kRecentFileItemNames[4] = {\"File11\", \"File21\", \"File31\", \"File41\"};\n")

# check_tree(<name> <expect: pass|fail> <file> <unknown name>): runs the check on the tree of that
# case; a failure must name the file and the unknown name.
function(check_tree name expect file unknown)
  execute_process(COMMAND ${CMAKE_COMMAND} -DKESTRION_MENU_ROOT=${WORK_DIR}/${name} -P ${CHECK_SCRIPT}
                  RESULT_VARIABLE result ERROR_VARIABLE err)
  set(ok FALSE)
  if(expect STREQUAL "pass" AND result EQUAL 0)
    set(ok TRUE)
  elseif(expect STREQUAL "fail" AND NOT result EQUAL 0)
    string(FIND "${err}" "${file} names the menu item ${unknown}," at)
    if(at GREATER -1)
      set(ok TRUE)
    endif()
  endif()
  if(NOT ok)
    message(SEND_ERROR "${name}: expected ${expect}, got ${result}\n${err}")
  endif()
endfunction()

# menu_case(<name> <expect: pass|fail> <text of app/MainView.cpp> [<unknown name>])
function(menu_case name expect code)
  set(root "${WORK_DIR}/${name}")
  file(REMOVE_RECURSE "${root}")
  file(WRITE "${root}/app/AppMenu.cpp" "${rows}")
  file(WRITE "${root}/link/LinkMenu.cpp" "${linkRows}")
  file(WRITE "${root}/model/image/RecentFiles.h" "${recent}")
  file(WRITE "${root}/app/MainView.cpp" "${code}")
  # Names in forms, tests and other floors are not the menu helpers' business.
  file(WRITE "${root}/app/forms/MainUnit.cpp" "void f() { menuItem(\"Window1\"); }\n")
  file(WRITE "${root}/model/image/PlcTypeDialog.h" "constexpr const char* kTypeItems[] = {\"q0\"};\n")
  check_tree(${name} ${expect} app/MainView.cpp "${ARGV3}")
endfunction()

menu_case(rows_and_recent pass "void f() { menuItem(\"Save1\").enabled = false; menuItem(\"SetRTC1\"); menuItem(\"File31\"); }\n")
menu_case(array_known pass "constexpr const char* kProgramItems[] = {\"Save1\",\n    \"FileMenu\"};\n")
menu_case(call_unknown fail "void f() { menuItem(\"ZoomAuto1\").checked = false; }\n" ZoomAuto1)
menu_case(array_unknown fail "constexpr const char* kEditingItems[] = {\"Save1\", \"Delete1Object2\"};\n" Delete1Object2)
menu_case(std_array_unknown fail "constexpr std::array<const char*, 2> kZoomItems = {\"Np501\", \"\"};\n" Np501)

# Outside app/, the files that name items through the store: the monitor's calls and groups, checked
# against the menu rows and the window's button rows.
set(buttons "    const Button buttons[] = {\n        {\"btnStartMonitor1\", \"StartMonitor\", btnStartMonitor1Click},\n    };\n")
set(toolRows "constexpr ToolButtonRow kToolButtons[] = {\n    {\"spbtnSave\", \"Save\", \"Save\", \"Save1\", spbtnSaveClick},\n};\n")
# monitor_case(<name> <expect: pass|fail> <text of monitor/DevicePanel.cpp> [<unknown name>])
function(monitor_case name expect code)
  set(root "${WORK_DIR}/${name}")
  file(REMOVE_RECURSE "${root}")
  file(WRITE "${root}/app/AppMenu.cpp" "${rows}")
  file(WRITE "${root}/app/ToolButtons.cpp" "${toolRows}")
  file(WRITE "${root}/monitor/forms/MonitorPanels.cpp" "${buttons}")
  file(WRITE "${root}/monitor/DevicePanel.cpp" "${code}")
  # A button row in the core's own code is a use, not a button the window makes.
  file(WRITE "${root}/monitor/ChangeValue.cpp" "void g() { run({\"btnMade\", 1}); }\n")
  check_tree(${name} ${expect} monitor/DevicePanel.cpp "${ARGV3}")
endfunction()

monitor_case(monitor_known pass
  "void f() { menuItem(\"btnStartMonitor1\").enabled = false; enableControls({\"Save1\", \"spbtnSave\"}, true); }\n")
monitor_case(monitor_call_unknown fail "void f() { menuItem(\"msStopMonitor2\").enabled = false; }\n" msStopMonitor2)
monitor_case(monitor_group_unknown fail "void f() { enableControls({\"btnStartMonitor1\",\n \"btnMade\"}, false); }\n"
  btnMade)
# A file that names no item through the store may hold other arrays of names.
monitor_case(monitor_other_arrays pass "constexpr const char* kStationItems[] = {\"1\", \"2\"};\n")
