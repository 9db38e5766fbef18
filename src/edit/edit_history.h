#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <optional>

#include "edit/map_edit.h"

// The steps done and undone since the map was opened, made, imported or closed, bounded by the
// memory they hold: the oldest go first. The history also knows which step the saved file
// matches, so that undoing back to it leaves the map unmodified.
class CEditHistory {
  public:
    static constexpr size_t kMemoryLimit = size_t{256} << 20;

    // No steps; the map as it is counts as saved when it matches a file, else no state does.
    void Clear(bool matchesFile);
    // A step just done. Steps undone before it are dropped, and the oldest ones while the
    // history holds more than its limit; a step above the limit on its own leaves the history
    // empty, and the saved state out of reach.
    void Add(std::unique_ptr<CMapEdit> step);

    // The step that Undo reverts or Redo applies again; null when there is none.
    CMapEdit* NextToUndo() const;
    CMapEdit* NextToRedo() const;
    // Moves past that step, once it was reverted or applied.
    void StepBack();
    void StepForward();

    // The map is as it was last saved (or opened).
    bool IsClean() const { return clean == done; }
    void MarkClean() { clean = done; }

    size_t StepCount() const { return steps.size(); }
    size_t MemoryBytes() const { return bytes; }

  private:
    void DropOldest();

    struct Step {
        std::unique_ptr<CMapEdit> edit;
        size_t bytes;  // as counted when it was added
    };
    std::deque<Step> steps;
    size_t done = 0;  // steps before this index are applied
    std::optional<size_t> clean = 0;
    size_t bytes = 0;
};
