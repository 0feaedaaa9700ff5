// Loading and saving the nine batters as a small text file: nine lines of
// "%d %d %d %d %d %d %f %f %f", CR LF.
#pragma once

namespace diz {

struct WindowModel;
class Window;
class FileChooser;

// Asks for a file and fills model.batters from it; appends the nine summary
// lines to the log. A file that can't be opened, is larger than a batter file
// can be (kBatterFileMaxBytes) or holds no whole batter line (a CSV, an order
// file) is reported and changes nothing. True when the table was loaded.
bool loadBatterFile(WindowModel& model, Window& window, FileChooser& chooser);

// Asks for a file and writes model.batters to it. Reports a file that can't be
// written; a pipe that no one reads is reported at once, not waited for. True
// when the table was saved.
bool saveBatterFile(WindowModel& model, Window& window, FileChooser& chooser);

}  // namespace diz
