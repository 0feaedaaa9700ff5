#include "ui/win32/ranking_window.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "batch/dialogs.h"
#include "batch/messages.h"
#include "batch/text_io.h"
#include "ui/win32/child_controls.h"
#include "ui/win32/dialog_template.h"
#include "ui/win32/progress_bar.h"
#include "ui/win32/ranking_charts.h"
#include "ui/win32/text_width.h"
#include "ui/win32/wide_text.h"

namespace diz::win32 {
namespace {

// Posted to the window: a deferred start, and the notices of a run's thread
// (with the run's generation in wParam).
constexpr UINT kStartMessage = WM_APP + 1;
constexpr UINT kFinishedMessage = WM_APP + 2;
constexpr UINT kSlowOrdersMessage = WM_APP + 3;
// The worker only counts; the window looks at the count a few times a second
// rather than being sent every step.
constexpr UINT_PTR kProgressTimer = 1;
constexpr UINT kProgressIntervalMs = 50;

// The frame in dialog units: about 1100 x 720 pixels in the dialogs' font at
// 96 dots per inch, as big as the Qt window opens.
constexpr int kFrameWidth = 628;
constexpr int kFrameHeight = 436;
constexpr int kMinimumWidth = 400;  // dialog units
constexpr int kMinimumHeight = 280;

DWORD frameStyle() {
    return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
           DS_CENTER;
}

}  // namespace

// What a run tells the window, from the run's thread: only posted to the
// window's thread, and dropped there when the run is not the window's latest.
class RankingWindow::Notices final : public RunObserver {
  public:
    Notices(HWND window, unsigned generation) : m_window(window), m_generation(generation) {}

    void slowOrders(int) override { PostMessageW(m_window, kSlowOrdersMessage, m_generation, 0); }
    void finished(RunOutcome, std::string_view, std::string_view) override {
        PostMessageW(m_window, kFinishedMessage, m_generation, 0);
    }

  private:
    HWND m_window;
    unsigned m_generation;
};

RankingWindow::RankingWindow(HINSTANCE instance, HWND owner) : m_instance(instance) {
    DialogFrame frame;
    frame.caption = msg::kRankingTitle;
    frame.width = kFrameWidth;
    frame.height = kFrameHeight;
    frame.style = frameStyle();
    frame.fontFace = dialogFontFace();
    const DialogResource resource = buildDialogResource(frame, {});
    CreateDialogIndirectParamW(instance, resource.get(), owner, dialogProc,
                               reinterpret_cast<LPARAM>(this));
    ACCEL save{FCONTROL | FVIRTKEY, 'S', kSaveCsv};
    m_accelerators.reset(CreateAcceleratorTableW(&save, 1));
}

RankingWindow::~RankingWindow() {
    // The run's thread posts to this window: it ends while the window is whole.
    stopRun();
    m_window.reset();
}

INT_PTR CALLBACK RankingWindow::dialogProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<RankingWindow*>(lParam)->initialise(window);
        return FALSE;
    }
    auto* self = reinterpret_cast<RankingWindow*>(GetWindowLongPtrW(window, DWLP_USER));
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
            return self->timer(wParam);
        case WM_VSCROLL:
            // The arrows beside the seasons, let go.
            if (reinterpret_cast<HWND>(lParam) != self->control(kReplicatesArrows)) return FALSE;
            if (LOWORD(wParam) == SB_ENDSCROLL) self->replicatesEntered();
            return TRUE;
        case kStartMessage:
            self->startIfPending();
            return TRUE;
        case kFinishedMessage:
            self->finish(static_cast<unsigned>(wParam));
            return TRUE;
        case kSlowOrdersMessage:
            self->showSlowOrders(static_cast<unsigned>(wParam));
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

void RankingWindow::initialise(HWND window) {
    m_window = UniqueWindow(window);
    m_systemChooser = std::make_unique<SystemFileChooser>(window);
    setProgramIcons(window, m_instance);
    createControls();
    layOut();
}

void RankingWindow::createControls() {
    const HWND window = m_window.get();
    const auto make = [&](DWORD exStyle, const wchar_t* type, std::string_view caption, DWORD style,
                          int id) {
        return makeControl(window, m_instance, exStyle, type, caption, style, id);
    };
    // In the order of OrderSource; evaluated again whenever it changes.
    const std::string_view selections[3] = {msg::kRankingEveryOrdering,
                                            msg::kRankingAcceptedOrderings, msg::kRankingOrderFile};
    for (int i = 0; i < 3; ++i) {
        make(0, WC_BUTTONW, selections[i],
             BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0), kEveryOrdering + i);
    }
    CheckRadioButton(window, kEveryOrdering, kOrderFile, kEveryOrdering);
    // The seasons to resample; the label's mnemonic reaches the field, which
    // ends the selections' group.
    make(0, WC_STATICW, msg::kRankingReplicates, SS_LEFT | WS_GROUP, kReplicatesLabel);
    make(WS_EX_CLIENTEDGE, WC_EDITW, "", ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL | WS_TABSTOP,
         kReplicates);
    const HWND arrows = make(0, UPDOWN_CLASSW, "",
                             UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, kReplicatesArrows);
    SendMessageW(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(control(kReplicates)), 0);
    SendMessageW(arrows, UDM_SETRANGE32, 0, static_cast<LPARAM>(resampling::kReplicatesMax));
    setReplicates(ranking::kDefaultReplicates);
    make(0, WC_STATICW, msg::kRankingReplicatesUnit, SS_LEFT | SS_NOPREFIX | WS_GROUP,
         kReplicatesUnit);
    make(0, PROGRESS_CLASSW, "", 0, kProgress);
    EnableWindow(
        make(0, WC_BUTTONW, msg::kRankingCancel, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, kCancel),
        FALSE);
    make(0, WC_STATICW, "", SS_LEFT | SS_NOPREFIX, kStatus);
    // Read-only and borderless: it looks like a label and can be selected.
    // Two lines: the best and the worst, then the gap to the runner-up.
    make(0, WC_EDITW, "", ES_LEFT | ES_MULTILINE | ES_AUTOHSCROLL | ES_READONLY, kSummary);
    make(0, WC_BUTTONW, msg::kRankingInningColumns, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP,
         kInningColumns);
    make(0, WC_STATICW, "", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kOrderNames);

    const HWND list =
        make(WS_EX_CLIENTEDGE, WC_LISTVIEWW, "",
             LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_GROUP,
             kList);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    showInningColumns(false);
    showSortMark();
    m_charts = std::make_unique<RankingCharts>(m_instance, window, kSpreadChart, kInningsChart);

    EnableWindow(
        make(0, WC_BUTTONW, msg::kRankingSaveCsv, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, kSaveCsv),
        FALSE);
    EnableWindow(
        make(0, WC_BUTTONW, msg::kRankingToPattern, BS_PUSHBUTTON | WS_TABSTOP, kToPattern), FALSE);
    make(0, WC_BUTTONW, msg::kRankingRoster, BS_PUSHBUTTON | WS_TABSTOP, kRoster);
    make(0, WC_BUTTONW, msg::kRankingClose, BS_PUSHBUTTON | WS_TABSTOP, kClose);
}

void RankingWindow::limitSize(MINMAXINFO& limits) const {
    RECT minimum{0, 0, kMinimumWidth, kMinimumHeight};
    MapDialogRect(m_window.get(), &minimum);
    limits.ptMinTrackSize = {minimum.right, minimum.bottom};
}

bool RankingWindow::timer(WPARAM id) {
    if (id != kProgressTimer) return false;
    showProgress();
    return true;
}

void RankingWindow::detach() {
    // The system destroys the window (with its owner): nothing may reach
    // this object any more.
    SetWindowLongPtrW(m_window.get(), DWLP_USER, 0);
    m_window.release();
}

HWND RankingWindow::control(int id) const {
    return m_window ? GetDlgItem(m_window.get(), id) : nullptr;
}

void RankingWindow::layOut() {
    const HWND window = m_window.get();
    if (window == nullptr || control(kClose) == nullptr) return;
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
    const int buttonHeight = units(0, 14).y;
    const int boxWidth = units(16, 0).x;  // a check box or radio button before its caption
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
    // The selections, then the seasons to resample in a field a little taller.
    const int fieldHeight = units(0, 12).y;
    const int rowTop = y + (fieldHeight - lineHeight) / 2;
    for (int id = kEveryOrdering; id <= kOrderFile; ++id) {
        const int w = textWidth(GetDlgItem(window, id)) + boxWidth;
        place(id, x, rowTop, w, lineHeight);
        x += w + 2 * gap.x;
    }
    x += 2 * gap.x;
    const int labelWidth = textWidth(control(kReplicatesLabel));
    place(kReplicatesLabel, x, rowTop, labelWidth, lineHeight);
    x += labelWidth + gap.x;
    const int fieldWidth = units(32, 0).x;
    const int arrowsWidth = units(9, 0).x;
    place(kReplicates, x, y, fieldWidth, fieldHeight);
    place(kReplicatesArrows, x + fieldWidth, y, arrowsWidth, fieldHeight);
    x += fieldWidth + arrowsWidth + gap.x;
    place(kReplicatesUnit, x, rowTop, textWidth(control(kReplicatesUnit)), lineHeight);
    y += fieldHeight + gap.y;
    const int cancelWidth = buttonWidth(kCancel);
    place(kProgress, margin.x, y + (buttonHeight - lineHeight) / 2, width - cancelWidth - gap.x,
          lineHeight);
    place(kCancel, client.right - margin.x - cancelWidth, y, cancelWidth, buttonHeight);
    y += buttonHeight + gap.y;
    place(kStatus, margin.x, y, width, lineHeight);
    y += lineHeight + gap.y;
    place(kSummary, margin.x, y, width, 2 * lineHeight);
    y += 2 * lineHeight + gap.y;
    const int inningWidth = textWidth(control(kInningColumns)) + boxWidth;
    place(kInningColumns, margin.x, y, inningWidth, lineHeight);
    const int namesLeft = margin.x + inningWidth + 4 * gap.x;
    place(kOrderNames, namesLeft, y, client.right - margin.x - namesLeft, lineHeight);
    y += lineHeight + gap.y;

    // The list and, to its right, the two charts over each other, 3 : 2.
    const int buttonsTop = client.bottom - margin.y - buttonHeight;
    const int areaHeight = buttonsTop - gap.y - y;
    const int listWidth = (width - gap.x) * 3 / 5;
    place(kList, margin.x, y, listWidth, areaHeight);
    const int chartsLeft = margin.x + listWidth + gap.x;
    const int chartsWidth = client.right - margin.x - chartsLeft;
    const int chartHeight = (areaHeight - gap.y) / 2;
    place(kSpreadChart, chartsLeft, y, chartsWidth, chartHeight);
    place(kInningsChart, chartsLeft, y + chartHeight + gap.y, chartsWidth,
          areaHeight - chartHeight - gap.y);

    x = margin.x;
    for (const int id : {kSaveCsv, kToPattern, kRoster}) {
        const int w = buttonWidth(id);
        place(id, x, buttonsTop, w, buttonHeight);
        x += w + gap.x;
    }
    const int closeWidth = buttonWidth(kClose);
    place(kClose, client.right - margin.x - closeWidth, buttonsTop, closeWidth, buttonHeight);
    InvalidateRect(window, nullptr, TRUE);
}

void RankingWindow::show() {
    const HWND window = m_window.get();
    if (window == nullptr) return;
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window);
}

OrderSource RankingWindow::selection() const {
    if (IsDlgButtonChecked(m_window.get(), kAcceptedOrderings) == BST_CHECKED) {
        return OrderSource::AcceptedOrderings;
    }
    if (IsDlgButtonChecked(m_window.get(), kOrderFile) == BST_CHECKED) {
        return OrderSource::OrderFile;
    }
    return OrderSource::EveryOrdering;
}

std::uint32_t RankingWindow::replicates() const {
    BOOL read = FALSE;
    const UINT value = GetDlgItemInt(m_window.get(), kReplicates, &read, FALSE);
    // An empty field resamples nothing; a number past the range, the most.
    if (!read)
        return GetWindowTextLengthW(control(kReplicates)) == 0 ? 0 : resampling::kReplicatesMax;
    return std::min<std::uint32_t>(value, resampling::kReplicatesMax);
}

void RankingWindow::setReplicates(std::uint32_t replicates) {
    setText(kReplicates, std::to_string(std::min(replicates, resampling::kReplicatesMax)));
}

void RankingWindow::replicatesEntered() {
    // Leaving the field as the window hides enters nothing.
    if (!IsWindowVisible(m_window.get())) return;
    if (static_cast<int>(replicates()) != m_startedReplicates) evaluate();
}

void RankingWindow::setSelection(OrderSource source) {
    if (source == selection()) return;
    CheckRadioButton(m_window.get(), kEveryOrdering, kOrderFile,
                     kEveryOrdering + static_cast<int>(source));
    evaluate();
}

void RankingWindow::command(int id, int code) {
    switch (id) {
        case kEveryOrdering:
        case kAcceptedOrderings:
        case kOrderFile:
            // A click, or the arrow keys within the group, checks the button.
            if (code == BN_CLICKED && IsDlgButtonChecked(m_window.get(), id) == BST_CHECKED) {
                evaluate();
            }
            return;
        case kReplicates:
            if (code == EN_KILLFOCUS) replicatesEntered();
            return;
        case IDOK:  // Enter: in the seasons' field, the number is entered
            if (GetFocus() == control(kReplicates)) replicatesEntered();
            return;
        case kCancel:
            cancel();
            return;
        case kInningColumns:
            showInningColumns(IsDlgButtonChecked(m_window.get(), id) == BST_CHECKED);
            return;
        case kSaveCsv:  // the button, or Ctrl+S (code 1)
            saveCsv();
            return;
        case kToPattern:
            sendToPatterns();
            return;
        case kClose:
            close();
            return;
        case kRoster:
            if (m_rosterRequested) m_rosterRequested();
            return;
        default:
            return;  // Escape (IDCANCEL) does nothing here
    }
}

LRESULT RankingWindow::notify(NMHDR& header) {
    if (header.idFrom != kList) return 0;
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
            if ((item.mask & LVIF_TEXT) == 0 || item.cchTextMax <= 0) return 0;
            item.pszText[0] = L'\0';
            if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= m_table.size() ||
                item.iSubItem < 0 || static_cast<std::size_t>(item.iSubItem) >= m_columns.size()) {
                return 0;
            }
            m_cell.clear();
            m_table.appendCell(m_cell, m_table.rowAt(static_cast<std::size_t>(item.iItem)),
                               m_columns[static_cast<std::size_t>(item.iSubItem)]);
            const int written =
                MultiByteToWideChar(CP_UTF8, 0, m_cell.data(), static_cast<int>(m_cell.size()),
                                    item.pszText, item.cchTextMax - 1);
            item.pszText[written] = L'\0';
            return 0;
        }
        case LVN_COLUMNCLICK: {
            const int clicked = reinterpret_cast<const NMLISTVIEW&>(header).iSubItem;
            if (clicked >= 0 && static_cast<std::size_t>(clicked) < m_columns.size()) {
                sortByHeading(m_columns[static_cast<std::size_t>(clicked)]);
            }
            return 0;
        }
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            const bool nowFocused =
                (change.uNewState & LVIS_FOCUSED) != 0 && (change.uOldState & LVIS_FOCUSED) == 0;
            if ((change.uChanged & LVIF_STATE) != 0 && nowFocused && change.iItem >= 0 &&
                static_cast<std::size_t>(change.iItem) < m_table.size()) {
                const std::uint32_t row = m_table.rowAt(static_cast<std::size_t>(change.iItem));
                m_charts->showSelected(m_table.rows(), m_table.bestRow(), row);
                setText(kOrderNames, selectedOrderNames(m_table.rows().order(row), m_inputs));
            }
            return 0;
        }
        case NM_DBLCLK:
            if (reinterpret_cast<const NMITEMACTIVATE&>(header).iItem >= 0) sendToPatterns();
            return 0;
        default:
            return 0;
    }
}

void RankingWindow::startIfPending() {
    if (!m_startPending) return;  // cancelled or closed meanwhile
    m_startPending = false;
    start();
}

void RankingWindow::evaluate() {
    if (m_run) {
        // The running evaluation can't be dropped mid-way without waiting for
        // it; let it stop on its own and start again when it reports. Until
        // then nothing of it shows: the window is starting anew.
        m_run->cancel();
        m_restart = true;
        showProgress();
        return;
    }
    if (m_startPending) return;
    m_startPending = true;
    PostMessageW(m_window.get(), kStartMessage, 0, 0);
}

void RankingWindow::start() {
    const OrderSelection orders = rankingSelection(selection(), m_inputs);
    const unsigned generation = ++m_generation;
    auto notices = std::make_unique<Notices>(m_window.get(), generation);
    std::string failure;
    // The table is given up only once the new orders could be opened.
    const auto spent = [this] {
        emptyList();
        m_charts->clear();
        setText(kSummary, "");
        setText(kOrderNames, "");
        for (const int id : {kSaveCsv, kToPattern}) {
            // A disabled control can't keep the keyboard: it goes on to the next.
            if (GetFocus() == control(id)) SendMessageW(m_window.get(), WM_NEXTDLGCTL, 0, FALSE);
            EnableWindow(control(id), FALSE);
        }
        return m_table.takeRows();
    };
    const std::uint32_t seasons = replicates();
    setReplicates(seasons);  // as read, within its range
    std::unique_ptr<RankingRun> run = RankingRun::start(
        orders, m_inputs.records, {m_inputs.batters, seasons}, *notices, spent, failure);
    if (!run) {
        setText(kStatus, failure);
        setProgress(control(kProgress), 0, 0);
        messageBoxes().show(m_window.get(), failure, MessageBoxes::Kind::Report);
        finished(false);
        return;
    }
    m_startedReplicates = static_cast<int>(seasons);
    m_notices = std::move(notices);
    m_run = std::move(run);
    showProgress();
    EnableWindow(control(kCancel), TRUE);
    SetTimer(m_window.get(), kProgressTimer, kProgressIntervalMs, nullptr);
}

void RankingWindow::finish(unsigned generation) {
    if (generation != m_generation || !m_run) return;  // a run that was stopped and waited for
    m_run->wait();
    std::optional<RankingRun::Result> ranking;
    if (m_run->rankingReady()) ranking = m_run->takeRanking();
    RankingRun::Result result = m_run->takeResult();
    stopRun();
    if (m_restart) {
        m_restart = false;
        start();
        return;
    }
    if (result.outcome != RunOutcome::NormalEnd) {
        setText(kStatus, result.message);
        setProgress(control(kProgress), 0, 0);
        if (result.outcome == RunOutcome::Failed) {
            messageBoxes().show(m_window.get(), result.message, MessageBoxes::Kind::Report);
        }
        finished(false);
        return;
    }
    // Without resampling the ranking comes with the end, and is shown as it
    // stays.
    if (ranking) showRanking(*ranking);
    if (result.rows.size() > 0) showRanking(result);
    if (result.resampled.replicates == 0) {
        setProgress(control(kProgress), m_table.size(), m_table.size());
        setText(kStatus, result.message);
        finished(true);
        return;
    }

    // The focused order keeps the focus through the new sort.
    const int focused = focusedRow();
    const std::uint32_t row =
        focused >= 0 ? m_table.rowAt(static_cast<std::size_t>(focused)) : std::uint32_t{0};
    m_table.setResampled(std::move(result.resampled));
    // A resampled column's sort goes with its column.
    if (!m_table.resampled() && m_sortColumn >= ranking::kColumnCount) {
        m_sortColumn = ranking::kMeanRuns;
        m_sortDirection = SortDirection::Descending;
    }
    showColumns();
    setProgress(control(kProgress), m_table.size(), m_table.size());
    setText(kStatus, result.message);
    if (!m_table.empty()) {
        m_table.sort(m_sortColumn, m_sortDirection);
        showSortMark();
        m_charts->showBestRange(m_table.bestRange());
        if (focused >= 0) focusRow(static_cast<int>(m_table.viewPlaces()[row]));
        InvalidateRect(control(kList), nullptr, FALSE);
    }
    setText(kSummary, m_table.summary());
    finished(true);
}

void RankingWindow::showRanking(RankingRun::Result& ranking) {
    const std::size_t count = ranking.rows.size();
    m_table.setRows(std::move(ranking.rows), std::move(ranking.bestFirst),
                    std::move(ranking.ranks));
    // A resampled column's sort goes with its column.
    if (m_sortColumn >= ranking::kColumnCount) {
        m_sortColumn = ranking::kMeanRuns;
        m_sortDirection = SortDirection::Descending;
    }
    showColumns();
    setText(kStatus, ranking.message);
    if (count > 0) {
        // Keep the column the user sorted by; a new table starts best first.
        m_table.sort(m_sortColumn, m_sortDirection);
        showSortMark();
        ListView_SetItemCountEx(control(kList), static_cast<int>(count), 0);
        m_charts->showRows(m_table.rows(), m_table.bestRow(), ranking.histogram);
        m_charts->showBestRange(m_table.bestRange());
        focusRow(0);
        EnableWindow(control(kSaveCsv), TRUE);
        EnableWindow(control(kToPattern), TRUE);
    }
    setText(kSummary, m_table.summary());
}

void RankingWindow::showSlowOrders(unsigned generation) {
    if (generation == m_generation) showProgress();
}

void RankingWindow::cancel() {
    if (m_startPending) {
        m_startPending = false;
        setText(kStatus, msg::kRankingCancelled);
        finished(false);
        return;
    }
    if (!m_run) return;
    m_restart = false;
    m_run->cancel();
    EnableWindow(control(kCancel), FALSE);
    setText(kStatus, msg::kRankingCancelling);
}

void RankingWindow::stopRun() {
    if (m_window) {
        KillTimer(m_window.get(), kProgressTimer);
        EnableWindow(control(kCancel), FALSE);
    }
    m_run.reset();  // cancels (when still running) and joins
    m_notices.reset();
}

void RankingWindow::showProgress() {
    if (!m_run) return;
    // The ranking shows while its orders are resampled.
    if (!m_restart && m_run->rankingReady()) {
        RankingRun::Result ranking = m_run->takeRanking();
        showRanking(ranking);
    }
    // One reading gives the status and the bar, so that they always agree.
    const RankingProgress progress = m_restart ? kRankingStarting : m_run->progress();
    setText(kStatus, progress.status);
    if (progress.maximum == 0) {
        setBusy(control(kProgress), true);  // until the orders are counted
    } else {
        setProgress(control(kProgress), progress.value, progress.maximum);
    }
}

void RankingWindow::emptyList() {
    ListView_SetItemCountEx(control(kList), 0, 0);
    InvalidateRect(control(kList), nullptr, TRUE);
}

void RankingWindow::showInningColumns(bool shown) {
    CheckDlgButton(m_window.get(), kInningColumns, shown ? BST_CHECKED : BST_UNCHECKED);
    m_inningsShown = shown;
    showColumns();
}

void RankingWindow::showColumns() {
    std::vector<int> wanted;
    for (int column = 0; column < ranking::kFirstInningRuns; ++column) wanted.push_back(column);
    if (m_table.resampled()) {
        wanted.push_back(ranking::kBestShare);
        wanted.push_back(ranking::kGapRange);
    }
    if (m_inningsShown) {
        for (int column = ranking::kFirstInningRuns; column < ranking::kColumnCount; ++column) {
            wanted.push_back(column);
        }
    }
    if (wanted == m_columns) return;
    // The columns are made anew, so that a list column's index is its place
    // in m_columns. A list view may visit every item for each column added
    // or taken away (wine's does: 130 ms for the 362880 orders): the items
    // are counted out meanwhile, and the focus and the rows in view put back.
    const HWND list = control(kList);
    const HWND header = ListView_GetHeader(list);
    const int items = ListView_GetItemCount(list);
    const int focused = focusedRow();
    const int top = ListView_GetTopIndex(list);
    const int bottom = top + std::max(1, ListView_GetCountPerPage(list)) - 1;
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    if (items > 0) ListView_SetItemCountEx(list, 0, 0);
    // The widths the user gave the columns stay theirs.
    for (int present = Header_GetItemCount(header); present > 0;) {
        --present;
        if (static_cast<std::size_t>(present) < m_columns.size()) {
            m_widths[static_cast<std::size_t>(m_columns[static_cast<std::size_t>(present)])] =
                ListView_GetColumnWidth(list, present);
        }
        ListView_DeleteColumn(list, present);
    }
    m_columns = wanted;
    const int figureWidth = textWidth(list, L"0.0000000");
    // A list's first column is always left-aligned; the rank's is right-
    // aligned once it moves up from second place, behind a placeholder.
    LVCOLUMNW first{};
    first.mask = LVCF_WIDTH;
    ListView_InsertColumn(list, 0, &first);
    for (std::size_t place = 0; place < m_columns.size(); ++place) {
        const int shown = m_columns[place];
        const std::wstring title = toWide(rankingColumnTitle(shown));
        int contents = figureWidth;
        if (shown == ranking::kOrder) contents = textWidth(list, L"abcdefghi");
        if (shown == ranking::kGapRange) contents = textWidth(list, L"-0.0000 〜 -0.0000");
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.fmt = shown == ranking::kOrder ? LVCFMT_LEFT : LVCFMT_RIGHT;
        // Room for the sort mark beside the title.
        const int width = m_widths[static_cast<std::size_t>(shown)];
        column.cx = width > 0 ? width : std::max(contents, textWidth(list, title)) + 24;
        column.pszText = const_cast<wchar_t*>(title.c_str());
        column.iSubItem = static_cast<int>(place);
        ListView_InsertColumn(list, static_cast<int>(place) + 1, &column);
    }
    ListView_DeleteColumn(list, 0);
    showSortMark();
    if (items > 0) {
        ListView_SetItemCountEx(list, items, 0);
        if (focused >= 0) {
            ListView_SetItemState(list, focused, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
        }
        ListView_EnsureVisible(list, std::min(bottom, items - 1), FALSE);
        ListView_EnsureVisible(list, std::min(top, items - 1), FALSE);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void RankingWindow::showSortMark() {
    const HWND header = ListView_GetHeader(control(kList));
    const int columns = Header_GetItemCount(header);
    for (int column = 0; column < columns; ++column) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, column, &item);
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (static_cast<std::size_t>(column) < m_columns.size() &&
            m_columns[static_cast<std::size_t>(column)] == m_sortColumn) {
            item.fmt |= m_sortDirection == SortDirection::Ascending ? HDF_SORTUP : HDF_SORTDOWN;
        }
        Header_SetItem(header, column, &item);
    }
}

void RankingWindow::sortByHeading(int column) {
    if (std::find(m_columns.begin(), m_columns.end(), column) == m_columns.end()) return;
    const SortDirection direction =
        column == m_sortColumn && m_sortDirection == SortDirection::Ascending
            ? SortDirection::Descending
            : SortDirection::Ascending;
    // The focused order follows its row to its new place.
    const int focused = focusedRow();
    const std::optional<std::uint32_t> row =
        focused >= 0 ? std::optional(m_table.rowAt(static_cast<std::size_t>(focused)))
                     : std::nullopt;
    m_sortColumn = column;
    m_sortDirection = direction;
    m_table.sort(column, direction);
    showSortMark();
    if (row) focusRow(static_cast<int>(m_table.viewPlaces()[*row]));
    InvalidateRect(control(kList), nullptr, FALSE);
}

int RankingWindow::focusedRow() const {
    const int row = ListView_GetNextItem(control(kList), -1, LVNI_FOCUSED);
    return row >= 0 && static_cast<std::size_t>(row) < m_table.size() ? row : -1;
}

void RankingWindow::focusRow(int viewRow) {
    const HWND list = control(kList);
    // One row holds the focus and the selection (LVS_SINGLESEL): giving them
    // to this row takes them from the other, without visiting every row as
    // clearing all rows would.
    ListView_SetItemState(list, viewRow, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, viewRow, FALSE);
}

bool RankingWindow::saveCsv() {
    if (m_run || m_table.empty()) return false;
    const std::optional<std::string> name = fileChooser().choose(rankingCsvRequest());
    if (!name) return false;
    const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const SaveResult saved = m_table.saveCsv(utf8Path(*name));
    SetCursor(previous);
    const std::string text = csvSaveMessage(saved, *name);
    setText(kStatus, text);
    if (saved != SaveResult::Saved) {
        messageBoxes().show(m_window.get(), text, MessageBoxes::Kind::Report);
        return false;
    }
    return true;
}

void RankingWindow::sendToPatterns() {
    const int focused = focusedRow();
    if (focused < 0 || !m_orderChosen) return;
    m_orderChosen(m_table.rows().order(m_table.rowAt(static_cast<std::size_t>(focused))));
}

void RankingWindow::close() {
    ++m_generation;
    m_restart = false;
    m_startPending = false;
    stopRun();
    setText(kStatus, "");
    setText(kOrderNames, "");
    setProgress(control(kProgress), 0, 0);
    emptyList();
    m_table.takeRows();
    showColumns();
    m_charts->clear();
    setText(kSummary, "");
    ShowWindow(m_window.get(), SW_HIDE);
}

void RankingWindow::finished(bool completed) {
    if (m_evaluationFinished) m_evaluationFinished(completed);
}

void RankingWindow::setText(int id, std::string_view text) {
    // The status is set at every tick of the progress timer.
    setChangedText(control(id), text);
}

bool RankingWindow::translateMessage(MSG& message) {
    const HWND window = m_window.get();
    if (window == nullptr || !IsWindowVisible(window)) return false;
    if (message.hwnd != window && !IsChild(window, message.hwnd)) return false;
    if (m_accelerators && TranslateAcceleratorW(window, m_accelerators.get(), &message)) {
        return true;
    }
    return IsDialogMessageW(window, &message);
}

}  // namespace diz::win32
