#include "tests/batch/test_support.h"

#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace diz::test {

void RecordingWindow::clearLog() {
    calls.push_back("clear");
    log.clear();
}

void RecordingWindow::appendLog(std::string_view text) {
    calls.push_back("append:" + std::string(text));
    log += text;
}

void RecordingWindow::showModel() { calls.push_back("show"); }

void RecordingWindow::repaintNow() { calls.push_back("repaint"); }

void RecordingWindow::reportMessage(std::string_view text) {
    m_model.statusText = std::string(text);
    calls.push_back("report:" + std::string(text));
    reports.emplace_back(text);
    showModel();
}

ScratchDir::ScratchDir() {
    std::random_device seed;
    std::ostringstream name;
    name << "diz-test-" << std::hex << seed() << seed();
    m_dir = std::filesystem::temp_directory_path() / name.str();
    std::filesystem::create_directories(m_dir);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
}

void ScratchDir::write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path(name), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ScratchDir::read(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace diz::test
