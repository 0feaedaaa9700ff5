// Dialogs described as data: every control with its identifier, kind, position
// and size in dialog units and its caption, in creation order, which is also
// the tab order. One function turns such a template into widgets.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <span>
#include <unordered_map>

class QWidget;

namespace diz {

// Identifier of a control that is never looked up (labels, frames).
inline constexpr int kNoId = -1;

enum class ControlKind {
    Text,               // static text, left-aligned, takes no focus
    GroupBox,           // a frame with a caption over other controls
    Icon,               // the program icon, 32 x 32
    Edit,               // single-line edit with a border
    ReadOnlyEdit,       // single-line edit that can be focused and selected, not changed
    LogPane,            // multi-line, read-only, vertical scroll bar, wraps lines
    CheckBox,           // two-state
    PushButton,         // never the default button
    DefaultPushButton,  // pressed by Enter wherever the focus is
};

struct ControlItem {
    int id;
    ControlKind kind;
    int x, y, width, height;  // dialog units from the client area's top-left
    const char* caption;      // UTF-8
};

struct DialogTemplate {
    const char* caption;  // UTF-8 window title
    int width, height;    // client area in dialog units
    std::span<const ControlItem> controls;
};

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

// The dialogs' font: 9-point "ＭＳ Ｐゴシック" where installed, else the
// metric-compatible IPAPGothic, else the application's default at 9 points.
QFont dialogFont();

using ControlMap = std::unordered_map<int, QWidget*>;

// Sets the dialog's title, font and fixed client size from `dialogTemplate`
// and creates its controls as children of `dialog`, in template order, which
// becomes the tab order of the focusable ones. A static text wider than its
// rectangle in the dialog's font grows to the right rather than being cut. Returns the controls
// that have an identifier. The widgets are owned by `dialog`.
ControlMap buildDialog(QWidget& dialog, const DialogTemplate& dialogTemplate);

}  // namespace diz
