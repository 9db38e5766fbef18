#include "edit/edit_history.h"

void CEditHistory::Clear(bool matchesFile) {
    steps.clear();
    done = 0;
    clean = matchesFile ? std::optional<size_t>(0) : std::nullopt;
    bytes = 0;
}

void CEditHistory::Add(std::unique_ptr<CMapEdit> step) {
    while (steps.size() > done) {
        bytes -= steps.back().bytes;
        steps.pop_back();
    }
    if (clean && *clean > done) {
        clean.reset();  // the saved state was among the steps undone
    }
    const size_t stepBytes = step->MemoryBytes();
    if (stepBytes > kMemoryLimit) {
        steps.clear();
        bytes = 0;
        done = 0;
        clean.reset();
        return;
    }
    steps.push_back({std::move(step), stepBytes});
    bytes += stepBytes;
    ++done;
    while (bytes > kMemoryLimit) {
        DropOldest();
    }
}

void CEditHistory::DropOldest() {
    bytes -= steps.front().bytes;
    steps.pop_front();
    --done;
    if (clean) {
        clean = *clean == 0 ? std::nullopt : std::optional<size_t>(*clean - 1);
    }
}

CMapEdit* CEditHistory::NextToUndo() const {
    return done > 0 ? steps[done - 1].edit.get() : nullptr;
}

CMapEdit* CEditHistory::NextToRedo() const {
    return done < steps.size() ? steps[done].edit.get() : nullptr;
}

void CEditHistory::StepBack() {
    if (done > 0) {
        --done;
    }
}

void CEditHistory::StepForward() {
    if (done < steps.size()) {
        ++done;
    }
}
