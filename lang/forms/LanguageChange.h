// A new interface language reaches every window at once: each top-level window and its widgets get
// the QEvent::LanguageChange that Qt sends for a new translation, and caption themselves anew.
#pragma once

namespace kestrion::forms {

void announceLanguageChange();

}  // namespace kestrion::forms
