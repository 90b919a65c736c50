# Runs the floor check on small trees: each wrong include must stop it, naming the file and the
# include; the allowed ones must pass.
#   cmake -DCHECK_SCRIPT=<cmake/CheckLayers.cmake> -DWORK_DIR=<scratch folder> -P CheckLayersTest.cmake

set(failures 0)

# tree_case(<name> <expect: pass|fail> <file> <include>...): a tree whose <file> holds the includes.
# A failing case must name the file and its last include, or the text of EXPECT_TEXT when set.
function(tree_case name expect file)
  set(root "${WORK_DIR}/${name}")
  file(REMOVE_RECURSE "${root}")
  set(text "")
  foreach(include IN LISTS ARGN)
    string(APPEND text "#include ${include}\n")
  endforeach()
  file(WRITE "${root}/${file}" "${text}")
  execute_process(COMMAND ${CMAKE_COMMAND} -DKESTRION_LAYERS_ROOT=${root} -P ${CHECK_SCRIPT}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(ok FALSE)
  if(expect STREQUAL "pass" AND result EQUAL 0)
    set(ok TRUE)
  elseif(expect STREQUAL "fail" AND NOT result EQUAL 0)
    list(GET ARGN -1 last)
    string(REPLACE "\"" "" last "${last}")
    string(REPLACE "<" "" last "${last}")
    string(REPLACE ">" "" last "${last}")
    set(wanted "${file} includes ${last}")
    if(DEFINED EXPECT_TEXT)
      set(wanted "${EXPECT_TEXT}")
    endif()
    string(FIND "${err}" "${wanted}" at)
    if(at GREATER -1)
      set(ok TRUE)
    endif()
  endif()
  if(NOT ok)
    message(SEND_ERROR "${name}: expected ${expect}, got ${result}\n${err}")
  endif()
endfunction()

# Allowed: own floor, lower floors, the standard library, a form's own and lower forms.
tree_case(core_down pass link/Frames.cpp "\"link/Frames.h\"" "\"model/ModeData.h\"" "\"platform/Services.h\"" "<vector>")
tree_case(forms_down pass link/forms/PortForm.cpp "\"link/forms/PortForm.h\"" "\"link/CommRecord.h\"" "\"model/forms/PlcTypeForm.h\"" "<QDialog>")
tree_case(app_forms pass app/forms/Main.cpp "\"app/MainCore.h\"" "\"devviews/forms/StackCodeUnit.h\"" "<QApplication>")
tree_case(platform_own pass platform/Posix.cpp "\"platform/Services.h\"" "<termios.h>")
# Refused: a higher floor, a forms folder from the core, Qt in the core, a form of a higher floor.
tree_case(model_up fail model/LadderObject.cpp "\"model/ModeData.h\"" "\"editor/Canvas.h\"")
tree_case(lang_up fail lang/Help.cpp "\"app/MainCore.h\"")
tree_case(core_to_forms fail link/Frames.cpp "\"link/forms/PortForm.h\"")
tree_case(core_to_lower_forms fail app/MainCore.cpp "\"model/forms/PlcTypeForm.h\"")
tree_case(core_qt_angle fail model/Ladder.h "<QString>")
tree_case(core_qt_quoted fail wizards/Items.cpp "\"QtCore/qglobal.h\"")
tree_case(forms_up_core fail link/forms/PortForm.cpp "\"monitor/MonitorLists.h\"")
tree_case(forms_up_forms fail model/forms/PlcTypeForm.cpp "\"app/forms/MainUnit.h\"")
# An include that climbs with ".." is refused wherever it points.
tree_case(model_climbs fail model/core/Thing.cpp "\"../app/MainCore.h\"")
tree_case(model_climbs_inside fail model/image/Thing.cpp "\"model/../app/MainCore.h\"")
tree_case(same_floor_climbs fail link/forms/PortForm.cpp "\"../Frames.h\"")
tree_case(bare_name pass model/core/Thing.cpp "\"Thing.h\"")
# A folder of sources must be one of the floors the list names.
set(EXPECT_TEXT "gadgets/ holds sources but is no floor")
tree_case(unlisted_folder fail gadgets/Thing.cpp "<vector>")
unset(EXPECT_TEXT)
tree_case(test_folder pass tests/link/Frames_test.cpp "\"app/MainCore.h\"")
# Inside a floor with sub-floors: down and sideways within one sub-floor pass, up is refused; the
# floor's own files gather every sub-floor and serve every one but the model's bottom.
tree_case(sub_floor_down pass link/plc/Keywords.cpp "\"link/plc/Keywords.h\"" "\"link/line/Frames.h\"" "\"link/LinkState.h\"")
tree_case(sub_floor_shared pass model/image/CommentLists.cpp "\"model/ladder/LadderObject.h\"" "\"model/core/ByteImage.h\"")
tree_case(floor_files_gather pass model/ModelState.h "\"model/ladder/LadderObject.h\"" "\"model/core/ByteImage.h\"")
tree_case(floor_forms_any pass link/forms/InterceptForm.h "\"link/terminals/InterceptTerminal.h\"" "\"link/line/Frames.h\"")
tree_case(sub_floor_up fail link/line/Frames.cpp "\"link/line/Receive.h\"" "\"link/plc/Keywords.h\"")
tree_case(sub_floor_up_two fail link/plc/PlcClock.cpp "\"link/terminals/TerminalState.h\"")
tree_case(model_core_up fail model/core/Thing.cpp "\"model/image/ModeData.h\"")
tree_case(model_core_bottom fail model/core/Thing.cpp "\"model/core/ByteImage.h\"" "\"model/ModelState.h\"")
set(EXPECT_TEXT "model/gadgets/ holds sources but is no sub-floor of model")
tree_case(unlisted_sub_folder fail model/gadgets/Thing.cpp "<vector>")
unset(EXPECT_TEXT)
