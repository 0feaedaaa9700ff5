// Windows dialog templates (DLGTEMPLATEEX) made in memory from the core's
// dialog tables (batch/dialogs.h), so that the dialog manager creates every
// control with its identifier, class, style, position in dialog units and
// caption, in the table's order, which is the tab order.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/dialogs.h"

namespace diz::win32 {

// The frame of a dialog: everything its template holds besides the controls.
struct DialogFrame {
    std::string_view caption;   // UTF-8
    int width = 0, height = 0;  // client area in dialog units
    DWORD style = 0;            // window styles; DS_SETFONT is always added
    DWORD exStyle = 0;
    std::wstring_view fontFace;
    int fontPoints = kDialogFontPoints;
};

// The frames of the two dialogs of batch/dialogs.h: a modal frame with the
// system menu and the close box, no minimise or maximise box. The main
// window opens centred on the screen with a task-bar button of its own.
DWORD mainDialogStyle();
DWORD mainDialogExStyle();
DWORD modalDialogStyle();

// The window class and styles a control of the core's kind is made with.
struct ControlClass {
    WORD atom;  // the system class: 0x0080 button, 0x0081 edit, 0x0082 static
    DWORD style;
    DWORD exStyle;
};
ControlClass controlClass(ControlKind kind);

// A dialog template in memory, DWORD-aligned as the dialog manager needs it.
class DialogResource {
  public:
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }
    std::size_t sizeInBytes() const { return m_words.size() * sizeof(DWORD); }

  private:
    friend class DialogResourceWriter;
    std::vector<DWORD> m_words;
};

// The template of `frame` with `controls`, made as controlClass() says. An
// icon control shows icon resource kProgramIconId of the module the dialog
// is created from; a control without identifier gets kNoId.
DialogResource buildDialogResource(const DialogFrame& frame, std::span<const ControlItem> controls);

// The template of one of the core's dialogs with the given styles, set in
// dialogFontFace() at kDialogFontPoints.
DialogResource buildDialogResource(const DialogTemplate& dialog, DWORD style, DWORD exStyle);

// Widens every static text of `dialog` whose caption runs wider in the
// dialog's font than its rectangle, to the right, so that no text is cut.
void fitStaticTexts(HWND dialog);

// kDialogFontFace when the system has it, else kDialogFallbackFontFace when
// it has that, else kDialogFontFace all the same (the font mapper then
// stands in what it finds closest). Looked up once.
const std::wstring& dialogFontFace();

}  // namespace diz::win32
