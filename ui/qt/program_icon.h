// The program icon: a baseball drawn at 32 x 32 and 16 x 16 in 16 colours.
#pragma once

#include <QIcon>

namespace diz {

// The window's and the application's icon, from the resources built into the
// ui library.
QIcon programIcon();

}  // namespace diz
