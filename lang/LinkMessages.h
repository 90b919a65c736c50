// The texts of the PLC link's pop-ups and keyword questions, in the current interface language.
#pragma once

#include <string>

namespace kestrion {

std::string getMsgCommTest();
std::string getMsgCantConnect();
std::string getMsgConnected();
std::string getMsgCommError();
std::string getMsgTypeErrorCantWrite();
std::string getMsgKeyword2Confirm();
std::string getMsgCantSetKeyword2();
std::string getMsgKeyword2SetupOk();
std::string getMsgKeyword2SetupFailed();

}  // namespace kestrion
