#include "art_generator.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

#include "art/art_catalog.h"
#include "colour_grading.h"
#include "reference_colours.h"
#include "river_piece_painter.h"

namespace {

// Runs the jobs on all cores. Each job writes only its own results, so the output does not
// depend on which thread ran what.
void RunInParallel(const std::vector<std::function<void()>>& jobs) {
    std::atomic<size_t> next = 0;
    auto work = [&] {
        for (size_t job = next++; job < jobs.size(); job = next++) {
            jobs[job]();
        }
    };
    std::vector<std::jthread> threads(std::max(1u, std::thread::hardware_concurrency()) - 1);
    for (std::jthread& thread : threads) {
        thread = std::jthread(work);
    }
    work();
}

}  // namespace

CArtSet CArtGenerator::Generate() const {
    std::span<const BuiltInSheetInfo> infos = BuiltInSheetInfos();
    std::vector<Sheet> sheets(infos.size(), {CArtImage(0, 0), {}});
    std::vector<CArtImage> wide;
    std::vector<CArtImage> narrow;
    std::vector<std::function<void()>> jobs = {[&] { wide = PaintRiverPieces(true); },
                                               [&] { narrow = PaintRiverPieces(false); }};
    for (size_t i = 0; i < infos.size(); ++i) {
        jobs.push_back([&, i] { sheets[i] = PaintSheet(infos[i].type); });
    }
    RunInParallel(jobs);

    CArtSet art;
    for (size_t i = 0; i < infos.size(); ++i) {
        art.AddBitmap(kSheetResourceBase + infos[i].type, std::move(sheets[i].image));
        for (int cell = 0; cell < infos[i].cellsWithArt; ++cell) {
            art.SetCellColour(infos[i].type, cell, sheets[i].colours[cell]);
        }
    }
    for (int n = 0; n < kRiverPieceCount; ++n) {
        art.AddBitmap(kWideRiverResourceBase + n, std::move(wide[n]));
        art.AddBitmap(kNarrowRiverResourceBase + n, std::move(narrow[n]));
    }
    return art;
}

CArtGenerator::Sheet CArtGenerator::PaintSheet(int type) const {
    const BuiltInSheetInfo& info = *FindBuiltInSheetInfo(type);
    Sheet sheet = {CArtImage(kArtSheetWidth, info.cellRows * kArtCellSize), {}};
    for (int cell = 0; cell < info.cellRows * kArtSheetColumns; ++cell) {
        int x = (cell % kArtSheetColumns) * kArtCellSize;
        int y = (cell / kArtSheetColumns) * kArtCellSize;
        sheet.image.Paste(PaintSheetCell(type, cell), x, y);
        if (cell < info.cellsWithArt) {
            sheet.colours.push_back(CentreAverage(sheet.image, x, y));
        }
    }
    return sheet;
}

CArtImage CArtGenerator::PaintSheetCell(int type, int cell) const {
    const CCellPainter& painter = painters.For(type);
    if (cell >= CellsWithArt(type)) {
        return painter.PaintGround();
    }
    CArtImage image = painter.PaintCell(cell);
    if (const Rgb* reference = ReferenceColour(type, cell)) {
        GradeCellTowards(image, *reference);
    }
    image.Quantise();
    return image;
}

std::vector<CArtImage> CArtGenerator::PaintRiverPieces(bool wide) {
    CRiverPiecePainter painter(wide ? CRiverPiecePainter::kWide : CRiverPiecePainter::kNarrow);
    std::vector<CArtImage> pieces;
    for (int n = 0; n < kRiverPieceCount; ++n) {
        pieces.push_back(painter.Paint(n));
    }
    return pieces;
}
