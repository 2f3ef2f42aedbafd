// Which variant of the program this is. The administration variant adds the
// admin button with its menu (exports and the duplicates protocol); everything
// else is the same, so both variants link the same libraries and differ only
// in the one file that answers this.
#pragma once

namespace app {

bool IsAdminBuild();

}  // namespace app
