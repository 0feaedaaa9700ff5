// Moving values between a main window's controls and its model, the same in
// every front-end: which control holds which value, the order the controls
// are read in, each value's check and the message when it fails. A
// front-end supplies only the access to its controls by identifier.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace diz {

struct WindowModel;

// The main window's controls, by identifier (batch/dialogs.h). Texts are
// UTF-8.
class WindowControls {
  public:
    virtual ~WindowControls() = default;
    virtual std::string text(int id) const = 0;
    virtual void setText(int id, std::string_view text) = 0;
    virtual bool checked(int id) const = 0;
    virtual void setChecked(int id, bool checked) = 0;
    // Tells the user `message` in a modal box; when it is closed, puts the
    // focus on control `id` and selects its whole text.
    virtual void refuse(int id, std::string_view message) = 0;
};

// Copies every control into `model`, checking each value right after it is
// read, in the window's reading order: every row's counts (BB before HR), the
// games per order, every row's rates, the status line, the six patterns, the
// four check boxes. At the first invalid value the control is refused and
// the result is false, with `model` as it was.
bool readControls(WindowControls& controls, WindowModel& model);

// Writes every value of `model` into its control, in the same order, without
// checks: counts and games as decimal integers, rates as formatNumber writes
// them, texts as they are.
void showModel(const WindowModel& model, WindowControls& controls);

// What the user's fields held when they were last loaded, saved or started
// from, so that closing the window can ask first (msg::kConfirmClose, no as
// the default) instead of losing values typed since. The grid, the games,
// the patterns and the report boxes count, as their controls show them; the
// status line, which the window writes itself, does not.
class EnteredFields {
  public:
    // Takes what the controls show now. A window calls it once it has shown
    // its model at the start, after a Load or a Save that succeeded (and the
    // model shown again), and when a Simulate has read the controls.
    void remember(const WindowControls& controls);
    // True when a field shows something else than when remember() was last
    // called (always true before the first call).
    bool changedSince(const WindowControls& controls) const;

  private:
    std::vector<std::string> m_values;
};

}  // namespace diz
