#pragma once
// A print system of the test's own: a cupsd with its configuration, spool
// and socket in a temporary folder, and one cups-pdf queue that writes each
// job as a PDF into that folder. It runs in a mount namespace of its own in
// which cups-pdf's configuration file is replaced by ours, so neither the
// system's print system nor its files are touched. The daemon is stopped by
// its process id when the object goes.

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>

#include "temp_dir.h"

namespace lumora::test {

class PrivateCups {
 public:
  PrivateCups();
  ~PrivateCups();
  PrivateCups(const PrivateCups&) = delete;
  PrivateCups& operator=(const PrivateCups&) = delete;

  // Why no print system could be started here; nothing when it runs.
  const std::optional<std::string>& unavailable() const { return m_unavailable; }

  const std::string& queue() const { return m_queue; }
  // "CUPS_SERVER=<socket>", for the programs that print on the queue.
  std::string serverVariable() const { return "CUPS_SERVER=" + m_socket; }

  // Waits until the queue holds no job and one finished PDF lies in the
  // output folder; returns its path, or nothing after `timeout`.
  std::optional<std::string> waitForPrintedPdf(std::chrono::seconds timeout) const;

  // The attributes the print system keeps for its first job, by name; values
  // as text (integers in decimal, ranges as "a-b", several joined by ",").
  std::map<std::string, std::string> firstJobAttributes() const;

  // Makes the queue refuse new jobs, giving `reason`; false when it cannot.
  bool refuseJobs(const std::string& reason) const;

  // The daemon's log, for a failing test to show.
  std::string errorLog() const;

 private:
  std::optional<std::string> start();
  void writeConfiguration() const;

  TempDir m_dir;
  std::string m_socket;
  std::string m_queue;
  pid_t m_daemon = -1;
  std::optional<std::string> m_unavailable;
};

}  // namespace lumora::test
