#include "app/main_window_created.h"

namespace app {

void MainWindowCreated() {}

}  // namespace app
