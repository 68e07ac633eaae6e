#pragma once
// The help viewer service: opens the help file in the program's own help window. The file is
// read on a thread of its own (the reader may take up to its time limit on a hostile file),
// and the window opens when the book arrives; the calculator goes on answering meanwhile.

#include <QObject>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>

#include "help/file_identity.h"
#include "help/help_book.h"
#include "ui/services.h"

namespace vantro::qt {

class HelpWindow;

class QtHelpViewer final : public ui::HelpViewer {
 public:
  // The rest of a read begun by a BookReader: gives the book, or nothing. Runs on a thread of
  // its own and gives up soon after a stop is requested.
  using FinishRead = std::function<std::shared_ptr<const help::HelpBook>(std::stop_token stop)>;
  // Begins reading a help file, on the GUI thread; it must return at once.
  using BookReader = std::function<FinishRead(const std::filesystem::path& file)>;
  // The help file read by chmlib in a child process, with its time limit.
  static FinishRead readHelpFile(const std::filesystem::path& file);

  explicit QtHelpViewer(BookReader readBook = readHelpFile);
  // Stops a read in progress and waits for its thread, which ends at once.
  ~QtHelpViewer() override;

  // Both return at once. A file is read once for all the calls that come while it is read,
  // which the last of them then decides; a file that could not be read is not read again
  // until it changes.
  void showContents(const std::filesystem::path& helpFile) override;
  void showTopic(const std::filesystem::path& helpFile, const std::string& topicPath) override;

  // The help window once a call has opened it; null before.
  HelpWindow* window() const { return window_.get(); }
  // True while a help file is being read.
  bool reading() const { return reading_ != nullptr; }

 private:
  struct Request {
    std::filesystem::path file;
    std::optional<std::string> topic;  // nothing: the contents
  };
  struct OpenedFile {
    help::FileIdentity file;
    std::shared_ptr<const help::HelpBook> book;
  };
  struct Reading;

  void request(Request request);
  void finishReading(std::shared_ptr<const help::HelpBook> book);
  void serve(const Request& request, const std::shared_ptr<const help::HelpBook>& book);
  void present(const std::shared_ptr<const help::HelpBook>& book, const std::string& page);

  BookReader readBook_;
  std::optional<OpenedFile> opened_;
  std::optional<help::FileIdentity> refused_;
  std::optional<Request> waiting_;     // the last call made while a file is read
  std::unique_ptr<QObject> receiver_;  // takes the finished read back to the GUI thread
  std::unique_ptr<Reading> reading_;
  std::unique_ptr<HelpWindow> window_;
};

}  // namespace vantro::qt
