#include "lang/LinkMessages.h"

namespace kestrion {

// Only the English texts exist so far; every language reads them.
std::string getMsgCommTest() {
    return "Communication Test...Try Connection Information";
}
std::string getMsgCantConnect() {
    return "Can't connected with the device";
}
std::string getMsgConnected() {
    return "Successfully connected with the ";
}
std::string getMsgCommError() {
    return "Communication error ... ";
}
std::string getMsgTypeErrorCantWrite() {
    return "Type error, Can't write...";
}
std::string getMsgKeyword2Confirm() {
    return "Once keyword2 be set then can read 128steps program only ?";
}
std::string getMsgCantSetKeyword2() {
    return "Type error, can't setup 2nd keyword(W3 only)";
}
std::string getMsgKeyword2SetupOk() {
    return "Keyword2 setup successful... Delete method: online => Memory clear => Program clear";
}
std::string getMsgKeyword2SetupFailed() {
    return "Keyword2 setup ...unsucessful...";
}

}  // namespace kestrion
