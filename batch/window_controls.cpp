#include "batch/window_controls.h"

#include "batch/batter_fields.h"
#include "batch/dialogs.h"
#include "batch/field_text.h"
#include "batch/messages.h"
#include "batch/window_model.h"

namespace diz {
namespace {

// Reads one control at a time into a value; an invalid value refuses the
// control with the message that says why.
class FieldReader {
  public:
    explicit FieldReader(WindowControls& controls) : m_controls(controls) {}

    bool integer(int id, long long low, long long high, int32_t& out) const {
        const std::optional<long long> value = parseInteger(m_controls.text(id));
        if (!value) return refuse(id, msg::kIntegerRequired);
        if (*value < low || *value > high) return refuse(id, msg::integerRange(low, high));
        out = static_cast<int32_t>(*value);
        return true;
    }

    bool number(int id, double& out) const {
        const std::optional<double> value = parseNumber(m_controls.text(id));
        if (!value) return refuse(id, msg::kNumberRequired);
        out = *value;
        return true;
    }

    bool text(int id, int maxBytes, std::string& out) const {
        std::string value = m_controls.text(id);
        if (value.size() > static_cast<std::size_t>(maxBytes)) {
            return refuse(id, msg::byteLimit(maxBytes));
        }
        out = std::move(value);
        return true;
    }

  private:
    bool refuse(int id, std::string_view message) const {
        m_controls.refuse(id, message);
        return false;
    }

    WindowControls& m_controls;
};

}  // namespace

bool readControls(WindowControls& controls, WindowModel& model) {
    // Read into a copy: a failure part-way leaves the model untouched.
    WindowModel read = model;
    const FieldReader field(controls);
    for (int row = 0; row < kLineupSize; ++row) {
        for (const int f : kCountReadingOrder) {
            const BatterField& count = kBatterFields[f];
            if (!field.integer(ids::kGrid[row][f], count.min, count.max,
                               read.batters[row].*count.count)) {
                return false;
            }
        }
    }
    if (!field.integer(ids::kGamesPerOrder, kGamesPerOrderMin, kGamesPerOrderMax,
                       read.gamesPerOrder)) {
        return false;
    }
    for (int row = 0; row < kLineupSize; ++row) {
        for (const int f : kRateFieldIndices) {
            if (!field.number(ids::kGrid[row][f], read.batters[row].*kBatterFields[f].rate)) {
                return false;
            }
        }
    }
    if (!field.text(ids::kStatus, kStatusMaxBytes, read.statusText)) return false;
    for (int i = 0; i < kPatternCount; ++i) {
        if (!field.text(ids::kPatterns[i], kPatternMaxBytes, read.patterns[i])) return false;
    }
    for (const ReportBox& box : kReportBoxes) read.report.*box.option = controls.checked(box.id);
    model = std::move(read);
    return true;
}

void showModel(const WindowModel& model, WindowControls& controls) {
    for (int row = 0; row < kLineupSize; ++row) {
        const BatterEntry& batter = model.batters[row];
        for (int f = 0; f < kBatterFieldCount; ++f) {
            const BatterField& field = kBatterFields[f];
            controls.setText(ids::kGrid[row][f], field.isCount()
                                                     ? std::to_string(batter.*field.count)
                                                     : formatNumber(batter.*field.rate));
        }
    }
    controls.setText(ids::kGamesPerOrder, std::to_string(model.gamesPerOrder));
    controls.setText(ids::kStatus, model.statusText);
    for (int i = 0; i < kPatternCount; ++i) controls.setText(ids::kPatterns[i], model.patterns[i]);
    for (const ReportBox& box : kReportBoxes) controls.setChecked(box.id, model.report.*box.option);
}

}  // namespace diz
