#include "model/ConditionFile.h"

#include "containers/BayGeometry.h"
#include "containers/ContainerModel.h"
#include "containers/ContainerPositions.h"
#include "model/CodeFiles.h"

namespace kv {

namespace {

constexpr Extended NewSpare24 = 0.3L;

size_t GroupSize(const KvState& s, int g) {
    int32_t n = s.ShipInfo.GroupCount[size_t(g)];
    return n > 0 ? size_t(n) : 0;
}

size_t BayCount(const KvState& s) { return s.ContInfo.bays.size(); }

// Sets the state of every slot that a container of the condition resolves to.
void MarkSlots(KvState& s, int32_t state) {
    for (const auto& list : s.LoadData.BayLists)
        for (const container_rec& c : list) {
            SlotRef slot;
            if (!ParsePosition(s.ContInfo, c.position.str(), slot)) continue;
            if (cell_rec* cell = SlotCell(s.ContInfo, slot)) cell->state = state;
        }
}

Extended TankDefaultDensity(const KvState& s, int g, size_t i) {
    const auto& tanks = s.TankGroup.Groups[size_t(g)].Tanks;
    return i < tanks.size() ? tanks[i].DefaultSG : 0;
}

panel_rec ReadPanel(BinReader& r) {
    panel_rec p;
    p.Head = r.Block<PanelHeadSize>();
    const uint8_t* h = p.Head.data();
    p.panel_type = GetInt32(h, 0);
    p.size_x = GetExt(h, 8);
    p.size_y = GetExt(h, 24);
    p.size_z = GetExt(h, 40);
    p.weight = GetExt(h, 56);
    p.position = r.Int32();
    for (Extended* v : {&p.lcg, &p.tcg, &p.vcg, &p.aft_x, &p.fwd_x, &p.top_z, &p.bottom_z, &p.port_y, &p.stbd_y})
        *v = r.Ext();
    return p;
}

void WritePanel(BinWriter& w, const panel_rec& p) {
    std::array<uint8_t, PanelHeadSize> h = p.Head;
    PutInt32(h.data(), 0, p.panel_type);
    PutExt(h.data(), 8, p.size_x);
    PutExt(h.data(), 24, p.size_y);
    PutExt(h.data(), 40, p.size_z);
    PutExt(h.data(), 56, p.weight);
    w.Block(h);
    w.Int32(p.position);
    for (Extended v : {p.lcg, p.tcg, p.vcg, p.aft_x, p.fwd_x, p.top_z, p.bottom_z, p.port_y, p.stbd_y}) w.Ext(v);
}

}  // namespace

void SizeConditionArrays(KvState& s) {
    s.LoadData.BayLists.resize(BayCount(s));
    s.LoadData.CompCodes.resize(GroupSize(s, 0), 0);
    for (int g = LoadedGroupFirst; g <= LoadedGroupLast; ++g) s.LoadData.Loads[size_t(g)].Items.resize(GroupSize(s, g));
}

void NewCondition(KvState& s) {
    SizeConditionArrays(s);
    loaddata_rec& d = s.LoadData;
    d.Raw.fill(0);
    d.CondTitle.set("");
    d.SeaDensity = s.Config.SeaDensity;
    d.Spare36 = 0;
    d.VoyageCond = 0;
    d.CGMode = 0;
    for (auto* text : {&d.VoyageNo, &d.VoyageDate, &d.VoyageFrom, &d.VoyageTo, &d.VoyageBy}) text->set("");
    d.VoyageDesc.set("");
    d.VoyageRemark.set("");
    d.TrimCorr = 0;
    d.HeelCorr = 0;
    d.BaleList.clear();
    MarkSlots(s, 1);
    for (auto& list : d.BayLists) list.clear();
    std::fill(d.CompCodes.begin(), d.CompCodes.end(), 0);
    for (int g = LoadedGroupFirst; g <= LoadedGroupLast; ++g) {
        auto& items = d.Loads[size_t(g)].Items;
        for (size_t i = 0; i < items.size(); ++i) {
            loadinfo_rec item;
            item.Spare24 = NewSpare24;
            item.Density = TankDefaultDensity(s, g, i);
            items[i] = item;
        }
    }
    RefreshUserInputSet(s.DwcList, d.Loads[8].Items);
}

ConditionImage DecodeConditionFile(const KvState& s, BinReader& r) {
    ConditionImage img;
    loaddata_rec& d = img.LoadData;
    auto head = r.Block<LoadDataHeadSize>();
    DecodeLoadDataHead(head.data(), d);

    int32_t bales = r.Count(BaleCargoSize);
    d.BaleList.reserve(size_t(bales));
    for (int32_t i = 0; i < bales; ++i) {
        auto b = r.Block<BaleCargoSize>();
        d.BaleList.push_back(DecodeBaleCargo(b.data()));
    }

    for (int g = LoadedGroupFirst; g <= LoadedGroupLast; ++g) {
        size_t n = GroupSize(s, g);
        r.RequireRecords(int64_t(n), LoadInfoSize);
        auto& items = d.Loads[size_t(g)].Items;
        items.reserve(n);
        for (size_t i = 0; i < n; ++i) {
            auto b = r.Block<LoadInfoSize>();
            items.push_back(DecodeLoadInfo(b.data()));
        }
    }

    d.BayLists.resize(BayCount(s));
    for (auto& list : d.BayLists) {
        int32_t count = r.Count(ContainerStoredSize + 8);
        list.reserve(size_t(count));
        for (int32_t i = 0; i < count; ++i) {
            auto b = r.Block<ContainerStoredSize>();
            container_rec c = DecodeContainer(b.data());
            int32_t nb = r.Count(BundleSize);
            if (nb > 0) {
                c.bundles.emplace();
                for (int32_t k = 0; k < nb; ++k) {
                    auto e = r.Block<BundleSize>();
                    c.bundles->push_back(DecodeBundle(e.data()));
                }
            }
            int32_t nd = r.Count(DgItemSize);
            if (nd > 0) {
                c.dg_items.emplace();
                for (int32_t k = 0; k < nd; ++k) {
                    auto e = r.Block<DgItemSize>();
                    c.dg_items->push_back(DecodeDgItem(e.data()));
                }
            }
            list.push_back(std::move(c));
        }
    }

    size_t comp = GroupSize(s, 0);
    r.RequireRecords(int64_t(comp), 4);
    d.CompCodes.resize(comp);
    for (auto& v : d.CompCodes) v = r.Int32();

    int32_t panels = r.Count(PanelStoredSize);
    img.Panels.reserve(size_t(panels));
    for (int32_t i = 0; i < panels; ++i) img.Panels.push_back(ReadPanel(r));

    if (!r.atEnd())
        throw IoError("File " + r.fileName() + " is not a loading condition of this ship: it has " +
                      std::to_string(r.size()) + " bytes, the layout for this ship ends after " +
                      std::to_string(r.pos()));
    return img;
}

std::vector<uint8_t> EncodeConditionFile(const KvState& s) {
    const loaddata_rec& d = s.LoadData;
    BinWriter w;
    std::array<uint8_t, LoadDataHeadSize> head{};
    EncodeLoadDataHead(d, head.data());
    w.Block(head);

    w.Int32(int32_t(d.BaleList.size()));
    std::array<uint8_t, BaleCargoSize> bale{};
    for (const balecargo_rec& b : d.BaleList) {
        EncodeBaleCargo(b, bale.data());
        w.Block(bale);
    }

    std::array<uint8_t, LoadInfoSize> item{};
    for (int g = LoadedGroupFirst; g <= LoadedGroupLast; ++g) {
        const auto& items = d.Loads[size_t(g)].Items;
        for (size_t i = 0; i < GroupSize(s, g); ++i) {
            EncodeLoadInfo(i < items.size() ? items[i] : loadinfo_rec{}, item.data());
            w.Block(item);
        }
    }

    std::array<uint8_t, ContainerStoredSize> cont{};
    std::array<uint8_t, BundleSize> bundle{};
    std::array<uint8_t, DgItemSize> dg{};
    static const std::vector<container_rec> noContainers;
    for (size_t bay = 0; bay < BayCount(s); ++bay) {
        const auto& list = bay < d.BayLists.size() ? d.BayLists[bay] : noContainers;
        w.Int32(int32_t(list.size()));
        for (const container_rec& c : list) {
            EncodeContainer(c, cont.data());
            w.Block(cont);
            w.Int32(c.bundles ? int32_t(c.bundles->size()) : 0);
            if (c.bundles)
                for (const bundle_rec& b : *c.bundles) {
                    EncodeBundle(b, bundle.data());
                    w.Block(bundle);
                }
            w.Int32(c.dg_items ? int32_t(c.dg_items->size()) : 0);
            if (c.dg_items)
                for (const dgitem_rec& e : *c.dg_items) {
                    EncodeDgItem(e, dg.data());
                    w.Block(dg);
                }
        }
    }

    for (size_t i = 0; i < GroupSize(s, 0); ++i) w.Int32(i < d.CompCodes.size() ? d.CompCodes[i] : 0);

    w.Int32(int32_t(s.PanelList.size()));
    for (const panel_rec& p : s.PanelList) WritePanel(w, p);
    return w.data();
}

int AdoptCondition(KvState& s, ConditionImage image) {
    MarkSlots(s, 1);
    int dropped = 0;
    auto& lists = image.LoadData.BayLists;
    for (size_t bay = 0; bay < lists.size(); ++bay) {
        std::vector<container_rec> kept;
        kept.reserve(lists[bay].size());
        for (container_rec& c : lists[bay]) {
            SlotRef slot;
            cell_rec* cell = nullptr;
            if (ParsePosition(s.ContInfo, c.position.str(), slot) && slot.Resolved() && slot.bay == int(bay))
                cell = SlotCell(s.ContInfo, slot);
            // A slot holds one container: a second one for the same slot
            // would count its weight twice.
            if (!cell || cell->state == 2) {
                ++dropped;
                continue;
            }
            cell->state = 2;
            kept.push_back(std::move(c));
        }
        lists[bay] = std::move(kept);
    }
    s.LoadData = std::move(image.LoadData);
    s.PanelList = std::move(image.Panels);
    for (size_t bay = 0; bay < s.LoadData.BayLists.size(); ++bay)
        UpdateBayGeometry(s.ContInfo, s.LoadData, int(bay), s.Config.ContVCGPercent);
    RefreshUserInputSet(s.DwcList, s.LoadData.Loads[8].Items);
    return dropped;
}

OpenResult OpenConditionFile(KvState& s, const std::string& fileName, MessageSink& messages) {
    if (!FileExists(fileName)) return OpenResult::Missing;
    ConditionImage image;
    try {
        BinReader r = BinReader::FromFile(fileName);
        image = DecodeConditionFile(s, r);
    } catch (const std::exception& e) {
        messages.ShowMessage("Cannot open the loading condition " + fileName + ": " + e.what());
        return OpenResult::Failed;
    }
    int dropped = AdoptCondition(s, std::move(image));
    if (dropped > 0)
        messages.ShowMessage(std::to_string(dropped) + " container(s) of " + fileName +
                             " have no free slot of this ship and were left out.");
    s.ConditionModified = false;
    s.ConditionFileName = fileName;
    return OpenResult::Opened;
}

void SaveConditionFile(KvState& s, const std::string& fileName) {
    WriteFileAtomically(fileName, EncodeConditionFile(s));
    RefreshUserInputSet(s.DwcList, s.LoadData.Loads[8].Items);
    s.ConditionModified = false;
    s.ConditionFileName = fileName;
}

}  // namespace kv
