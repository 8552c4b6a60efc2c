#pragma once
// The VBScript that switches Internet Connection Sharing, written to C:\Windows\Share.vbs.

#include <string_view>

namespace zephyra {

// Plain ASCII, CR LF after every line, no terminating zero.
std::string_view sharingScript();

}  // namespace zephyra
