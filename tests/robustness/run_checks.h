#pragma once
// The two ways a run of lumora-render may end, checked in full.

#include <gtest/gtest.h>

#include <string>

#include "pdf_inspect.h"
#include "program_run.h"

namespace lumora::test {

// Failed as a user should see it: no crash, exit status 1, nothing written to
// stdout, and one line on stderr naming the file and the error box's text.
inline void expectFailure(const ProgramRun& run, const std::string& named,
                          const std::string& message) {
  EXPECT_EQ(run.signal, 0) << "killed by signal " << run.signal << "\n" << run.err;
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, named + ": " + message + "\n");
}

// Wrote `pdf`, printed its path, and the file is a PDF that qpdf accepts.
inline void expectPdf(const ProgramRun& run, const std::string& pdf) {
  EXPECT_EQ(run.signal, 0) << "killed by signal " << run.signal << "\n" << run.err;
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, pdf + "\n");
  const ToolResult check = runTool({"qpdf", "--check", pdf});
  EXPECT_EQ(check.exitCode, 0) << check.output;
}

}  // namespace lumora::test
