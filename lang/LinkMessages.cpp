#include "lang/LinkMessages.h"

#include "lang/Texts.h"

namespace kestrion {

std::string getMsgCommTest() {
    return textOf("getMsgCommTest");
}
std::string getMsgCantConnect() {
    return textOf("getMsgCantConnect");
}
std::string getMsgConnected() {
    return textOf("getMsgConnected");
}
std::string getMsgCommError() {
    return textOf("getMsgCommError");
}
std::string getMsgTypeErrorCantWrite() {
    return textOf("getMsgTypeErrorCantWrite");
}
std::string getMsgKeyword2Confirm() {
    return textOf("getMsgKeyword2Confirm");
}
std::string getMsgCantSetKeyword2() {
    return textOf("getMsgCantSetKeyword2");
}
std::string getMsgKeyword2SetupOk() {
    return textOf("getMsgKeyword2SetupOk");
}
std::string getMsgKeyword2SetupFailed() {
    return textOf("getMsgKeyword2SetupFailed");
}

}  // namespace kestrion
