// Loading and saving the nine batters as a small text file: nine lines of
// "%d %d %d %d %d %d %f %f %f", CR LF.
#pragma once

namespace diz {

struct WindowModel;
class Window;
class FileChooser;

// Asks for a file and fills model.batters from it; appends the nine summary
// lines to the log. Reports a file that can't be opened.
void loadBatterFile(WindowModel& model, Window& window, FileChooser& chooser);

// Asks for a file and writes model.batters to it. Reports a file that can't be
// written.
void saveBatterFile(WindowModel& model, Window& window, FileChooser& chooser);

}  // namespace diz
