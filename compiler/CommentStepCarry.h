// Block and coil comments cross a conversion by step number: after emission each comment takes the
// new step of the object that carries its id; a comment whose object is gone is deleted.
#pragma once

namespace kestrion {

void updateBlockCommentSteps();
void updateCoilCommentSteps();

}  // namespace kestrion
