#pragma once
// The command words of the three scripts and their replies.
#include <string>
#include <string_view>
#include <vector>

#include "Session.h"

namespace qvsim {

// Answers one call: scriptName is "itunes", "qvresults" or "plcontrol", args the
// command word and its arguments. Throws LibraryError when the library is needed
// and cannot be read.
std::string answer(std::string_view scriptName, const std::vector<std::string_view>& args, Session& session);

}  // namespace qvsim
