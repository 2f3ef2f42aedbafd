// Compiled once per variant, with ORVEX_ADMIN_MODE defined for the admin one.
#include "app/BuildVariant.h"

namespace app {

bool IsAdminBuild() {
#ifdef ORVEX_ADMIN_MODE
  return true;
#else
  return false;
#endif
}

}  // namespace app
