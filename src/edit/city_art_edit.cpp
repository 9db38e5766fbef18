#include "edit/city_art_edit.h"

namespace {

size_t EntryBytes(const CTerrainArt* entry) {
    if (entry == nullptr) {
        return 0;
    }
    return sizeof(CTerrainArt) + entry->full.GetBufferSize() + entry->half.GetBufferSize() +
           entry->quarter.GetBufferSize() + entry->tenth.GetBufferSize();
}

}  // namespace

CCityArtEdit::CCityArtEdit(std::string name, bool adds, std::vector<int> indexes)
    : CMapEdit(std::move(name)), adds(adds), indexes(std::move(indexes)) {
    held.resize(this->indexes.size());
}

std::unique_ptr<CCityArtEdit> CCityArtEdit::Added(std::vector<int> indexes, const CMapArt& art) {
    std::unique_ptr<CCityArtEdit> edit(new CCityArtEdit("Add City Art", true, std::move(indexes)));
    edit->bytes = sizeof(CCityArtEdit);
    for (int index : edit->indexes) {
        edit->bytes += EntryBytes(static_cast<const CTerrainArt*>(art.CityArt().GetAt(index)));
    }
    return edit;
}

std::unique_ptr<CCityArtEdit> CCityArtEdit::Deleted(
    std::vector<int> indexes, std::vector<std::unique_ptr<CTerrainArt>> entries) {
    std::unique_ptr<CCityArtEdit> edit(
        new CCityArtEdit("Delete City Art", false, std::move(indexes)));
    edit->held = std::move(entries);
    edit->bytes = sizeof(CCityArtEdit);
    for (const auto& entry : edit->held) {
        edit->bytes += EntryBytes(entry.get());
    }
    return edit;
}

void CCityArtEdit::Apply(MapTarget& target) {
    adds ? PutBack(target) : TakeOut(target);
}

void CCityArtEdit::Revert(MapTarget& target) {
    adds ? TakeOut(target) : PutBack(target);
}

void CCityArtEdit::PutBack(MapTarget& target) {
    // In ascending order every entry lands where it was.
    for (size_t i = 0; i < indexes.size(); ++i) {
        target.art.InsertCityArt(indexes[i], std::move(held[i]));
    }
}

void CCityArtEdit::TakeOut(MapTarget& target) {
    // From the last to the first, so that the indexes still to go keep their meaning.
    for (size_t i = indexes.size(); i-- > 0;) {
        held[i] = target.art.TakeCityArt(indexes[i]);
    }
}

MapChange CCityArtEdit::Change() const {
    MapChange change;
    change.cityArt = true;
    return change;
}
