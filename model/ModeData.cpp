#include "model/ModeData.h"

namespace kestrion {

ModeDataRecord ModeData;

}  // namespace kestrion
