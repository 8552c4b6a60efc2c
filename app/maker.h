#pragma once

namespace zephyra {

// The maker's web page: the hyperlink's target, the About text and the close query.
inline constexpr char MAKER_WEB_ADDRESS[] = "https://www.quorvane.com/";

}  // namespace zephyra
