// The voyage information dialog's data: the seven voyage texts of the
// condition, loaded when the dialog becomes active and stored on OK.
#pragma once

#include <string>

#include "model/LoadData.h"

namespace kv {

struct VoyageInfoFields {
    std::string VoyageNo;    // "Voyage No. :"
    std::string From;        // "From :"
    std::string To;          // "To :"
    std::string By;          // "By :"
    std::string Date;        // "Date :"
    std::string Remarks;     // "Remarks :"
    std::string Desc;        // "Voyage Desc. :"
};

VoyageInfoFields LoadVoyageInfo(const loaddata_rec& load);
// Stores the texts, each cut to its field (50, 150 for the description, 255
// for the remarks). Does not mark the condition as modified.
void StoreVoyageInfo(loaddata_rec& load, const VoyageInfoFields& fields);

}  // namespace kv
