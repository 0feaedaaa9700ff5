#include "ui/qt/program_icon.h"

namespace diz {

QIcon programIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/diz/diz-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/diz/diz-16.png"), QSize(16, 16));
    return icon;
}

}  // namespace diz
