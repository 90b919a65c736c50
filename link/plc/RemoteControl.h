// The PLC commands that change the PLC's operating state or wipe its memory: remote RUN and STOP,
// the memory clear, the external-memory initialisation, and the version query.
#pragma once

#include <cstdint>

namespace kestrion {

// The RUN sequence (force OFF M8037, ON M8036, ON M8035, 1 s pause) and the STOP sequence (force ON
// M8035, ON M8037). True only when every frame was acknowledged; "[Ok]" only then.
bool remoteToRunMode(int plcType);
bool remoteToStopMode(int plcType);

// A pending remote RUN or STOP request; one command long.
extern std::uint8_t& remoteRunRequest;
extern std::uint8_t& remoteStopRequest;

// PLC > "Remote Run/Stop" with the pending request of remoteRunRequest / remoteStopRequest; while a
// monitor runs it uses the port already open and leaves it open.
void remoteRunStop(bool monitorRuns);
// The RUN and STOP tool buttons: straight to the question of their request.
void remoteRunStopButton(bool run, bool monitorRuns);

// PLC > "Memory Clear".
void MemoryClear1Click();
// 0 after the initialisation frame was acknowledged, 1 otherwise.
int InitialExternalMemory();
// PLC > HarewareCheck > InitialControllerMemory: the result on status panel 0.
void InitialControllerMemory1Click();
// PLC > "Version": the PLC's family and version into MsgMemo1 when it shows.
void Version1Click();
// Hidden and disabled items that do nothing.
void SerialSettingD81201Click();
void RuntimeProgramChanges1Click();

}  // namespace kestrion
