// A stand-in PDF library for the binding's tests. It logs every call with its
// arguments and answers as configured. Built several times, each time with
// one defect switched on by a macro, to give the libraries the binding must
// cope with: no pdfDeletePDF, no pdfEndPage, no pdfNewPDF, no instance.

#include <unistd.h>

#include <cstdint>
#include <string>

#define FAKE_API extern "C" __attribute__((visibility("default")))

namespace {

std::string g_log;
bool g_open = false;
std::int32_t g_result = 1;      // what the boolean functions return
std::int32_t g_fontResult = 0;  // what pdfSetFontW returns
int g_instance = 0;

std::string narrow(const char16_t* text) {
  std::string result;
  for (; text && *text; ++text) result += *text < 0x80 ? static_cast<char>(*text) : '?';
  return result;
}

std::string number(double value) {
  std::string text = std::to_string(value);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

void log(const std::string& call) {
  g_log += call + ";";
}

}  // namespace

FAKE_API const char* fakeLog() {
  return g_log.c_str();
}
FAKE_API void fakeReset() {
  g_log.clear();
  g_open = false;
  g_result = 1;
  g_fontResult = 0;
}
FAKE_API void fakeSetResult(std::int32_t result) {
  g_result = result;
}
FAKE_API void fakeSetFontResult(std::int32_t result) {
  g_fontResult = result;
}

#ifndef FAKE_NO_NEWPDF
FAKE_API void* pdfNewPDF() {
  log("pdfNewPDF");
#ifdef FAKE_NULL_INSTANCE
  return nullptr;
#else
  return &g_instance;
#endif
}
#endif

#ifndef FAKE_NO_DELETE
FAKE_API std::int32_t pdfDeletePDF(void* pdf) {
  log(std::string("pdfDeletePDF(") + (pdf == &g_instance ? "instance" : "?") + ")");
  return 1;
}
#endif

FAKE_API std::int32_t pdfHaveOpenDoc(void*) {
  return g_open ? 1 : 0;
}

FAKE_API std::int32_t pdfCreateNewPDFA(void*, const char* name) {
  log(name ? "pdfCreateNewPDFA(\"" + std::string(name) + "\")" : "pdfCreateNewPDFA(null)");
  g_open = true;
  return g_result;
}

FAKE_API std::int32_t pdfAppend(void*) {
  log("pdfAppend");
  return g_result;
}

FAKE_API std::int32_t pdfSetPageFormat(void*, std::int32_t format) {
  log("pdfSetPageFormat(" + std::to_string(format) + ")");
  return g_result;
}

FAKE_API std::int32_t pdfSetFontW(void*, const char16_t* name, std::int32_t style, double size,
                                  std::int32_t embed, std::int32_t codePage) {
  log("pdfSetFontW(" + narrow(name) + "," + std::to_string(style) + "," + number(size) + "," +
      std::to_string(embed) + "," + std::to_string(codePage) + ")");
  return g_fontResult;
}

FAKE_API std::int32_t pdfWriteTextW(void*, double x, double y, const char16_t* text) {
  log("pdfWriteTextW(" + number(x) + "," + number(y) + "," + narrow(text) + ")");
  return g_result;
}

// Every character half an em wide.
FAKE_API std::int32_t pdfMeasureTextW(void*, const char16_t* name, double size,
                                      const char16_t* text, double* width) {
  log("pdfMeasureTextW(" + narrow(name) + "," + number(size) + "," + narrow(text) + ")");
  *width = static_cast<double>(std::char_traits<char16_t>::length(text)) * size / 2;
  return g_result;
}

#ifndef FAKE_NO_ENDPAGE
FAKE_API std::int32_t pdfEndPage(void*) {
  log("pdfEndPage");
  return g_result;
}
#endif

FAKE_API std::int32_t pdfOpenOutputFileA(void*, const char* path) {
  log("pdfOpenOutputFileA(" + std::string(path) + ")");
  return g_result;
}

// Logs the folder by its path, as the test knows it.
FAKE_API std::int32_t pdfOpenOutputFileAtA(void*, std::int32_t folder, const char* name) {
  char path[4096] = "";
  const std::string link = "/proc/self/fd/" + std::to_string(folder);
  const ssize_t length = ::readlink(link.c_str(), path, sizeof path - 1);
  log("pdfOpenOutputFileAtA(" + std::string(path, length > 0 ? length : 0) + "/" + name + ")");
  return g_result;
}

FAKE_API std::int32_t pdfCloseFile(void*) {
  log("pdfCloseFile");
  g_open = false;
  return g_result;
}
