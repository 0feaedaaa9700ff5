#include "ui/qt/dialog_builder.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <algorithm>

#include "ui/qt/log_pane.h"
#include "ui/qt/program_icon.h"

namespace diz {
namespace {

// a * b / c rounded to the nearest integer, for non-negative a and positive b, c.
int mulDivRounded(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    return static_cast<int>((2 * product + c) / (2LL * c));
}

QWidget* makeControl(const ControlItem& item, QWidget& parent) {
    const QString caption = QString::fromUtf8(item.caption);
    switch (item.kind) {
        case ControlKind::Text: {
            auto* label = new QLabel(caption, &parent);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
        case ControlKind::GroupBox:
            return new QGroupBox(caption, &parent);
        case ControlKind::Icon: {
            auto* label = new QLabel(&parent);
            label->setPixmap(programIcon().pixmap(32, 32));
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
        case ControlKind::Edit:
            return new QLineEdit(caption, &parent);
        case ControlKind::ReadOnlyEdit: {
            auto* edit = new QLineEdit(caption, &parent);
            edit->setReadOnly(true);
            return edit;
        }
        case ControlKind::LogPane:
            return new LogPane(&parent);
        case ControlKind::CheckBox:
            return new QCheckBox(caption, &parent);
        case ControlKind::PushButton:
        case ControlKind::DefaultPushButton: {
            auto* button = new QPushButton(caption, &parent);
            // Inside a QDialog every button would become a default button when
            // focused; only the one marked default answers Enter from elsewhere.
            button->setAutoDefault(false);
            button->setDefault(item.kind == ControlKind::DefaultPushButton);
            return button;
        }
    }
    return nullptr;
}

bool takesFocus(ControlKind kind) {
    return kind != ControlKind::Text && kind != ControlKind::GroupBox && kind != ControlKind::Icon;
}

}  // namespace

DialogUnits DialogUnits::fromFont(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return DialogUnits((letters / 26 + 1) / 2, metrics.height());
}

QRect DialogUnits::toPixels(int x, int y, int width, int height) const {
    const int left = mulDivRounded(x, m_baseX, 4);
    const int top = mulDivRounded(y, m_baseY, 8);
    const int right = mulDivRounded(x + width, m_baseX, 4);
    const int bottom = mulDivRounded(y + height, m_baseY, 8);
    return QRect(left, top, right - left, bottom - top);
}

QSize DialogUnits::toPixels(int width, int height) const {
    return QSize(mulDivRounded(width, m_baseX, 4), mulDivRounded(height, m_baseY, 8));
}

QFont dialogFont() {
    const QStringList installed = QFontDatabase::families();
    for (const std::string_view family : {kDialogFontFace, kDialogFallbackFontFace}) {
        const QString name = QString::fromUtf8(family);
        if (installed.contains(name)) {
            QFont font(name);
            font.setPointSize(kDialogFontPoints);
            return font;
        }
    }
    QFont font;
    font.setPointSize(kDialogFontPoints);
    return font;
}

ControlMap buildDialog(QWidget& dialog, const DialogTemplate& dialogTemplate) {
    dialog.setWindowTitle(QString::fromUtf8(dialogTemplate.caption));
    dialog.setFont(dialogFont());
    const DialogUnits units = DialogUnits::fromFont(dialog.font());
    dialog.setFixedSize(units.toPixels(dialogTemplate.width, dialogTemplate.height));

    ControlMap controls;
    QWidget* previousInTabOrder = nullptr;
    for (const ControlItem& item : dialogTemplate.controls) {
        QWidget* control = makeControl(item, dialog);
        QRect geometry = units.toPixels(item.x, item.y, item.width, item.height);
        if (item.kind == ControlKind::Text) {
            // A static text is never clipped: where the font's glyphs run wider
            // than the template allows, the text extends to the right.
            const int textWidth =
                QFontMetrics(dialog.font()).horizontalAdvance(QString::fromUtf8(item.caption));
            geometry.setWidth(std::max(geometry.width(), textWidth));
        }
        control->setGeometry(geometry);
        if (takesFocus(item.kind)) {
            if (previousInTabOrder != nullptr) QWidget::setTabOrder(previousInTabOrder, control);
            previousInTabOrder = control;
        } else {
            control->setFocusPolicy(Qt::NoFocus);
        }
        if (item.id != kNoId) controls.emplace(item.id, control);
    }
    return controls;
}

}  // namespace diz
