#include "edit/city_art_edit.h"

#include <algorithm>
#include <numeric>

namespace {

size_t EntryBytes(const CTerrainArt* entry) {
    if (entry == nullptr) {
        return 0;
    }
    return sizeof(CTerrainArt) + entry->full.GetBufferSize() + entry->half.GetBufferSize() +
           entry->quarter.GetBufferSize() + entry->tenth.GetBufferSize();
}

}  // namespace

CCityArtEdit::CCityArtEdit(std::string name, bool adds, std::vector<int> indexes,
                           std::vector<std::unique_ptr<CTerrainArt>> entries)
    : CMapEdit(std::move(name)), adds(adds), indexes(std::move(indexes)), held(std::move(entries)) {
    held.resize(this->indexes.size());
    CountHeld();
}

void CCityArtEdit::CountHeld() {
    size_t holding = sizeof(CCityArtEdit);
    for (const auto& entry : held) {
        holding += EntryBytes(entry.get());
    }
    bytes = std::max(bytes, holding);
}

std::unique_ptr<CCityArtEdit> CCityArtEdit::Adding(
    int count, std::vector<std::unique_ptr<CTerrainArt>> entries) {
    std::vector<int> indexes(entries.size());
    std::iota(indexes.begin(), indexes.end(), count);
    return std::unique_ptr<CCityArtEdit>(
        new CCityArtEdit("Add City Art", true, std::move(indexes), std::move(entries)));
}

std::unique_ptr<CCityArtEdit> CCityArtEdit::Deleting(std::vector<int> indexes) {
    return std::unique_ptr<CCityArtEdit>(
        new CCityArtEdit("Delete City Art", false, std::move(indexes), {}));
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
    CountHeld();
}
