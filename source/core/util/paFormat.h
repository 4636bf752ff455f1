#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace kelvo {

// Fills the placeholders of a message text in order: each %s or %d takes the next argument
// as it is (callers turn numbers into text), "%%" gives "%". A placeholder without an
// argument is left as written.
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args);

} // namespace kelvo
