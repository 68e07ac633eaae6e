#pragma once
// Platform services the logic needs, named by what it needs of them.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/number_text.h"
#include "core/tape/tape_entry.h"
#include "ui/analysis/analysis_fields.h"

namespace vantro::ui {

inline constexpr const char* kAppTitle = "Vantro Calculator";

// A modal box with one OK button, no icon and the application's title as caption; returns
// when the user dismisses it.
class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  virtual void show(const std::string& text) = 0;
};

class FrmSplash;
class FrmAbout;

// The program's version and the comments of its version information (the release date).
struct ProgramVersion {
  int major = 0;
  int minor = 0;
  int revision = 0;
  std::string comments;
};

class Application {
 public:
  virtual ~Application() = default;
  // The folder that holds the program file, without a trailing separator.
  virtual std::filesystem::path programFolder() const = 0;
  // The per-user configuration folder for the settings when the program's folder is not
  // writable (for instance ~/.config/vantro-calculator).
  virtual std::filesystem::path userConfigFolder() const = 0;
  // True when another copy of the same program file runs. The first call takes the
  // single-instance lock when it is free; the lock lasts as long as the process.
  virtual bool previousInstance() = 0;
  // Creates the main window, whose Load handler runs before it becomes visible, and shows it.
  virtual void showMainWindow() = 0;
  // Ends the program at once: no unload handlers, no further events.
  virtual void endNow() = 0;
  // How the user's locale writes numbers: decimal point, thousands separator, currency symbol.
  virtual core::NumberLocale numberLocale() const = 0;
  virtual ProgramVersion version() const = 0;
  // The splash and About windows, loaded first (created hidden, their Load handler run) when
  // they are not loaded. The reference lasts until the next load after an unload.
  virtual FrmSplash& splashWindow() = 0;
  virtual FrmAbout& aboutWindow() = 0;
};

// The program's help window, a window of its own that no other window owns. Opening help
// never shows a message and never touches the calculator: a missing or damaged file, or a
// topic the file lacks, leaves everything as it was. Opening it again raises the open window.
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  // Opens `helpFile` at its table of contents.
  virtual void showContents(const std::filesystem::path& helpFile) = 0;
  // Opens the page at `topicPath` inside `helpFile`, for instance
  // "/html Docs/License_Agreement.htm" (looked up without regard to case).
  virtual void showTopic(const std::filesystem::path& helpFile, const std::string& topicPath) = 0;
};

// The system clipboard, plain text only.
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void clear() = 0;
  virtual void setText(const std::string& text) = 0;
  // The clipboard's plain text; empty when it holds none.
  virtual std::string text() const = 0;
};

// The window system's queue of pending events (clicks, key presses, repaints), which a handler
// may run from inside itself to animate a control. Other handlers, the same one included, can
// run during the call.
class EventPump {
 public:
  virtual ~EventPump() = default;
  // Runs the pending events and those that arrive within `milliseconds`, then returns. After
  // the program has ended it returns at once.
  virtual void processEvents(int milliseconds) = 0;
};

// The desktop's handler of an address (a web page, "mailto:..."). A failure is ignored.
class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  virtual void openUrl(const std::string& url) = 0;
};

// Other programs of the desktop.
class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // The program called `name` on the search path (PATH); empty when there is none.
  virtual std::filesystem::path findProgram(const std::string& name) const = 0;
  // Starts the program without waiting for it; false when it could not be started.
  virtual bool startDetached(const std::filesystem::path& program,
                             const std::vector<std::string>& arguments) = 0;
};

// The analysis window: a window of its own beside the main window, never modal.
// Where finished calculations go: the tape keeps them across sessions. It stamps the time.
// Recording never changes what the calculator does: a recorder that fails keeps quiet.
class TapeRecorder {
 public:
  virtual ~TapeRecorder() = default;
  virtual void record(core::tape::Entry entry) = 0;
  // Opens the Tape window, which lists the lines.
  virtual void showTape() {}
};

// The analysis window's ties to the main window's fields.
struct AnalysisLink {
  std::function<AnalysisFields()> readFields;
  std::function<void(const std::string& percent)> setInterest;
};

class AnalysisViewer {
 public:
  virtual ~AnalysisViewer() = default;
  // Opens the window at `page`, or raises it at `page` when it is open. The window reads the
  // main window's fields through `link.readFields` when it opens and at every refresh. It
  // writes to one only when the user asks: a converted rate put into the Interest field
  // through `link.setInterest`. Both stay valid for as long as the viewer.
  virtual void show(AnalysisPage page, AnalysisLink link) = 0;
};

}  // namespace vantro::ui
