#include "model/VoyageInfo.h"

namespace kv {

VoyageInfoFields LoadVoyageInfo(const loaddata_rec& d) {
    return {d.VoyageNo.str(), d.VoyageFrom.str(), d.VoyageTo.str(), d.VoyageBy.str(),
            d.VoyageDate.str(), d.VoyageRemark.str(), d.VoyageDesc.str()};
}

void StoreVoyageInfo(loaddata_rec& d, const VoyageInfoFields& f) {
    d.VoyageNo.set(f.VoyageNo);
    d.VoyageFrom.set(f.From);
    d.VoyageTo.set(f.To);
    d.VoyageBy.set(f.By);
    d.VoyageDate.set(f.Date);
    d.VoyageRemark.set(f.Remarks);
    d.VoyageDesc.set(f.Desc);
}

}  // namespace kv
