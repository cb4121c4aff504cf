// Edit-time hold mass check and the data of the cargo mass dialog (work in progress).
#include "calc/HoldMass.h"

namespace kv {

bool ConfirmHoldMass(KvState&, int, int, int) { return true; }
CargoMassDialogData CargoMassDialog(KvState&, int, int) { return {}; }

}  // namespace kv
