#include "ui/win32/roster_window.h"

#include <commctrl.h>

#include <algorithm>

#include "batch/dialogs.h"
#include "batch/field_text.h"
#include "batch/messages.h"
#include "batch/window_model.h"
#include "ui/win32/child_controls.h"
#include "ui/win32/dialog_template.h"
#include "ui/win32/progress_bar.h"
#include "ui/win32/text_width.h"
#include "ui/win32/wide_text.h"

namespace diz::win32 {
namespace {

// Posted to the window: open the editor over the cell (wParam's row,
// lParam's column) once the list has done with the double click.
constexpr UINT kEditMessage = WM_APP + 1;
// The search only counts; the window reads the count a few times a second.
constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollIntervalMs = 100;

// The frame in dialog units: about 980 x 640 pixels in the dialogs' font at
// 96 dots per inch, as big as the Qt window opens.
constexpr int kFrameWidth = 560;
constexpr int kFrameHeight = 394;
constexpr int kMinimumWidth = 360;  // dialog units
constexpr int kMinimumHeight = 260;
// The status shows this many lines at most, scrolling for more.
constexpr int kStatusLinesMax = 6;

DWORD frameStyle() {
    return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
           DS_CENTER;
}

bool isMarkColumn(int column) { return column >= kRosterTableColumns; }

// The texts a mark column offers, in the order of PlayerRole or of the slots.
std::vector<std::string> markChoices(int column) {
    std::vector<std::string> choices;
    if (column == rosterTable::kRole) {
        for (const std::string_view text : kRoleTexts) choices.emplace_back(text);
    } else {
        for (int slot = 0; slot <= kLineupSize; ++slot) choices.push_back(slotText(slot));
    }
    return choices;
}

}  // namespace

RosterWindow::RosterWindow(HINSTANCE instance, HWND owner) : m_instance(instance) {
    DialogFrame frame;
    frame.caption = msg::kRosterTitle;
    frame.width = kFrameWidth;
    frame.height = kFrameHeight;
    frame.style = frameStyle();
    frame.fontFace = dialogFontFace();
    const DialogResource resource = buildDialogResource(frame, {});
    CreateDialogIndirectParamW(instance, resource.get(), owner, dialogProc,
                               reinterpret_cast<LPARAM>(this));
}

RosterWindow::~RosterWindow() {
    stopRun();
    m_window.reset();
}

INT_PTR CALLBACK RosterWindow::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<RosterWindow*>(lParam)->initialise(window);
        return FALSE;
    }
    auto* self = reinterpret_cast<RosterWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    if (self == nullptr) return FALSE;
    switch (message) {
        case WM_COMMAND:
            self->command(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_NOTIFY:
            SetWindowLongPtrW(window, DWLP_MSGRESULT,
                              self->notify(*reinterpret_cast<NMHDR*>(lParam)));
            return TRUE;
        case WM_SIZE:
            self->layOut();
            return TRUE;
        case WM_GETMINMAXINFO:
            self->limitSize(*reinterpret_cast<MINMAXINFO*>(lParam));
            return TRUE;
        case WM_TIMER:
            if (wParam != kPollTimer) return FALSE;
            self->poll();
            return TRUE;
        case kEditMessage:
            self->editCell(static_cast<int>(wParam), static_cast<int>(lParam));
            return TRUE;
        case WM_CLOSE:
            self->close();
            return TRUE;
        case WM_DESTROY:
            self->stopRun();
            return FALSE;
        case WM_NCDESTROY:
            self->detach();
            return FALSE;
        default:
            return FALSE;
    }
}

void RosterWindow::initialise(HWND window) {
    m_window = UniqueWindow(window);
    m_systemChooser = std::make_unique<SystemFileChooser>(window);
    setProgramIcons(window, m_instance);
    createControls();
    layOut();
}

void RosterWindow::createControls() {
    const HWND window = m_window.get();
    const auto make = [&](DWORD exStyle, const wchar_t* type, std::string_view caption, DWORD style,
                          int id) {
        return makeControl(window, m_instance, exStyle, type, caption, style, id);
    };
    const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
    make(0, WC_BUTTONW, msg::kRosterImport, button | WS_GROUP, kImport);
    make(0, WC_BUTTONW, msg::kRosterFromRows, button, kFromRows);
    make(0, WC_BUTTONW, msg::kRosterExport, button, kSave);
    make(0, WC_STATICW, msg::kRosterDefaultRates, SS_LEFT | SS_NOPREFIX, kRatesLabel);
    for (int r = 0; r < 3; ++r) {
        make(WS_EX_CLIENTEDGE, WC_EDITW, formatNumber(kDefaultRunningRates[r]),
             ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, kFirstRate + r);
    }

    // The editors lie over the list, which must not paint over them.
    const HWND table = make(WS_EX_CLIENTEDGE, WC_LISTVIEWW, "",
                            LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                WS_CLIPSIBLINGS | WS_TABSTOP | WS_GROUP,
                            kTable);
    ListView_SetExtendedListViewStyle(table, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int column = 0; column < rosterTable::kColumnCount; ++column) {
        const std::wstring title = toWide(RosterTable::heading(column));
        LVCOLUMNW item{};
        item.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        // The batter fields are figures; the name and the marks are words.
        item.fmt = column > 0 && !isMarkColumn(column) ? LVCFMT_RIGHT : LVCFMT_LEFT;
        item.cx = textWidth(table, title) + 24;
        item.pszText = const_cast<wchar_t*>(title.c_str());
        item.iSubItem = column;
        ListView_InsertColumn(table, column, &item);
    }
    ShowWindow(make(0, WC_EDITW, "", ES_LEFT | ES_AUTOHSCROLL | WS_BORDER, kCellEdit), SW_HIDE);
    ShowWindow(make(0, WC_COMBOBOXW, "", CBS_DROPDOWNLIST | WS_VSCROLL, kCellChoice), SW_HIDE);

    make(0, WC_BUTTONW, msg::kRosterSearch, button | WS_GROUP, kSearch);
    make(0, PROGRESS_CLASSW, "", 0, kProgress);
    EnableWindow(make(0, WC_BUTTONW, msg::kRankingCancel, button, kCancel), FALSE);
    // Read-only and borderless: it looks like a label and can be selected.
    make(0, WC_EDITW, msg::kRosterEmpty, ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
         kStatus);
    make(0, WC_STATICW, msg::kRosterLineups, SS_LEFT | SS_NOPREFIX, kLineupsLabel);
    make(WS_EX_CLIENTEDGE, WC_LISTBOXW, "",
         LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | WS_GROUP,
         kLineups);
    EnableWindow(make(0, WC_BUTTONW, msg::kRosterPut, button | WS_GROUP, kPut), FALSE);
    showTable();
}

void RosterWindow::limitSize(MINMAXINFO& limits) const {
    RECT minimum{0, 0, kMinimumWidth, kMinimumHeight};
    MapDialogRect(m_window.get(), &minimum);
    limits.ptMinTrackSize = {minimum.right, minimum.bottom};
}

void RosterWindow::detach() {
    // The system destroys the window (with its owner): nothing may reach
    // this object any more.
    SetWindowLongPtrW(m_window.get(), DWLP_USER, 0);
    m_window.release();
}

HWND RosterWindow::control(int id) const {
    return m_window ? GetDlgItem(m_window.get(), id) : nullptr;
}

void RosterWindow::layOut() {
    const HWND window = m_window.get();
    if (window == nullptr || control(kPut) == nullptr) return;
    endEdit(true);  // the editor would no longer lie over its cell
    const auto units = [window](int x, int y) {
        RECT box{0, 0, x, y};
        MapDialogRect(window, &box);
        return POINT{box.right, box.bottom};
    };
    RECT client{};
    GetClientRect(window, &client);
    const POINT margin = units(7, 7);
    const POINT gap = units(4, 3);
    const int lineHeight = units(0, 10).y;
    const int fieldHeight = units(0, 12).y;
    const int buttonHeight = units(0, 14).y;
    const int buttonPadding = units(16, 0).x;
    const int width = client.right - 2 * margin.x;
    const auto place = [window](int id, int x, int y, int w, int h) {
        MoveWindow(GetDlgItem(window, id), x, y, std::max(0, w), std::max(0, h), FALSE);
    };
    const auto buttonWidth = [&](int id) {
        return std::max(static_cast<int>(units(50, 0).x),
                        textWidth(GetDlgItem(window, id)) + buttonPadding);
    };

    int y = margin.y;
    int x = margin.x;
    for (const int id : {kImport, kFromRows, kSave}) {
        const int w = buttonWidth(id);
        place(id, x, y, w, buttonHeight);
        x += w + gap.x;
    }
    y += buttonHeight + gap.y;
    const int labelWidth = textWidth(control(kRatesLabel));
    place(kRatesLabel, margin.x, y + (fieldHeight - lineHeight) / 2, labelWidth, lineHeight);
    x = margin.x + labelWidth + gap.x;
    for (int r = 0; r < 3; ++r) {
        const int w = units(40, 0).x;
        place(kFirstRate + r, x, y, w, fieldHeight);
        x += w + gap.x;
    }
    y += fieldHeight + gap.y;

    // Below the list: the search row, the status, the heading of
    // the lineups, the lineups and the put button; the list and the lineups
    // share the rest 3 : 2.
    const int statusHeight = m_statusLines * lineHeight;
    const int fixed = buttonHeight + gap.y + statusHeight + gap.y + lineHeight + gap.y + gap.y +
                      buttonHeight + 2 * gap.y;
    const int shared = std::max(0, static_cast<int>(client.bottom - margin.y) - y - fixed);
    const int tableHeight = shared * 3 / 5;
    place(kTable, margin.x, y, width, tableHeight);
    y += tableHeight + gap.y;
    const int searchWidth = buttonWidth(kSearch);
    const int cancelWidth = buttonWidth(kCancel);
    place(kSearch, margin.x, y, searchWidth, buttonHeight);
    place(kProgress, margin.x + searchWidth + gap.x, y + (buttonHeight - lineHeight) / 2,
          width - searchWidth - cancelWidth - 2 * gap.x, lineHeight);
    place(kCancel, client.right - margin.x - cancelWidth, y, cancelWidth, buttonHeight);
    y += buttonHeight + gap.y;
    place(kStatus, margin.x, y, width, statusHeight);
    y += statusHeight + gap.y;
    place(kLineupsLabel, margin.x, y, width, lineHeight);
    y += lineHeight + gap.y;
    const int lineupsHeight = shared - tableHeight;
    place(kLineups, margin.x, y, width, lineupsHeight);
    y += lineupsHeight + gap.y;
    place(kPut, margin.x, y, buttonWidth(kPut), buttonHeight);
    InvalidateRect(window, nullptr, TRUE);
}

void RosterWindow::show() {
    const HWND window = m_window.get();
    if (window == nullptr) return;
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window);
}

void RosterWindow::command(int id, int code) {
    switch (id) {
        case IDOK:  // Enter outside a push button
            enterPressed();
            return;
        case IDCANCEL:  // Escape: drops an edit, else nothing
            cancelEdit();
            return;
        case kImport:
            if (code == BN_CLICKED) importRoster();
            return;
        case kFromRows:
            if (code == BN_CLICKED) makeFromRows();
            return;
        case kSave:
            if (code == BN_CLICKED) saveRoster();
            return;
        case kSearch:
            if (code == BN_CLICKED) search();
            return;
        case kCancel:
            if (code == BN_CLICKED) cancel();
            return;
        case kPut:
            if (code == BN_CLICKED) putLineup();
            return;
        case kLineups:
            if (code == LBN_DBLCLK) putLineup();
            return;
        case kCellEdit:
            if (code == EN_KILLFOCUS) commitEdit();
            return;
        case kCellChoice:
            if (code == CBN_KILLFOCUS) commitEdit();
            return;
        default:
            return;
    }
}

void RosterWindow::enterPressed() {
    const HWND focus = GetFocus();
    if (focus == control(kCellEdit) || focus == control(kCellChoice)) {
        commitEdit();
    } else if (focus == control(kTable)) {
        editCell(focusedRow(), m_column);
    } else if (focus == control(kLineups)) {
        putLineup();
    }
}

LRESULT RosterWindow::notify(NMHDR& header) {
    if (header.idFrom != kTable) return 0;
    const HWND table = control(kTable);
    // The cell under the mouse of a click.
    const auto hit = [table](POINT at) {
        LVHITTESTINFO info{};
        info.pt = at;
        ListView_SubItemHitTest(table, &info);
        return info;
    };
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
            if ((item.mask & LVIF_TEXT) == 0 || item.cchTextMax <= 0) return 0;
            item.pszText[0] = L'\0';
            if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= m_table.size() ||
                item.iSubItem < 0 || item.iSubItem >= rosterTable::kColumnCount) {
                return 0;
            }
            const std::wstring text = toWide(shownCell(item.iItem, item.iSubItem));
            const std::size_t length =
                std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
            std::copy_n(text.data(), length, item.pszText);
            item.pszText[length] = L'\0';
            return 0;
        }
        case LVN_COLUMNCLICK:
            sortByHeading(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
            return 0;
        case NM_CLICK: {
            const LVHITTESTINFO info =
                hit(reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction);
            if (info.iItem >= 0 && info.iSubItem >= 0) {
                m_column = info.iSubItem;
                InvalidateRect(table, nullptr, FALSE);
            }
            return 0;
        }
        case NM_DBLCLK: {
            const LVHITTESTINFO info =
                hit(reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction);
            if (info.iItem >= 0 && info.iSubItem >= 0) {
                PostMessageW(m_window.get(), kEditMessage, static_cast<WPARAM>(info.iItem),
                             info.iSubItem);
            }
            return 0;
        }
        case LVN_KEYDOWN:
            keyInTable(reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey);
            return 0;
        case NM_CUSTOMDRAW:
            return customDraw(header);
        default:
            return 0;
    }
}

void RosterWindow::keyInTable(WORD key) {
    if (key == VK_F2) {
        editCell(focusedRow(), m_column);
    } else if (key == VK_LEFT || key == VK_RIGHT) {
        m_column =
            std::clamp(m_column + (key == VK_LEFT ? -1 : 1), 0, rosterTable::kColumnCount - 1);
        InvalidateRect(control(kTable), nullptr, FALSE);
    }
}

void RosterWindow::typedInTable(wchar_t character) {
    editCell(focusedRow(), m_column);
    if (!isEditing() || isMarkColumn(m_editColumn)) return;
    const HWND editor = control(kCellEdit);
    const wchar_t text[2] = {character, L'\0'};
    SetWindowTextW(editor, text);
    SendMessageW(editor, EM_SETSEL, 1, 1);
}

LRESULT RosterWindow::customDraw(NMHDR& header) const {
    auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header);
    const auto row = static_cast<int>(draw.nmcd.dwItemSpec);
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return row == focusedRow() ? CDRF_NOTIFYPOSTPAINT : CDRF_DODEFAULT;
        case CDDS_ITEMPOSTPAINT: {
            // The focused row, drawn as the list draws it, gets a frame
            // round its current cell: the one the keys edit.
            RECT cell{};
            ListView_GetSubItemRect(control(kTable), row, m_column, LVIR_BOUNDS, &cell);
            if (m_column == 0) {
                // The first column's bounds are the whole row's.
                cell.right = cell.left + ListView_GetColumnWidth(control(kTable), 0);
            }
            InflateRect(&cell, -1, 0);
            FrameRect(draw.nmcd.hdc, &cell, GetSysColorBrush(COLOR_HIGHLIGHTTEXT));
            return CDRF_DODEFAULT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}

std::string RosterWindow::shownCell(int viewRow, int column) const {
    return m_table.cell(static_cast<std::size_t>(viewRow), column);
}

int RosterWindow::focusedRow() const {
    const int row = ListView_GetNextItem(control(kTable), -1, LVNI_FOCUSED);
    return row >= 0 && static_cast<std::size_t>(row) < m_table.size() ? row : -1;
}

void RosterWindow::editCell(int viewRow, int column) {
    endEdit(true);
    if (viewRow < 0 || static_cast<std::size_t>(viewRow) >= m_table.size() || column < 0 ||
        column >= rosterTable::kColumnCount) {
        return;
    }
    const HWND table = control(kTable);
    m_column = column;
    ListView_SetItemState(table, viewRow, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(table, viewRow, FALSE);
    RECT cell{};
    ListView_GetSubItemRect(table, viewRow, column, LVIR_LABEL, &cell);
    RECT view{};
    GetClientRect(table, &view);
    // A cell scrolled out to the side is brought in first.
    if (cell.left < 0 || cell.right > view.right) {
        ListView_Scroll(
            table, cell.left < 0 ? cell.left : std::min(cell.left, cell.right - view.right), 0);
        ListView_GetSubItemRect(table, viewRow, column, LVIR_LABEL, &cell);
    }
    MapWindowPoints(table, m_window.get(), reinterpret_cast<POINT*>(&cell), 2);

    const std::string text = shownCell(viewRow, column);
    HWND editor = nullptr;
    int height = cell.bottom - cell.top;
    if (isMarkColumn(column)) {
        editor = control(kCellChoice);
        SendMessageW(editor, CB_RESETCONTENT, 0, 0);
        int current = 0;
        const std::vector<std::string> choices = markChoices(column);
        for (std::size_t i = 0; i < choices.size(); ++i) {
            SendMessageW(editor, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(toWide(choices[i]).c_str()));
            if (choices[i] == text) current = static_cast<int>(i);
        }
        SendMessageW(editor, CB_SETCURSEL, static_cast<WPARAM>(current), 0);
        // The height of a drop-down list's window includes its open list.
        height += static_cast<int>(choices.size()) *
                  static_cast<int>(SendMessageW(editor, CB_GETITEMHEIGHT, 0, 0));
    } else {
        editor = control(kCellEdit);
        setWindowText(editor, text);
    }
    m_editRow = viewRow;
    m_editColumn = column;
    SetWindowPos(editor, HWND_TOP, cell.left, cell.top,
                 std::max(static_cast<int>(cell.right - cell.left), 40), height, SWP_SHOWWINDOW);
    SetFocus(editor);
    if (!isMarkColumn(column)) SendMessageW(editor, EM_SETSEL, 0, -1);
}

void RosterWindow::endEdit(bool commit) {
    if (m_editColumn < 0) return;
    // Taken first: moving the focus away ends the edit again.
    const int viewRow = std::exchange(m_editRow, -1);
    const int column = std::exchange(m_editColumn, -1);
    const HWND editor = control(isMarkColumn(column) ? kCellChoice : kCellEdit);
    const std::string text = windowText(editor);
    const int choice =
        isMarkColumn(column) ? static_cast<int>(SendMessageW(editor, CB_GETCURSEL, 0, 0)) : 0;
    const HWND table = control(kTable);
    if (GetFocus() == editor) SetFocus(table);
    ShowWindow(editor, SW_HIDE);
    if (!commit || static_cast<std::size_t>(viewRow) >= m_table.size()) return;

    const auto row = static_cast<std::size_t>(viewRow);
    if (column == rosterTable::kRole) {
        m_table.setRole(row, static_cast<PlayerRole>(std::max(0, choice)));
    } else if (column == rosterTable::kSlot) {
        m_table.setSlot(row, std::max(0, choice));
    } else if (const auto problem = m_table.setCell(row, column, text)) {
        report(*problem);
    }
    // The cell shows what the table holds now: the text as read back, or as
    // it was.
    ListView_RedrawItems(table, viewRow, viewRow);
    if (m_table.found().search.best.empty()) showFound();
}

void RosterWindow::sortByHeading(int column) {
    if (column < 0 || column >= rosterTable::kColumnCount) return;
    endEdit(true);
    const bool ascending = !(m_table.sortColumn() == column && m_table.ascending());
    m_table.sort(column, ascending);
    showSortMark();
    showTable();
}

void RosterWindow::showSortMark() {
    const HWND header = ListView_GetHeader(control(kTable));
    for (int column = 0; column < rosterTable::kColumnCount; ++column) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, column, &item);
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (column == m_table.sortColumn())
            item.fmt |= m_table.ascending() ? HDF_SORTUP : HDF_SORTDOWN;
        Header_SetItem(header, column, &item);
    }
}

void RosterWindow::showTable() {
    const HWND table = control(kTable);
    ListView_SetItemCountEx(table, static_cast<int>(m_table.size()), 0);
    // Each column as wide as its heading (with room for the sort mark) and
    // its longest cell; the mark columns as wide as their longest choice,
    // whatever they show.
    for (int column = 0; column < rosterTable::kColumnCount; ++column) {
        int width = textWidth(table, toWide(RosterTable::heading(column))) + 24;
        if (isMarkColumn(column)) {
            width = std::max(width, textWidth(table, toWide(kRoleTexts[2])) + 24);
        }
        for (std::size_t row = 0; row < m_table.size(); ++row) {
            width = std::max(width, textWidth(table, toWide(m_table.cell(row, column))) + 16);
        }
        ListView_SetColumnWidth(table, column, width);
    }
    InvalidateRect(table, nullptr, TRUE);
}

void RosterWindow::showFound() {
    const HWND lineups = control(kLineups);
    SendMessageW(lineups, LB_RESETCONTENT, 0, 0);
    int widest = 0;
    for (const std::string& row : m_table.foundRows()) {
        const std::wstring text = toWide(row);
        SendMessageW(lineups, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        widest = std::max(widest, textWidth(lineups, text));
    }
    // A list box scrolls sideways only as far as it is told.
    SendMessageW(lineups, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
    const auto count = static_cast<int>(SendMessageW(lineups, LB_GETCOUNT, 0, 0));
    if (count > 0) SendMessageW(lineups, LB_SETCURSEL, 0, 0);
    const HWND put = control(kPut);
    const bool enabled = count > 0 && !m_run;
    // A disabled control can't keep the keyboard: it goes on to the next.
    if (!enabled && GetFocus() == put) SendMessageW(m_window.get(), WM_NEXTDLGCTL, 0, FALSE);
    EnableWindow(put, enabled);
}

void RosterWindow::report(const std::string& text) {
    setStatus(text);
    messageBoxes().show(m_window.get(), text, MessageBoxes::Kind::Report);
}

void RosterWindow::setStatus(std::string_view text) {
    // The status is set at every tick of the poll timer.
    setChangedText(control(kStatus), text);
    // It is as tall as its lines (a loaded roster's notes take several); the
    // lists give up the room.
    const int lines = std::clamp(static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1,
                                 1, kStatusLinesMax);
    if (lines != m_statusLines) {
        m_statusLines = lines;
        layOut();
    }
}

std::optional<RunningRates> RosterWindow::defaultRates() {
    RunningRates rates{};
    for (std::size_t r = 0; r < rates.size(); ++r) {
        const HWND field = control(kFirstRate + static_cast<int>(r));
        const std::string text = windowText(field);
        const std::optional<double> rate = parseNumber(text);
        if (!rate || !(*rate >= 0.0 && *rate <= 1.0)) {
            report(std::string(msg::kRosterBadRate) + text);
            SendMessageW(m_window.get(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
            SendMessageW(field, EM_SETSEL, 0, -1);
            return std::nullopt;
        }
        rates[r] = *rate;
    }
    return rates;
}

bool RosterWindow::importRoster() {
    if (m_run) return false;
    endEdit(true);
    const std::optional<RunningRates> rates = defaultRates();
    if (!rates) return false;
    const auto name = fileChooser().choose(rosterFileRequest(ChooserRequest::Kind::Open));
    if (!name) return false;
    std::string text;
    if (!m_table.load(*name, *rates, text)) {
        report(text);
        return false;
    }
    showSortMark();
    showTable();
    showFound();
    setStatus(text);
    return true;
}

void RosterWindow::makeFromRows() {
    if (m_run || !m_readRows) return;
    endEdit(true);
    WindowModel model;
    if (!m_readRows(model)) return;
    m_table.fromRows(model);
    showSortMark();
    showTable();
    showFound();
    setStatus(msg::rosterLoaded(m_table.size()));
}

bool RosterWindow::saveRoster() {
    endEdit(true);
    if (m_table.size() == 0) {
        report(std::string(msg::kRosterEmpty));
        return false;
    }
    const auto name = fileChooser().choose(rosterFileRequest(ChooserRequest::Kind::Save));
    if (!name) return false;
    if (m_table.save(*name) != SaveResult::Saved) {
        report(messageWithName(msg::kOutputOpenFailed, *name));
        return false;
    }
    setStatus(messageWithName(msg::kRosterSaved, *name));
    return true;
}

bool RosterWindow::search() {
    if (m_run) return false;
    endEdit(true);
    std::string reason;
    m_run = m_table.startSearch(reason);
    if (!m_run) {
        report(reason);
        return false;
    }
    showFound();
    EnableWindow(control(kCancel), TRUE);
    // The keyboard goes on from the button that is switched off to 中止.
    if (GetFocus() == control(kSearch)) SendMessageW(m_window.get(), WM_NEXTDLGCTL, 0, FALSE);
    EnableWindow(control(kSearch), FALSE);
    setBusy(control(kProgress), true);  // the screening decides how much is left
    setStatus(m_run->status());
    SetTimer(m_window.get(), kPollTimer, kPollIntervalMs, nullptr);
    return true;
}

void RosterWindow::cancel() {
    if (m_run) m_run->cancel();
}

void RosterWindow::poll() {
    if (!m_run) return;
    setStatus(m_run->status());
    if (!m_run->finished()) return;
    KillTimer(m_window.get(), kPollTimer);
    LineupRun::Result result = m_run->takeResult();
    m_run.reset();
    const std::string message = result.message;
    const bool failed = result.failed;
    m_table.setFound(std::move(result));
    setProgress(control(kProgress), failed ? 0 : 1, 1);
    EnableWindow(control(kSearch), TRUE);
    if (GetFocus() == control(kCancel)) {
        SendMessageW(m_window.get(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control(kSearch)),
                     TRUE);
    }
    EnableWindow(control(kCancel), FALSE);
    showFound();
    if (failed) {
        report(message);
    } else {
        setStatus(message);
    }
    if (m_searchFinished) m_searchFinished();
}

void RosterWindow::stopRun() {
    if (m_window) KillTimer(m_window.get(), kPollTimer);
    m_run.reset();  // cancels (when still running) and joins
}

void RosterWindow::putLineup() {
    const auto current = static_cast<int>(SendMessageW(control(kLineups), LB_GETCURSEL, 0, 0));
    if (m_run || current < 0 || current >= static_cast<int>(m_table.found().search.best.size()) ||
        !m_lineupChosen) {
        return;
    }
    m_lineupChosen(current);
}

void RosterWindow::close() {
    endEdit(true);
    // The search stops soon and the timer, still running, takes what it found.
    cancel();
    ShowWindow(m_window.get(), SW_HIDE);
}

bool RosterWindow::translateMessage(MSG& message) {
    const HWND window = m_window.get();
    if (window == nullptr || !IsWindowVisible(window)) return false;
    if (message.hwnd != window && !IsChild(window, message.hwnd)) return false;
    // A character typed in the list starts an edit rather than the list's
    // search by first letters.
    if (message.message == WM_CHAR && message.hwnd == control(kTable) && message.wParam >= L' ' &&
        message.wParam != 0x7F) {
        typedInTable(static_cast<wchar_t>(message.wParam));
        return true;
    }
    return IsDialogMessageW(window, &message);
}

}  // namespace diz::win32
