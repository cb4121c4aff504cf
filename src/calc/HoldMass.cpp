// Cargo hold mass: the mass counted in each hold, the allowable curves and
// the overall check (work in progress).
#include "calc/HoldMass.h"

namespace kv {

Extended ContainerMassInHold(const KvState&, int) { return 0; }
Extended CargoItemMassInHold(const KvState&, int) { return 0; }
Extended CompartmentMassInHold(const KvState&, int) { return 0; }
Extended TankMassUnderHold(KvState&, int) { return 0; }
Extended HoldMass(KvState&, int) { return 0; }
Extended PlannedHoldMass(const KvState&, int) { return 0; }
HoldMassLimit HoldMassLimits(const KvState&, int, int, int, Extended) { return {}; }
bool ComputeAltHoldLoading(const KvState&) { return false; }
void UpdateHoldMassValues(KvState&) {}
bool CheckAllHoldMasses(KvState&) { return true; }

}  // namespace kv
