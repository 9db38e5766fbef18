#include "edit/city_art_edit.h"

#include <gtest/gtest.h>

#include "edit_test_map.h"
#include "support/temp_dir.h"

namespace {

std::vector<std::string> Names(const CMapArt& art) {
    std::vector<std::string> names;
    for (int i = 0; i < art.CityArt().GetCount(); ++i) {
        names.push_back(art.CityArt().GetAt(i)->name.value_or("?"));
    }
    return names;
}

std::unique_ptr<CTerrainArt> Picture(const TempDir& dir, const std::string& name) {
    auto entry = std::make_unique<CTerrainArt>();
    EXPECT_EQ(entry->LoadNamed(SavePatternPicture(dir.File(name), 40, 30)), 0);
    return entry;
}

// Pictures added after the list's entries and pictures deleted from it go and come back at
// their places; the edit counts the pictures it holds while they are out of the list.
TEST(CityArtEditTest, AddedAndDeletedPicturesKeepTheirPlaces) {
    EditTestMap test;
    TempDir dir;
    CMapArt& art = test.map.art;
    art.AppendCityArt(Picture(dir, "a.bmp").release());
    std::vector<std::unique_ptr<CTerrainArt>> entries;
    entries.push_back(Picture(dir, "b.bmp"));
    entries.push_back(Picture(dir, "c.bmp"));
    const size_t pictureBytes = entries[0]->full.GetBufferSize();

    auto added = CCityArtEdit::Adding(1, std::move(entries));
    EXPECT_GE(added->MemoryBytes(), 2 * pictureBytes);
    added->Apply(test.target);
    EXPECT_EQ(Names(art), (std::vector<std::string>{"a.bmp", "b.bmp", "c.bmp"}));
    added->Revert(test.target);
    EXPECT_EQ(Names(art), std::vector<std::string>{"a.bmp"});
    added->Apply(test.target);

    auto deleted = CCityArtEdit::Deleting({0, 2});
    deleted->Apply(test.target);
    EXPECT_EQ(Names(art), std::vector<std::string>{"b.bmp"});
    EXPECT_GE(deleted->MemoryBytes(), 2 * pictureBytes);
    deleted->Revert(test.target);
    EXPECT_EQ(Names(art), (std::vector<std::string>{"a.bmp", "b.bmp", "c.bmp"}));
    deleted->Apply(test.target);
    EXPECT_EQ(Names(art), std::vector<std::string>{"b.bmp"});
}

}  // namespace
