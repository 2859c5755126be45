#pragma once
// Signing in to the primary site as its sign-in form does, for front ends
// that have no browser pane to sign in through. The session the site answers
// with lands in the shared cookie file, so every later request carries it.

#include <string_view>

namespace kelo {

// User and password are Shift_JIS. True when the site took them; a refusal
// or a failed request is reported with a message and gives false.
bool SignIn(std::string_view user, std::string_view password);

} // namespace kelo
