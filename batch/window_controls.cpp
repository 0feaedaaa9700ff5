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

    // `name` is the field's name in the message; empty for a field without
    // a label of its own.
    bool integer(int id, std::string_view name, long long low, long long high, int32_t& out) const {
        const std::optional<long long> value = parseInteger(m_controls.text(id));
        if (!value) return refuse(id, name, msg::kIntegerRequired);
        if (*value < low || *value > high) return refuse(id, name, msg::integerRange(low, high));
        out = static_cast<int32_t>(*value);
        return true;
    }

    bool number(int id, std::string_view name, double& out) const {
        const std::optional<double> value = parseNumber(m_controls.text(id));
        if (!value) return refuse(id, name, msg::kNumberRequired);
        out = *value;
        return true;
    }

    bool text(int id, std::string_view name, int maxBytes, std::string& out) const {
        std::string value = m_controls.text(id);
        if (value.size() > static_cast<std::size_t>(maxBytes)) {
            return refuse(id, name, msg::byteLimit(maxBytes));
        }
        out = std::move(value);
        return true;
    }

  private:
    bool refuse(int id, std::string_view name, std::string_view message) const {
        m_controls.refuse(id, name.empty() ? std::string(message) : msg::namedField(name, message));
        return false;
    }

    WindowControls& m_controls;
};

// Every value of the user's fields, in reading order.
std::vector<std::string> enteredValues(const WindowControls& controls) {
    std::vector<std::string> values;
    for (const ids::GridRow& row : ids::kGrid) {
        for (const int id : row) values.push_back(controls.text(id));
    }
    values.push_back(controls.text(ids::kGamesPerOrder));
    for (const int id : ids::kPatterns) values.push_back(controls.text(id));
    for (const ReportBox& box : kReportBoxes)
        values.emplace_back(controls.checked(box.id) ? "1" : "0");
    return values;
}

}  // namespace

void EnteredFields::remember(const WindowControls& controls) { m_values = enteredValues(controls); }

bool EnteredFields::changedSince(const WindowControls& controls) const {
    return m_values.empty() || enteredValues(controls) != m_values;
}

bool readControls(WindowControls& controls, WindowModel& model) {
    // Read into a copy: a failure part-way leaves the model untouched.
    WindowModel read = model;
    const FieldReader field(controls);
    for (int row = 0; row < kLineupSize; ++row) {
        for (const int f : kCountReadingOrder) {
            const BatterField& count = kBatterFields[f];
            if (!field.integer(ids::kGrid[row][f], msg::batterField(row, count.heading), count.min,
                               count.max, read.batters[row].*count.count)) {
                return false;
            }
        }
    }
    if (!field.integer(ids::kGamesPerOrder, msg::kGamesField, kGamesPerOrderMin, kGamesPerOrderMax,
                       read.gamesPerOrder)) {
        return false;
    }
    for (int row = 0; row < kLineupSize; ++row) {
        for (const int f : kRateFieldIndices) {
            const BatterField& rate = kBatterFields[f];
            if (!field.number(ids::kGrid[row][f], msg::batterField(row, rate.heading),
                              read.batters[row].*rate.rate)) {
                return false;
            }
        }
    }
    if (!field.text(ids::kStatus, "", kStatusMaxBytes, read.statusText)) return false;
    for (int i = 0; i < kPatternCount; ++i) {
        if (!field.text(ids::kPatterns[i], msg::patternField(i), kPatternMaxBytes,
                        read.patterns[i])) {
            return false;
        }
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
