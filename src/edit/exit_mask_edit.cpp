#include "edit/exit_mask_edit.h"

CExitMaskEdit::CExitMaskEdit(int type, const Masks& before, const Masks& after)
    : CMapEdit("Exit Table"), type(type), before(before), after(after) {}

void CExitMaskEdit::Apply(MapTarget& target) {
    target.art.CustomArtFor(type)->exitMasks = after;
}

void CExitMaskEdit::Revert(MapTarget& target) {
    target.art.CustomArtFor(type)->exitMasks = before;
}
