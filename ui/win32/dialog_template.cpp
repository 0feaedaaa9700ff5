#include "ui/win32/dialog_template.h"

#include <cstring>

#include "ui/win32/handles.h"
#include "ui/win32/wide_text.h"

namespace diz::win32 {

// Writes the fields of a DLGTEMPLATEEX and its DLGITEMTEMPLATEEX entries
// (documented field by field in the Windows SDK; they have no structure in
// its headers) one after another, WORD by WORD.
class DialogResourceWriter {
  public:
    void word(WORD value) { m_bytes.insert(m_bytes.end(), {lowByte(value), highByte(value)}); }
    void dword(DWORD value) {
        word(LOWORD(value));
        word(HIWORD(value));
    }
    void coordinate(int value) { word(static_cast<WORD>(static_cast<short>(value))); }
    void text(std::wstring_view value) {
        for (const wchar_t c : value) word(static_cast<WORD>(c));
        word(0);
    }
    void ordinal(WORD value) {
        word(0xFFFF);
        word(value);
    }
    void alignToDword() {
        while (m_bytes.size() % sizeof(DWORD) != 0) m_bytes.push_back(0);
    }
    DialogResource finish() {
        alignToDword();
        DialogResource resource;
        resource.m_words.resize(m_bytes.size() / sizeof(DWORD));
        std::memcpy(resource.m_words.data(), m_bytes.data(), m_bytes.size());
        return resource;
    }

  private:
    static unsigned char lowByte(WORD value) { return static_cast<unsigned char>(value & 0xFF); }
    static unsigned char highByte(WORD value) { return static_cast<unsigned char>(value >> 8); }
    std::vector<unsigned char> m_bytes;
};

namespace {

constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;

int CALLBACK noteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool fontInstalled(std::wstring_view face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    WindowDc screen(nullptr);
    EnumFontFamiliesExW(screen.get(), &wanted, noteFamily, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

DWORD mainDialogStyle() { return modalDialogStyle() | DS_CENTER; }
DWORD mainDialogExStyle() { return WS_EX_APPWINDOW; }
DWORD modalDialogStyle() { return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME; }

ControlClass controlClass(ControlKind kind) {
    constexpr DWORD child = WS_CHILD | WS_VISIBLE;
    switch (kind) {
        case ControlKind::Text:
            return {kStaticAtom, child | SS_LEFT | SS_NOPREFIX | WS_GROUP, 0};
        case ControlKind::GroupBox:
            return {kButtonAtom, child | BS_GROUPBOX, 0};
        case ControlKind::Icon:
            return {kStaticAtom, child | SS_ICON, 0};
        case ControlKind::Edit:
            return {kEditAtom, child | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::ReadOnlyEdit:
            return {kEditAtom, child | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY,
                    WS_EX_CLIENTEDGE};
        case ControlKind::LogPane:
            // No ES_AUTOHSCROLL, so lines wrap at the pane's width; Enter is
            // the pane's own (and does nothing there), never the dialog's.
            return {kEditAtom,
                    child | WS_TABSTOP | WS_VSCROLL | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL |
                        ES_READONLY | ES_WANTRETURN,
                    WS_EX_CLIENTEDGE};
        case ControlKind::CheckBox:
            return {kButtonAtom, child | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
        case ControlKind::PushButton:
            return {kButtonAtom, child | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_MULTILINE, 0};
        case ControlKind::DefaultPushButton:
            return {kButtonAtom, child | WS_TABSTOP | BS_DEFPUSHBUTTON | BS_CENTER, 0};
    }
    return {kStaticAtom, child, 0};
}

DialogResource buildDialogResource(const DialogFrame& frame,
                                   std::span<const ControlItem> controls) {
    DialogResourceWriter out;
    out.word(1);       // dlgVer
    out.word(0xFFFF);  // signature: the extended template
    out.dword(0);      // helpID
    out.dword(frame.exStyle);
    out.dword(frame.style | DS_SETFONT);
    out.word(static_cast<WORD>(controls.size()));
    out.coordinate(0);
    out.coordinate(0);
    out.coordinate(frame.width);
    out.coordinate(frame.height);
    out.word(0);  // no menu
    out.word(0);  // the dialog manager's own window class
    out.text(toWide(frame.caption));
    out.word(static_cast<WORD>(frame.fontPoints));
    out.word(FW_NORMAL);
    out.word(MAKEWORD(FALSE, DEFAULT_CHARSET));  // italic, then the character set
    out.text(frame.fontFace);

    for (const ControlItem& item : controls) {
        const ControlClass type = controlClass(item.kind);
        out.alignToDword();
        out.dword(0);  // helpID
        out.dword(type.exStyle);
        out.dword(type.style);
        out.coordinate(item.x);
        out.coordinate(item.y);
        out.coordinate(item.width);
        out.coordinate(item.height);
        out.dword(static_cast<DWORD>(item.id));
        out.ordinal(type.atom);
        if (item.kind == ControlKind::Icon) {
            out.ordinal(static_cast<WORD>(kProgramIconId));
        } else {
            out.text(toWide(item.caption));
        }
        out.word(0);  // no creation data
    }
    return out.finish();
}

DialogResource buildDialogResource(const DialogTemplate& dialog, DWORD style, DWORD exStyle) {
    DialogFrame frame;
    frame.caption = dialog.caption;
    frame.width = dialog.width;
    frame.height = dialog.height;
    frame.style = style;
    frame.exStyle = exStyle;
    frame.fontFace = dialogFontFace();
    return buildDialogResource(frame, dialog.controls);
}

void fitStaticTexts(HWND dialog) {
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    WindowDc dc(dialog);
    const SelectedObject selected(dc.get(), font);
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        if (lstrcmpiW(className, L"Static") != 0 || (style & SS_TYPEMASK) != SS_LEFT) continue;
        const int length = GetWindowTextLengthW(child);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(child, text.data(), length + 1)));
        SIZE extent{};
        GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
        RECT box{};
        GetWindowRect(child, &box);
        if (extent.cx <= box.right - box.left) continue;
        SetWindowPos(child, nullptr, 0, 0, extent.cx, box.bottom - box.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

const std::wstring& dialogFontFace() {
    static const std::wstring face = [] {
        const std::wstring preferred = toWide(kDialogFontFace);
        if (fontInstalled(preferred)) return preferred;
        const std::wstring fallback = toWide(kDialogFallbackFontFace);
        return fontInstalled(fallback) ? fallback : preferred;
    }();
    return face;
}

}  // namespace diz::win32
