#include <cstring>
#include <iterator>

#include "mapfile/map_sections.h"
#include "mapfile/section_io.h"

namespace {

// The 32-bit fields of a record in stored order; the eight resource bytes follow them.
constexpr int32_t CTerrainType::*kFields[] = {
    &CTerrainType::typeNumber,     &CTerrainType::rightOfWayCost, &CTerrainType::trackCost,
    &CTerrainType::reserved1,      &CTerrainType::reserved2,      &CTerrainType::altitudeLevel,
    &CTerrainType::fourthValue,    &CTerrainType::exitTable,      &CTerrainType::stampTable,
    &CTerrainType::allowSignposts, &CTerrainType::allowCities,    &CTerrainType::subtypeCount,
    &CTerrainType::setCount,
};
constexpr int kRecordIntegers = std::size(kFields);
static_assert(kRecordIntegers * 4 + kResourceSlots == kTerrainRecordBytes);

}  // namespace

void PutTerrainRecord(const CTerrainType& record, uint8_t* bytes) {
    for (int i = 0; i < kRecordIntegers; ++i) {
        PutLe32(bytes + 4 * i, static_cast<uint32_t>(record.*kFields[i]));
    }
    std::memcpy(bytes + 4 * kRecordIntegers, record.resources, kResourceSlots);
}

void GetTerrainRecord(const uint8_t* bytes, CTerrainType& record) {
    for (int i = 0; i < kRecordIntegers; ++i) {
        record.*kFields[i] = static_cast<int32_t>(GetLe32(bytes + 4 * i));
    }
    std::memcpy(record.resources, bytes + 4 * kRecordIntegers, kResourceSlots);
}

int WriteGameData(CMapArchive& archive, const CTerrainTable& table) {
    archive.WriteInt32(table.milesPerTile);
    for (int type = 0; type < kStoredTerrainTypes; ++type) {
        uint8_t bytes[kTerrainRecordBytes];
        PutTerrainRecord(table.records[type], bytes);
        archive.Write(bytes, kTerrainRecordBytes);
    }
    return 0;
}

int ReadGameData(CMapArchive& archive, CTerrainTable& table) {
    int32_t miles = archive.ReadInt32();
    uint8_t bytes[kStoredTerrainTypes * kTerrainRecordBytes];
    if (archive.Read(bytes, sizeof bytes) != sizeof bytes) {
        throw CArchiveEndOfFile();
    }
    table.milesPerTile = miles;
    for (int type = 0; type < kStoredTerrainTypes; ++type) {
        GetTerrainRecord(bytes + type * kTerrainRecordBytes, table.records[type]);
    }
    return 0;
}
