#include "exact/game_figures.h"

namespace diz::exact {

RotationFigures rotationFigures(const HalfInningTable& table) {
    RotationFigures figures;
    rotationFiguresOf<1>(table, KeptFigures{}, &figures, 1);
    return figures;
}

ExactFigures gameFigures(const HalfInningTable& table, int leadoff) {
    return rotationFigures(table)[leadoff];
}

}  // namespace diz::exact
