#pragma once

namespace zephyra {

// The controls of the main window that handlers address, by their form names.
enum class Control {
  编辑框1,  // network name (SSID)
  编辑框2,  // network key
  组合框1,  // provider list
  组合框2,  // shared list
  超级链接框1,
};

}  // namespace zephyra
