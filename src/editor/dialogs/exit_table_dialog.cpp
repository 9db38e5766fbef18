#include "editor/dialogs/exit_table_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "art/custom_terrain_art.h"
#include "editor/dialogs/dialog_units.h"
#include "editor/dialogs/exit_table_picture.h"
#include "model/tile_grid.h"

namespace {

constexpr int kCell = 50;
constexpr int kCells = 9;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlack = 0x000000;

struct MarkRect {
    int left;
    int top;
    int right;
    int bottom;
};

// By direction, clockwise from the top edge. Marks on the left and top sides leave the cell's
// first pixel to the grid line.
constexpr MarkRect kMarks[8] = {
    {20, 1, 30, 10},  {40, 1, 50, 10}, {40, 20, 50, 30}, {40, 40, 50, 50},
    {20, 40, 30, 50}, {1, 40, 10, 50}, {1, 20, 10, 30},  {1, 1, 10, 10},
};

// The directions of the nine zones of a cell, by zone row and zone column; -1 is all eight.
constexpr int kZoneDirections[3][3] = {{7, 0, 1}, {6, -1, 2}, {5, 4, 3}};

int Zone(int offset) {
    return offset < 17 ? 0 : offset < 34 ? 1 : 2;
}

}  // namespace

CExitTableDialog::CExitTableDialog(const CCustomTerrainArt& art, QWidget* parent)
    : QDialog(parent), art(art), masks(art.exitMasks) {
    setWindowTitle("Edit Exit Table");
    DrawSheet();
    picture = new CExitTablePicture(workingPicture, this);
    picture->setObjectName("picture");
    connect(picture, &CExitTablePicture::Clicked, this, &CExitTableDialog::ClickAt);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* help = new QLabel(
        "Click tile corners or edges to toggle exits on and off, or the center to toggle all "
        "eight. \n Green shows valid exits for track and red shows invalid exits.",
        this);
    help->setWordWrap(true);
    help->setFixedWidth(DialogUnitsX(*help, 89));
    auto* layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(buttons, 0, 1, Qt::AlignTop | Qt::AlignRight);
    layout->addWidget(help, 1, 1, Qt::AlignTop);
    layout->setRowStretch(2, 1);
}

void CExitTableDialog::DrawSheet() {
    const CDibImage& half = art.half;
    workingPicture.Create(half.GetWidth(), half.GetHeight(), 3);
    workingPicture.CopyRect(0, 0, half.GetWidth(), half.GetHeight(), 0, 0, half);
    for (int row = 0; row < kCells; ++row) {
        int y = row * kCell;
        for (int column = 0; column < kCells; ++column) {
            int x = column * kCell;
            DrawMarks(row, column, -1);
            if (x > 0) {
                workingPicture.FillRect(x, y, 1, kCell, kBlack);
            }
        }
        if (y > 0) {
            workingPicture.FillRect(0, y, kCells * kCell, 1, kBlack);
        }
    }
}

void CExitTableDialog::DrawMarks(int row, int column, int direction) {
    for (int d = 0; d < 8; ++d) {
        if (direction != -1 && d != direction) {
            continue;
        }
        const MarkRect& mark = kMarks[d];
        workingPicture.FillRect(column * kCell + mark.left, row * kCell + mark.top,
                                mark.right - mark.left, mark.bottom - mark.top,
                                IsOpen(row, column, d) ? kGreen : kRed);
    }
}

void CExitTableDialog::ClickAt(QPoint position) {
    if (position.x() < 0 || position.y() < 0) {
        return;
    }
    int column = position.x() / kCell;
    int row = position.y() / kCell;
    if (column >= kCells || row >= kCells) {
        return;
    }
    int direction = kZoneDirections[Zone(position.y() % kCell)][Zone(position.x() % kCell)];
    masks[row * kCells + column] ^= direction == -1 ? 0xFF : 1 << direction;
    clicked = true;
    DrawMarks(row, column, direction);
    picture->update();
}

bool CExitTableDialog::IsOpen(int row, int column, int direction) const {
    return (masks[row * kCells + column] >> direction & 1) != 0;
}
