#pragma once

#include <utility>
#include <vector>

class CMapSession;

// Marks the tiles that an edit (what, as "The stroke") left without a fitting cell and says in
// the status bar how many there are; nothing when there are none.
void ShowUnfit(CMapSession& session, const std::vector<std::pair<int, int>>& tiles,
               const char* what);
