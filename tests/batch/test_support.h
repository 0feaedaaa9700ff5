// Test doubles for the window and the file chooser, and scratch directories.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "batch/roster.h"
#include "batch/window.h"
#include "batch/window_model.h"
#include "support/scripted_chooser.h"

namespace diz::test {

// Records every window operation in order: "clear", "append:<text>", "show",
// "repaint", "report:<text>".
class RecordingWindow final : public Window {
  public:
    explicit RecordingWindow(WindowModel& model) : m_model(model) {}
    void clearLog() override;
    void appendLog(std::string_view text) override;
    void showModel() override;
    void repaintNow() override;
    void reportMessage(std::string_view text) override;

    std::vector<std::string> calls;
    std::string log;                   // the log pane's text
    std::vector<std::string> reports;  // reported messages in order

  private:
    WindowModel& m_model;
};

// The chooser of support/: answers with a fixed name (or cancels) and
// remembers the last request.
using support::ScriptedChooser;

// Made-up players from a fixed seed: everyday hitters around one line, each
// count moved by up to `spread` percent, so that a small spread makes many
// close candidates for the last places.
std::vector<RosterPlayer> madeUpRoster(int count, std::uint32_t seed, int spread);

// A fresh empty directory, removed with its contents at the end of the test.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::filesystem::path path(const std::string& name) const { return m_dir / name; }
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

  private:
    std::filesystem::path m_dir;
};

}  // namespace diz::test
