// Qt widgets from the dialogs' templates (batch/dialogs.h): dialog units in
// pixels of the dialog's font, and one function that creates a template's
// controls.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <unordered_map>

#include "batch/dialogs.h"

class QWidget;

namespace diz {

// Converts dialog units to pixels from a font's metrics: a horizontal unit is
// a quarter of the average character width (measured over the 52 Latin
// letters), a vertical unit an eighth of the character height. Rectangles are
// converted edge by edge, rounding to the nearest pixel.
class DialogUnits {
  public:
    DialogUnits(int baseX, int baseY) : m_baseX(baseX), m_baseY(baseY) {}
    static DialogUnits fromFont(const QFont& font);

    int baseX() const { return m_baseX; }
    int baseY() const { return m_baseY; }
    QRect toPixels(int x, int y, int width, int height) const;
    QSize toPixels(int width, int height) const;

  private:
    int m_baseX;
    int m_baseY;
};

// The dialogs' font: kDialogFontFace at kDialogFontPoints where installed,
// else the metric-compatible kDialogFallbackFontFace, else the application's
// default at that size.
QFont dialogFont();

using ControlMap = std::unordered_map<int, QWidget*>;

// Sets the dialog's title, font and fixed client size from `dialogTemplate`
// and creates its controls as children of `dialog`, in template order, which
// becomes the tab order of the focusable ones. A static text wider than its
// rectangle in the dialog's font grows to the right rather than being cut. Returns the controls
// that have an identifier. The widgets are owned by `dialog`.
ControlMap buildDialog(QWidget& dialog, const DialogTemplate& dialogTemplate);

}  // namespace diz
