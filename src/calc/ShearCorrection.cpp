// Shear force correction (work in progress).
#include "calc/ShearCorrection.h"

namespace kv {

const char* ShearCorrectionMethodName(int method) {
    switch (method) {
        case 0: return "(DNV)Qsl";
        case 1: return "(LR)Qa,Qb";
        case 2: return "(BV,DNV,...)Qc";
        case 3: return "(KR)Qc";
        case 4: return "(LR)Qc";
        default: return "";
    }
}

bool CorrectionSubtracts(int method) { return method == 0 || method == 4; }

EndPair ShearForceCorrection(KvState&, int, const calcdata_rec&, Extended, Extended, bool) { return {}; }

}  // namespace kv
